// Custom lists as texts: a stored list text holds its entries, each followed
// by ";" ("Sun;Mon;Tue;"); the entries box and the exchange files hold one
// entry per line. The rules a list must meet before it is saved, the key that
// finds lists differing only in spaces or case, and the import orientation.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

inline constexpr char kListSeparator = ';';
// The longest entry, and the longest list text (entries and separators).
inline constexpr std::size_t kMaxListEntry = 255;
inline constexpr std::size_t kMaxListText = 32000;

// The entries of a stored list text: split at ";", blanks around each entry
// removed, empty entries dropped. A last entry without its ";" still counts.
std::vector<std::string> SplitListText(std::string_view text);

// The stored form of entries: each entry followed by ";".
std::string JoinListText(const std::vector<std::string>& entries);

// The entries of a multi-line text (the entries box, "range.txt"): one per
// line, lines ended by CR LF, LF or CR, blanks at both ends removed, empty
// lines dropped.
std::vector<std::string> SplitEntryLines(std::string_view text);

// Entries one per line, each line ended by `newline` except the last.
std::string JoinEntryLines(const std::vector<std::string>& entries,
                           std::string_view newline = "\r\n");

// What keeps entries from becoming a list.
enum class ListProblem {
    None,
    NoEntries,        // nothing but blank lines
    SeparatorInEntry, // an entry holds ";", which would split it in two
    EntryTooLong,     // an entry longer than kMaxListEntry
    ListTooLong,      // the list text longer than kMaxListText
};

struct ListCheck {
    ListProblem problem = ListProblem::None;
    std::size_t entry = 0; // the offending entry (SeparatorInEntry, EntryTooLong)
};

ListCheck CheckListEntries(const std::vector<std::string>& entries);

// The key under which two list texts are the same list: the entries with
// every blank removed and ASCII letters in upper case, each followed by ";".
std::string ListKey(std::string_view listText);

// The custom sort order file's text for a list: each entry on a line of its
// own, every line ended by CR LF.
std::string SortOrderFileText(std::string_view listText);

// True when an import range runs along one row or one column (its first and
// last cells share the column letters, ignoring case, or the row digits), so
// that no orientation needs to be asked. The text is "A1:C3" or one cell.
bool ImportRangeIsOneLine(std::string_view rangeText);

} // namespace qv::core
