#include "qvcore/textsplit.h"

#include <algorithm>

namespace qv::core {

namespace {

// Removes characters of `set` from both ends; returns how many went.
std::size_t StripEnds(std::string_view& text, std::string_view set) {
    const std::size_t before = text.size();
    while (!text.empty() && set.find(text.front()) != std::string_view::npos) {
        text.remove_prefix(1);
    }
    while (!text.empty() && set.find(text.back()) != std::string_view::npos) {
        text.remove_suffix(1);
    }
    return before - text.size();
}

void PutField(std::vector<std::string>& fields, std::size_t column, std::string_view field) {
    if (fields.size() <= column) {
        fields.resize(column + 1);
    }
    fields[column].assign(field.data(), field.size());
}

} // namespace

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
    fields.clear();
    const std::string_view delimiters = options.delimiters;
    const std::string_view qualifier = options.qualifier;
    const std::string stripped = StrippedDelimiters(delimiters, qualifier);
    constexpr auto npos = std::string_view::npos;
    // A character "equals" the qualifier only when the qualifier is one character.
    const bool singleQualifier = qualifier.size() == 1;

    std::string_view rest = line;
    std::size_t column = 0;
    while (!rest.empty()) {
        std::size_t p = std::min(rest.find_first_of(delimiters), rest.size());
        if (p < rest.size() && singleQualifier && rest[p] == qualifier.front()) {
            const std::size_t closing = rest.find(qualifier.front(), p + 1);
            if (closing != npos) {
                // A quoted field runs to one past the closing qualifier, unless
                // it does not start the text and a stripped delimiter comes first.
                const std::size_t p2 = rest.find_first_of(stripped);
                p = closing + 1;
                if (rest.front() != qualifier.front() && p2 < p) {
                    p = p2;
                }
            } else {
                // An unpaired qualifier does not end a field.
                const std::size_t p3 = rest.find_first_of(stripped);
                p = (p3 != npos && p3 > p) ? p3 : rest.size();
            }
        }
        if (p == 0 && delimiters.find(rest.front()) == npos) {
            break;
        }
        std::string_view field = rest.substr(0, p);
        rest.remove_prefix(p);
        const std::size_t skipped = StripEnds(rest, stripped);

        if (column > static_cast<std::size_t>(kSplitMaxColumnIndex)) {
            if (!gate.Reached()) {
                return false;
            }
            break;
        }
        if (!qualifier.empty() && field.substr(0, qualifier.size()) == qualifier) {
            if (field == qualifier) {
                continue; // a lone qualifier occupies no column
            }
            if (field.size() > 1) {
                StripEnds(field, qualifier);
            }
        }
        PutField(fields, column, field);
        if (skipped > 1 && !options.consecutiveAsOne) {
            // The skipped delimiters make empty columns.
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
    ColumnLimitGate gate(ask);
    for (const std::string& line : lines) {
        std::vector<std::string> fields;
        const bool goOn = SplitDelimitedLine(line, options, gate, fields);
        preview.columns = std::max(preview.columns, static_cast<int>(fields.size()));
        preview.rows.push_back(std::move(fields));
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
