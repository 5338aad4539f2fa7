#include "qvcore/textsplit.h"

#include <algorithm>
#include <cstring>

namespace qv::core {

bool ColumnLimitGate::Reached() {
    if (cancelled_) {
        return false;
    }
    if (!asked_) {
        asked_ = true;
        if (ask_ && ask_() == ColumnLimitAnswer::Cancel) {
            cancelled_ = true;
            return false;
        }
    }
    return true;
}

std::string BuildDelimiterSet(const DelimiterChoice& choice) {
    std::string set;
    if (choice.comma) {
        set += ',';
    }
    if (choice.semicolon) {
        set += ';';
    }
    if (choice.space) {
        set += ' ';
    }
    if (choice.tab) {
        set += '\t';
    }
    if (choice.others && !choice.othersText.empty()) {
        set += choice.othersText.front();
    }
    if (choice.space && (choice.qualifier == "'" || choice.qualifier == "\"")) {
        set += choice.qualifier.front();
    }
    return set;
}

std::string StrippedDelimiters(std::string_view delimiters, std::string_view qualifier) {
    std::string set;
    for (char c : delimiters) {
        if (c != '"' && (qualifier.empty() || c != qualifier.front())) {
            set += c;
        }
    }
    return set;
}

int QualifierEntryFromProfile(std::string_view stored) {
    if (stored == "\"") {
        return 1;
    }
    if (stored == "'") {
        return 0;
    }
    return 2;
}

bool SplitDelimitedLine(std::string_view line, const SplitOptions& options, ColumnLimitGate& gate,
                        std::vector<std::string>& fields) {
    std::vector<std::string_view> views;
    const bool goOn = DelimitedSplitter(options).Split(line, gate, views);
    fields.assign(views.begin(), views.end());
    return goOn;
}

DelimitedSplitter::DelimitedSplitter(const SplitOptions& options) : options_(options) {
    for (char c : options_.delimiters) {
        delimiter_[static_cast<unsigned char>(c)] = true;
    }
    for (char c : StrippedDelimiters(options_.delimiters, options_.qualifier)) {
        stripped_[static_cast<unsigned char>(c)] = true;
    }
    for (char c : options_.qualifier) {
        inQualifier_[static_cast<unsigned char>(c)] = true;
    }
    int distinct = 0;
    for (int c = 0; c < 256; ++c) {
        if (delimiter_[c]) {
            ++distinct;
            singleDelimiter_ = c;
        }
    }
    if (distinct != 1) {
        singleDelimiter_ = -1;
    }
}

std::size_t DelimitedSplitter::FindDelimiter(std::string_view text) const {
    if (singleDelimiter_ >= 0) {
        const void* at = std::memchr(text.data(), singleDelimiter_, text.size());
        return at != nullptr ? static_cast<std::size_t>(static_cast<const char*>(at) - text.data())
                             : text.size();
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (delimiter_[static_cast<unsigned char>(text[i])]) {
            return i;
        }
    }
    return text.size();
}

std::size_t DelimitedSplitter::FindStripped(std::string_view text) const {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (stripped_[static_cast<unsigned char>(text[i])]) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::size_t DelimitedSplitter::StripEnds(std::string_view& text, const bool* set) {
    const std::size_t before = text.size();
    while (!text.empty() && set[static_cast<unsigned char>(text.front())]) {
        text.remove_prefix(1);
    }
    while (!text.empty() && set[static_cast<unsigned char>(text.back())]) {
        text.remove_suffix(1);
    }
    return before - text.size();
}

// The split of SplitDelimitedLine, step for step, over tables.
bool DelimitedSplitter::Split(std::string_view line, ColumnLimitGate& gate,
                              std::vector<std::string_view>& fields) const {
    fields.clear();
    const std::string_view qualifier = options_.qualifier;
    constexpr auto npos = std::string_view::npos;
    const bool singleQualifier = qualifier.size() == 1;
    std::string_view rest = line;
    std::size_t column = 0;
    while (!rest.empty()) {
        std::size_t p = FindDelimiter(rest);
        if (p < rest.size() && singleQualifier && rest[p] == qualifier.front()) {
            const std::size_t closing = rest.find(qualifier.front(), p + 1);
            if (closing != npos) {
                const std::size_t p2 = FindStripped(rest);
                p = closing + 1;
                if (rest.front() != qualifier.front() && p2 < p) {
                    p = p2;
                }
            } else {
                const std::size_t p3 = FindStripped(rest);
                p = (p3 != npos && p3 > p) ? p3 : rest.size();
            }
        }
        if (p == 0 && !delimiter_[static_cast<unsigned char>(rest.front())]) {
            break;
        }
        std::string_view field(rest.data(), p);
        rest.remove_prefix(p);
        const std::size_t skipped = StripEnds(rest, stripped_);

        if (column > static_cast<std::size_t>(kSplitMaxColumnIndex)) {
            if (!gate.Reached()) {
                return false;
            }
            break;
        }
        if (!qualifier.empty() && !field.empty() && field.front() == qualifier.front() &&
            field.substr(0, qualifier.size()) == qualifier) {
            if (field == qualifier) {
                continue;
            }
            if (field.size() > 1) {
                StripEnds(field, inQualifier_);
            }
        }
        if (fields.size() == column) {
            fields.push_back(field);
        } else {
            if (fields.size() < column) {
                fields.resize(column + 1);
            }
            fields[column] = field;
        }
        if (skipped > 1 && !options_.consecutiveAsOne) {
            const std::size_t last =
                std::min(column + skipped, static_cast<std::size_t>(kSplitMaxColumnIndex));
            if (fields.size() <= last) {
                fields.resize(last + 1);
            }
            column += skipped;
        } else {
            column += 1;
        }
    }
    return true;
}

long long TextWidth(std::string_view text, const int* charWidths) {
    long long width = 0;
    for (char c : text) {
        width += charWidths[static_cast<unsigned char>(c)];
    }
    return width;
}

PreviewShape MeasureDelimited(const std::vector<std::string>& lines, const SplitOptions& options,
                              const ColumnLimitQuestion& ask, const int* charWidths) {
    PreviewShape shape;
    if (options.delimiters.empty()) {
        shape.plain = true;
        shape.rows = static_cast<int>(lines.size());
        if (charWidths != nullptr) {
            shape.widest.assign(1, 0);
            for (const std::string& line : lines) {
                shape.widest[0] = std::max(shape.widest[0], TextWidth(line, charWidths));
            }
        }
        return shape;
    }
    const DelimitedSplitter splitter(options);
    ColumnLimitGate gate(ask);
    std::vector<std::string_view> fields;
    for (const std::string& line : lines) {
        const bool goOn = splitter.Split(line, gate, fields);
        ++shape.rows;
        shape.columns = std::max(shape.columns, static_cast<int>(fields.size()));
        if (charWidths != nullptr) {
            if (shape.widest.size() < fields.size()) {
                shape.widest.resize(fields.size(), 0);
            }
            for (std::size_t c = 0; c < fields.size(); ++c) {
                shape.widest[c] = std::max(shape.widest[c], TextWidth(fields[c], charWidths));
            }
        }
        if (!goOn) {
            shape.cancelled = true;
            break;
        }
    }
    if (charWidths != nullptr) {
        shape.widest.resize(static_cast<std::size_t>(shape.columns), 0);
    }
    return shape;
}

SplitPreview SplitDelimited(const std::vector<std::string>& lines, const SplitOptions& options,
                            const ColumnLimitQuestion& ask) {
    SplitPreview preview;
    preview.rows.reserve(lines.size());
    if (options.delimiters.empty()) {
        preview.plain = true;
        for (const std::string& line : lines) {
            preview.rows.push_back({line});
        }
        return preview;
    }
    const DelimitedSplitter splitter(options);
    ColumnLimitGate gate(ask);
    std::vector<std::string_view> views;
    for (const std::string& line : lines) {
        const bool goOn = splitter.Split(line, gate, views);
        preview.columns = std::max(preview.columns, static_cast<int>(views.size()));
        preview.rows.emplace_back(views.begin(), views.end());
        if (!goOn) {
            preview.cancelled = true;
            break;
        }
    }
    return preview;
}

bool ProposeFixedWidth(const std::vector<std::string>& lines) {
    if (lines.size() != 1) {
        return false;
    }
    const std::string& line = lines.front();
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos) {
        return false;
    }
    const std::size_t text = line.find_first_not_of(' ', blank);
    return text != std::string::npos && line.find(' ', text) != std::string::npos;
}

std::string GeneralFormats(int columns) {
    return std::string(static_cast<std::size_t>(std::max(columns, 1)), kFormatGeneral);
}

void AppendGeneralFormats(std::string& formats, int count) {
    if (count > 0) {
        formats.append(static_cast<std::size_t>(count), kFormatGeneral);
    }
}

bool SetColumnFormat(std::string& formats, int column, char code) {
    if (column < 0 || static_cast<std::size_t>(column) >= formats.size() || code < kFormatGeneral ||
        code > kFormatSkip) {
        return false;
    }
    formats[static_cast<std::size_t>(column)] = code;
    return true;
}

uint8_t ColumnCountField(int count) {
    return static_cast<uint8_t>(static_cast<unsigned>(count) & 0xFFu);
}

} // namespace qv::core
