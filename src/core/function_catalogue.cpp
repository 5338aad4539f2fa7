#include "qvcore/function_catalogue.h"

#include <algorithm>

namespace qv::core {
namespace {

struct CategoryIds {
    int index;
    IdRange range;
};

constexpr CategoryIds kCategories[] = {
    {1, {kFirstFunction, kLastFunction}},
    {2, {2001, 2015}},
    {3, {2017, 2030}},
    {4, {2032, 2067}},
    {5, {2069, 2077}},
    {6, {2079, 2111}},
    {7, {2113, 2118}},
    {8, {2120, 2127}},
    {kSearchCategory, {2001, 2137}},
};

constexpr int kNeverListed[] = {2016, 2031, 2068, 2078, 2112, 3000, 3001,
                                3002, 3003, 3004, 3005, 3008, 3009};
constexpr int kEnglishOnly[] = {3094, 3097, 3109};
// Also stepped over by the category scans: a hidden name and the name of the
// Information category, which sits inside the catalogue's id block.
constexpr int kScanSkips[] = {2107, 2119};

template <size_t N> bool Contains(const int (&ids)[N], int id) {
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

// The text up to its `count`-th character (UTF-8 continuation bytes belong
// to the character before them).
std::string_view FirstCharacters(std::string_view text, size_t count) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) {
            if (characters == count) {
                return text.substr(0, i);
            }
            ++characters;
        }
    }
    return text;
}

char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

IdRange CategoryRange(int category) {
    for (const CategoryIds& ids : kCategories) {
        if (ids.index == category) {
            return ids.range;
        }
    }
    return {};
}

bool IsNeverListed(int id) {
    return Contains(kNeverListed, id);
}

bool IsEnglishOnly(int id) {
    return Contains(kEnglishOnly, id);
}

bool MayList(int id, bool english, bool scan) {
    if (IsNeverListed(id) || (!english && IsEnglishOnly(id))) {
        return false;
    }
    return !(scan && Contains(kScanSkips, id));
}

bool IsShownName(std::string_view name) {
    return !name.empty() && name.front() != '*' && name.find("^^") == std::string_view::npos;
}

bool MatchesSearch(std::string_view name, std::string_view search) {
    if (search.empty()) {
        return true;
    }
    const std::string_view a = FirstCharacters(name, 3);
    const std::string_view b = FirstCharacters(search, 3);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

std::optional<std::pair<std::string, std::string>> SplitSyntax(std::string_view text) {
    const size_t mark = text.find("^^");
    if (mark == std::string_view::npos) {
        return std::nullopt;
    }
    return std::make_pair(std::string(text.substr(0, mark)), std::string(text.substr(mark + 2)));
}

std::vector<CatalogueEntry> ScanCategory(int category, bool english, std::string_view search,
                                         const NameLoader& name) {
    std::vector<CatalogueEntry> entries;
    const IdRange range = CategoryRange(category);
    for (int id = range.first; id <= range.last; ++id) {
        if (!MayList(id, english, true)) {
            continue;
        }
        std::string text = name(id);
        if (text.empty()) {
            break;
        }
        if (!IsShownName(text)) {
            continue;
        }
        if (category == kSearchCategory && !MatchesSearch(text, search)) {
            continue;
        }
        entries.push_back({id, std::move(text)});
    }
    return entries;
}

std::vector<CatalogueEntry> ScanRecent(const std::vector<int>& ids, bool english,
                                       const NameLoader& name) {
    std::vector<CatalogueEntry> entries;
    for (int id : ids) {
        if (!MayList(id, english, false)) {
            continue;
        }
        std::string text = id > 0 ? name(id) : std::string();
        if (text.empty()) {
            break;
        }
        const bool seen = std::any_of(entries.begin(), entries.end(),
                                      [id](const CatalogueEntry& e) { return e.id == id; });
        if (seen || !IsShownName(text)) {
            continue;
        }
        entries.push_back({id, std::move(text)});
    }
    return entries;
}

} // namespace qv::core
