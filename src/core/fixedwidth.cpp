#include "qvcore/fixedwidth.h"

#include <algorithm>
#include <climits>

namespace qv::core {

namespace {

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

// Window coordinates never come near this; it bounds the tick loop.
constexpr int kMaxRulerWidth = 65535;

} // namespace

std::vector<int32_t> AutoBreaks(const std::vector<std::string>& lines) {
    std::vector<int32_t> breaks;
    if (lines.empty()) {
        return breaks;
    }
    std::size_t longest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() >= lines[longest].size()) {
            longest = i;
        }
    }
    std::string_view rest = lines[longest];
    std::size_t offset = 0;
    while (!rest.empty()) {
        std::size_t w = rest.find(' ');
        bool rejected = false;
        if (w == std::string_view::npos) {
            // No blank left: no break, and nothing more to look at.
            rejected = true;
            w = rest.size();
        }
        const std::size_t candidate = offset + w;
        for (std::size_t i = 0; i < lines.size() && !rejected; ++i) {
            rejected = lines[i].size() > candidate && lines[i][candidate] != ' ';
        }
        offset += w;
        if (!rejected && candidate <= static_cast<std::size_t>(INT32_MAX)) {
            breaks.push_back(static_cast<int32_t>(candidate));
        }
        rest.remove_prefix(w);
        // Blanks stripped at both ends all count towards the offset.
        const std::size_t before = rest.size();
        while (!rest.empty() && rest.front() == ' ') {
            rest.remove_prefix(1);
        }
        while (!rest.empty() && rest.back() == ' ') {
            rest.remove_suffix(1);
        }
        offset += before - rest.size();
    }
    return breaks;
}

std::vector<int32_t> CollectBreaks(const std::vector<int32_t>& breaks) {
    std::vector<int32_t> collected;
    collected.reserve(breaks.size());
    for (int32_t b : breaks) {
        if (b > 0) {
            collected.push_back(b);
        }
    }
    std::sort(collected.begin(), collected.end());
    collected.erase(std::unique(collected.begin(), collected.end()), collected.end());
    return collected;
}

std::vector<std::string> BreakTexts(const std::vector<int32_t>& collected) {
    std::vector<std::string> texts;
    texts.reserve(collected.size());
    for (int32_t b : collected) {
        texts.push_back(std::to_string(b));
    }
    return texts;
}

void SplitFixedWidthLine(std::string_view line, const std::vector<int32_t>& collected,
                         std::vector<std::string_view>& fields) {
    fields.clear();
    if (collected.empty()) {
        fields.push_back(line);
        return;
    }
    // Breaks are expected ascending; a lower one after a higher one gives an
    // empty column rather than going backwards.
    std::size_t from = 0;
    for (int32_t b : collected) {
        const std::size_t edge = std::max(from, static_cast<std::size_t>(std::max<int32_t>(b, 0)));
        const std::size_t begin = std::min(from, line.size());
        const std::size_t end = std::min(edge, line.size());
        fields.push_back(line.substr(begin, end - begin));
        from = edge;
    }
    if (from < line.size()) {
        fields.push_back(line.substr(from));
    }
}

std::vector<std::string> SplitFixedWidthLine(std::string_view line,
                                             const std::vector<int32_t>& collected) {
    std::vector<std::string_view> views;
    SplitFixedWidthLine(line, collected, views);
    return std::vector<std::string>(views.begin(), views.end());
}

SplitPreview SplitFixedWidth(const std::vector<std::string>& lines,
                             const std::vector<int32_t>& collected) {
    SplitPreview preview;
    preview.rows.reserve(lines.size());
    for (const std::string& line : lines) {
        preview.rows.push_back(SplitFixedWidthLine(line, collected));
        preview.columns = std::max(preview.columns, static_cast<int>(preview.rows.back().size()));
    }
    return preview;
}

PreviewShape MeasureFixedWidth(const std::vector<std::string>& lines,
                               const std::vector<int32_t>& collected, const int* charWidths) {
    PreviewShape shape;
    shape.rows = static_cast<int>(lines.size());
    std::vector<std::string_view> fields;
    for (const std::string& line : lines) {
        SplitFixedWidthLine(line, collected, fields);
        shape.columns = std::max(shape.columns, static_cast<int>(fields.size()));
        if (charWidths != nullptr) {
            if (shape.widest.size() < fields.size()) {
                shape.widest.resize(fields.size(), 0);
            }
            for (std::size_t c = 0; c < fields.size(); ++c) {
                shape.widest[c] = std::max(shape.widest[c], TextWidth(fields[c], charWidths));
            }
        }
    }
    if (charWidths != nullptr) {
        shape.widest.resize(static_cast<std::size_t>(shape.columns), 0);
    }
    return shape;
}

SeparatorLayout LayoutSeparator(const SeparatorRect& c) {
    SeparatorLayout layout;
    layout.ruler = {c.left + 5, c.top + 5, c.right - 23, c.top + 21};
    layout.display = {c.left + 5, c.top + 23, c.right - 23, c.bottom - 23};
    layout.vertical = {c.right - 22, c.top + 31, c.right - 5, c.bottom - 23};
    layout.horizontal = {c.left + 5, c.bottom - 22, c.right - 23, c.bottom - 5};
    return layout;
}

DisplayLines SplitDisplayText(std::string_view text) {
    DisplayLines out;
    std::size_t start = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '\n') {
            out.lines.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    out.lines.emplace_back(text.substr(std::min(start, text.size())));
    std::size_t longest = 0;
    for (const std::string& line : out.lines) {
        longest = std::max(longest, line.size());
    }
    out.longest = ClampToInt(static_cast<int64_t>(std::min<std::size_t>(longest, INT_MAX)));
    return out;
}

int NormaliseMargin(int requested, int current) {
    return (requested < 5 && requested != 0) ? current : requested;
}

std::optional<int> BreakColumnAt(int x, int y, int clientRight, int clientBottom, int charWidth,
                                 int firstColumn) {
    const int64_t right = static_cast<int64_t>(clientRight) - 22;
    const int64_t bottom = static_cast<int64_t>(clientBottom) - 22;
    if (!(x > 5 && x < right && y < bottom) || charWidth <= 0) {
        return std::nullopt;
    }
    // Integer part of (x - 5) / width + 0.5, exactly.
    const int64_t offset = static_cast<int64_t>(x) - 5;
    const int64_t column = (2 * offset + charWidth) / (2 * static_cast<int64_t>(charWidth));
    return ClampToInt(column + firstColumn);
}

bool AddBreak(std::vector<int32_t>& breaks, int column) {
    if (std::find(breaks.begin(), breaks.end(), column) != breaks.end()) {
        return false;
    }
    breaks.push_back(column);
    return true;
}

bool RemoveBreak(std::vector<int32_t>& breaks, int column) {
    const auto it = std::find(breaks.begin(), breaks.end(), column);
    if (it == breaks.end()) {
        return false;
    }
    breaks.erase(it);
    return true;
}

std::vector<BreakLine> VisibleBreakLines(const std::vector<int32_t>& breaks, int firstColumn,
                                         int areaWidth, int charWidth) {
    std::vector<BreakLine> lines;
    if (charWidth <= 0) {
        return lines;
    }
    const int64_t visible = areaWidth / charWidth;
    for (int32_t b : breaks) {
        if (b < firstColumn || b > static_cast<int64_t>(firstColumn) + visible) {
            continue;
        }
        const int64_t x = (static_cast<int64_t>(b) - firstColumn) * charWidth;
        if (x > 0 && x < areaWidth) {
            lines.push_back({b, static_cast<int>(x)});
        }
    }
    return lines;
}

std::vector<MarkerRow> BreakMarker(int x, int areaWidth) {
    std::vector<MarkerRow> rows;
    for (int k = 1; k <= 3; ++k) {
        const int64_t left = std::max<int64_t>(static_cast<int64_t>(x) - k, 0);
        const int64_t right = std::min<int64_t>(static_cast<int64_t>(x) + k + 1, areaWidth);
        if (left < right) {
            rows.push_back({k, static_cast<int>(left), static_cast<int>(right)});
        }
    }
    return rows;
}

RulerIntervals NormaliseRulerIntervals(int major, int middle) {
    RulerIntervals r;
    r.major = major < 1 ? 1 : major;
    r.middle = middle < 1 ? r.major : middle;
    return r;
}

std::vector<RulerTick> RulerTicks(int width, int unitWidth, int offset,
                                  const RulerIntervals& intervals, const LabelWidth& labelWidth) {
    std::vector<RulerTick> ticks;
    if (unitWidth <= 0 || width <= 0) {
        return ticks;
    }
    width = std::min(width, kMaxRulerWidth);
    offset = std::max(offset, 0);
    const RulerIntervals iv = NormaliseRulerIntervals(intervals.major, intervals.middle);
    for (int x = 0; x < width; x += unitWidth) {
        // The tick at x stands for column offset + x / unit; it is a multiple
        // of unit * interval exactly when that column is a multiple of the interval.
        const int64_t column = static_cast<int64_t>(offset) + x / unitWidth;
        RulerTick tick;
        tick.x = x;
        if (column % iv.major == 0) {
            tick.kind = TickKind::Major;
            tick.label = ClampToInt(column);
            if (labelWidth) {
                const int w = labelWidth(std::to_string(tick.label));
                const int64_t left = static_cast<int64_t>(x) - w / 2;
                tick.labelled = w >= 0 && left >= 0 && left + w <= width;
            }
        } else if (column % iv.middle == 0) {
            tick.kind = TickKind::Middle;
        }
        ticks.push_back(tick);
    }
    return ticks;
}

ScrollSetup VerticalScroll(int lineCount, int displayHeight, int charHeight, int firstRow) {
    ScrollSetup bar;
    bar.maximum = ClampToInt(static_cast<int64_t>(lineCount) - 1);
    bar.page = charHeight > 0 ? std::max((displayHeight - kDisplayMargin) / charHeight, 0) : 0;
    bar.position = firstRow;
    bar.enabled = static_cast<int64_t>(bar.maximum) - bar.minimum + 1 > bar.page;
    return bar;
}

ScrollSetup HorizontalScroll(int longestLine, int displayWidth, int charWidth, int firstColumn) {
    ScrollSetup bar;
    bar.maximum = ClampToInt(static_cast<int64_t>(longestLine) - 1);
    bar.page = charWidth > 0 ? std::max(displayWidth / charWidth, 0) : 0;
    bar.position = firstColumn;
    bar.enabled = static_cast<int64_t>(bar.maximum) - bar.minimum + 1 > bar.page;
    return bar;
}

int ScrollTo(const ScrollSetup& bar, int code, int thumb) {
    int64_t pos = bar.position;
    switch (code) {
    case kScrollLineBack:
        pos -= 1;
        break;
    case kScrollLineForward:
        pos += 1;
        break;
    case kScrollPageBack:
        pos -= bar.page;
        break;
    case kScrollPageForward:
        pos += bar.page;
        break;
    case kScrollThumbPosition:
        pos = thumb;
        break;
    default:
        return bar.position;
    }
    pos = std::min<int64_t>(pos, static_cast<int64_t>(bar.maximum) - bar.page + 1);
    pos = std::max<int64_t>(pos, bar.minimum);
    return ClampToInt(pos);
}

} // namespace qv::core
