#include "qvcore/custom_lists.h"

#include <cctype>

namespace qv::core {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

void AddEntry(std::vector<std::string>& entries, std::string_view piece) {
    piece = Trimmed(piece);
    if (!piece.empty()) {
        entries.emplace_back(piece);
    }
}

// Splits a cell reference into its letters and its digits ("$" ignored).
void SplitCell(std::string_view cell, std::string& letters, std::string& digits) {
    for (char c : Trimmed(cell)) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            letters += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
        }
    }
}

} // namespace

std::vector<std::string> SplitListText(std::string_view text) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(kListSeparator, start);
        if (end == std::string_view::npos) {
            AddEntry(entries, text.substr(start));
            break;
        }
        AddEntry(entries, text.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

std::string JoinListText(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) {
        text += entry;
        text += kListSeparator;
    }
    return text;
}

std::vector<std::string> SplitEntryLines(std::string_view text) {
    std::vector<std::string> entries;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            AddEntry(entries, text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        AddEntry(entries, text.substr(start));
    }
    return entries;
}

std::string JoinEntryLines(const std::vector<std::string>& entries, std::string_view newline) {
    std::string text;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            text += newline;
        }
        text += entries[i];
    }
    return text;
}

ListCheck CheckListEntries(const std::vector<std::string>& entries) {
    if (entries.empty()) {
        return {ListProblem::NoEntries, 0};
    }
    size_t length = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].find(kListSeparator) != std::string::npos) {
            return {ListProblem::SeparatorInEntry, i};
        }
        if (entries[i].size() > kMaxListEntry) {
            return {ListProblem::EntryTooLong, i};
        }
        length += entries[i].size() + 1;
    }
    if (length > kMaxListText) {
        return {ListProblem::ListTooLong, 0};
    }
    return {};
}

std::string ListKey(std::string_view listText) {
    std::string key;
    key.reserve(listText.size() + 1);
    for (const std::string& entry : SplitListText(listText)) {
        for (char c : entry) {
            if (!IsBlank(c)) {
                const auto u = static_cast<unsigned char>(c);
                key += u < 0x80 ? static_cast<char>(std::toupper(u)) : c;
            }
        }
        key += kListSeparator;
    }
    return key;
}

std::string SortOrderFileText(std::string_view listText) {
    std::string text;
    for (const std::string& entry : SplitListText(listText)) {
        text += entry;
        text += "\r\n";
    }
    return text;
}

bool ImportRangeIsOneLine(std::string_view rangeText) {
    const size_t colon = rangeText.find(':');
    if (colon == std::string_view::npos) {
        return true; // one cell
    }
    std::string firstLetters, firstDigits, lastLetters, lastDigits;
    SplitCell(rangeText.substr(0, colon), firstLetters, firstDigits);
    SplitCell(rangeText.substr(colon + 1), lastLetters, lastDigits);
    return firstLetters == lastLetters || firstDigits == lastDigits;
}

} // namespace qv::core
