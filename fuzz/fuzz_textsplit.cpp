// Text to Columns splitting: the delimited split with arbitrary choices never
// exceeds the column limit; the fixed-width split and the display lines put
// back together give the source text; the control's arithmetic stays in range.
#include "qvcore/fixedwidth.h"
#include "qvcore/textsplit.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

int Int(const uint8_t* data, size_t size, size_t at) {
    if (at + 1 >= size) {
        return 0;
    }
    return static_cast<int16_t>(data[at] | (data[at + 1] << 8));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    const uint8_t flags = data[0];
    DelimiterChoice choice;
    choice.tab = flags & 1;
    choice.semicolon = flags & 2;
    choice.comma = flags & 4;
    choice.space = flags & 8;
    choice.others = flags & 16;
    choice.othersText = std::string(1, static_cast<char>(data[1]));
    const char* qualifiers[] = {"'", "\"", "{none}", ""};
    choice.qualifier = qualifiers[data[2] % 4];

    const std::string_view body(reinterpret_cast<const char*>(data + 3), size - 3);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = body.find('\n', start);
        lines.emplace_back(body.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }

    const SplitOptions options{BuildDelimiterSet(choice), choice.qualifier, (flags & 32) != 0};
    int asked = 0;
    const SplitPreview preview = SplitDelimited(lines, options, [&] {
        ++asked;
        return (flags & 64) ? ColumnLimitAnswer::Cancel : ColumnLimitAnswer::StopLine;
    });
    Check(asked <= 1 && preview.columns >= 1);
    // The wizard's measuring pass and its rows split on demand agree with it.
    const PreviewShape shape = MeasureDelimited(lines, options, [&] {
        return (flags & 64) ? ColumnLimitAnswer::Cancel : ColumnLimitAnswer::StopLine;
    });
    Check(shape.columns == preview.columns && shape.cancelled == preview.cancelled);
    Check(shape.rows == static_cast<int>(preview.rows.size()));
    const DelimitedSplitter splitter(options);
    for (std::size_t r = 0; r < preview.rows.size() && !preview.plain; ++r) {
        ColumnLimitGate cut;
        std::vector<std::string_view> views;
        splitter.Split(lines[r], cut, views);
        Check(std::vector<std::string>(views.begin(), views.end()) == preview.rows[r] ||
              (preview.cancelled && r + 1 == preview.rows.size()));
    }
    Check(preview.plain == options.delimiters.empty());
    Check(preview.cancelled || preview.rows.size() == lines.size());
    for (const auto& row : preview.rows) {
        Check(row.size() <= static_cast<std::size_t>(kSplitMaxColumnIndex) + 1);
        Check(static_cast<int>(row.size()) <= preview.columns);
    }

    ProposeFixedWidth(lines);
    const std::vector<int32_t> automatic = AutoBreaks(lines);
    for (std::size_t i = 1; i < automatic.size(); ++i) {
        Check(automatic[i - 1] < automatic[i]);
    }
    std::vector<int32_t> raw = automatic;
    for (std::size_t i = 3; i + 1 < size && raw.size() < 40; i += 7) {
        raw.push_back(Int(data, size, i) % 300);
    }
    const std::vector<int32_t> collected = CollectBreaks(raw);
    Check(std::is_sorted(collected.begin(), collected.end()));
    Check(std::adjacent_find(collected.begin(), collected.end()) == collected.end());
    Check(collected.empty() || collected.front() > 0);
    for (const std::string& line : lines) {
        std::string joined;
        for (const std::string& field : SplitFixedWidthLine(line, collected)) {
            joined += field;
        }
        Check(joined == line);
    }
    Check(SplitFixedWidthLine(lines[0], raw).size() <= raw.size() + 1);

    const DisplayLines display = SplitDisplayText(body);
    std::string rejoined;
    for (std::size_t i = 0; i < display.lines.size(); ++i) {
        rejoined += (i ? "\n" : "") + display.lines[i];
        Check(static_cast<int>(display.lines[i].size()) <= display.longest);
    }
    Check(rejoined == body);

    const int x = Int(data, size, 3);
    const int y = Int(data, size, 5);
    const int right = Int(data, size, 7);
    const int bottom = Int(data, size, 9);
    const int charWidth = Int(data, size, 11) % 64;
    const int first = Int(data, size, 13);
    BreakColumnAt(x, y, right, bottom, charWidth, first);
    for (const BreakLine& line : VisibleBreakLines(collected, first, right, charWidth)) {
        Check(line.x > 0 && line.x < right);
    }
    for (const MarkerRow& row : BreakMarker(x, right)) {
        Check(row.left >= 0 && row.left < row.right && row.right <= right);
    }
    const RulerIntervals intervals =
        NormaliseRulerIntervals(Int(data, size, 15), Int(data, size, 17));
    Check(intervals.major >= 1 && intervals.middle >= 1);
    const auto ticks = RulerTicks(right, charWidth, first, intervals, [](std::string_view label) {
        return static_cast<int>(label.size()) * 6;
    });
    for (const RulerTick& tick : ticks) {
        Check(tick.x >= 0 && tick.x < right);
    }
    const ScrollSetup bar = VerticalScroll(Int(data, size, 19), bottom, charWidth, first);
    const int pos = ScrollTo(bar, flags % 8, x);
    if (flags % 8 <= kScrollThumbPosition) {
        Check(pos >= bar.minimum);
    }
    HorizontalScroll(display.longest, right, charWidth, first);
    LayoutSeparator({x, y, right, bottom});
    return 0;
}
