// The function catalogue of Insert Function: which string ids each category
// lists, the ids that are never listed, and the search rule. The names and
// texts themselves live in the dialog-string libraries; a loader hands them in.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::core {

// Function names are strings kFirstFunction..kLastFunction; the syntax and
// description of function id is string id + kSyntaxOffset.
constexpr int kFirstFunction = 2001;
constexpr int kLastFunction = 2137;
constexpr int kSyntaxOffset = 999;

// Combo indexes: 0 the most recently used functions, 1 all, 2..8 the groups,
// 9 the search result that "Go" adds after the nine categories.
constexpr int kRecentCategory = 0;
constexpr int kCategoryCount = 9;
constexpr int kSearchCategory = 9;

// Most-recently-used ids kept in the profile (keys "1" to "10").
constexpr int kRecentCount = 10;

struct IdRange {
    int first = 0;
    int last = -1; // empty when last < first
};

// The ids category 1..9 scans in increasing order; an empty range for the
// most-recently-used category and for unknown indexes.
IdRange CategoryRange(int category);

// Ids that are never listed as a function.
bool IsNeverListed(int id);
// Ids listed only when the menu is in English.
bool IsEnglishOnly(int id);

// Whether an id may be listed at all before its name is read: not a
// never-listed id, not an English-only id in the local language, and (for
// the category scans) not one of the ids the scans step over.
bool MayList(int id, bool english, bool scan);

// Whether a loaded text is a name to show: a name starting with "*" is
// hidden, and a syntax line ("...^^...") is not a name.
bool IsShownName(std::string_view name);

// The search rule: the first three characters of the name equal the first
// three of the search text, ignoring case; an empty search keeps every name.
bool MatchesSearch(std::string_view name, std::string_view search);

// "syntax^^description" split at its first "^^"; nothing without one.
std::optional<std::pair<std::string, std::string>> SplitSyntax(std::string_view text);

struct CatalogueEntry {
    int id = 0;
    std::string name;
    bool operator==(const CatalogueEntry& other) const {
        return id == other.id && name == other.name;
    }
};

// The name of a string id in the library in use; empty when it has none.
using NameLoader = std::function<std::string(int id)>;

// The entries of category 1..9 (the search text filters category 9); an
// empty name ends the scan.
std::vector<CatalogueEntry> ScanCategory(int category, bool english, std::string_view search,
                                         const NameLoader& name);

// The entries of the most-recently-used list, most recent first; a 0 id (or
// any id without a name) ends the list, an id listed twice shows once.
std::vector<CatalogueEntry> ScanRecent(const std::vector<int>& ids, bool english,
                                       const NameLoader& name);

} // namespace qv::core
