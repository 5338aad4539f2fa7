#include "qvcore/function_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace qv::core;

namespace {

// Every id has a name ("F<id>") unless the map says otherwise.
NameLoader Names(std::map<int, std::string> special = {}) {
    return [special = std::move(special)](int id) {
        auto it = special.find(id);
        return it != special.end() ? it->second : "F" + std::to_string(id);
    };
}

std::vector<int> Ids(const std::vector<CatalogueEntry>& entries) {
    std::vector<int> ids;
    for (const auto& e : entries) {
        ids.push_back(e.id);
    }
    return ids;
}

std::vector<int> Span(int first, int last, std::vector<int> skips) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id) {
        if (std::find(skips.begin(), skips.end(), id) == skips.end()) {
            ids.push_back(id);
        }
    }
    return ids;
}

} // namespace

TEST(FunctionCatalogue, EachCategoryScansItsIdsMinusTheSkipsEvenWhenTheyHoldNames) {
    const std::vector<int> never = {2016, 2031, 2068, 2078, 2112, 2107, 2119};
    EXPECT_EQ(Ids(ScanCategory(1, true, "", Names())), Span(2001, 2137, never));
    EXPECT_EQ(Ids(ScanCategory(2, true, "", Names())), Span(2001, 2015, {}));
    EXPECT_EQ(Ids(ScanCategory(3, true, "", Names())), Span(2017, 2030, {}));
    EXPECT_EQ(Ids(ScanCategory(4, true, "", Names())), Span(2032, 2067, {}));
    EXPECT_EQ(Ids(ScanCategory(5, true, "", Names())), Span(2069, 2077, {}));
    EXPECT_EQ(Ids(ScanCategory(6, true, "", Names())), Span(2079, 2111, {2107}));
    EXPECT_EQ(Ids(ScanCategory(7, true, "", Names())), Span(2113, 2118, {}));
    EXPECT_EQ(Ids(ScanCategory(8, true, "", Names())), Span(2120, 2127, {}));
    EXPECT_TRUE(ScanCategory(0, true, "", Names()).empty());
    EXPECT_TRUE(ScanCategory(10, true, "", Names()).empty());
    EXPECT_TRUE(ScanCategory(-1, true, "", Names()).empty());
}

TEST(FunctionCatalogue, HiddenNamesAreSkippedAndAnEmptyNameEndsTheScan) {
    const auto entries = ScanCategory(2, true, "", Names({{2003, "*FV"}, {2005, ""}}));
    EXPECT_EQ(entries,
              (std::vector<CatalogueEntry>{{2001, "F2001"}, {2002, "F2002"}, {2004, "F2004"}}));
}

TEST(FunctionCatalogue, SearchComparesTheFirstThreeCharactersIgnoringCase) {
    const auto names =
        Names({{2063, "SUM"}, {2064, "SUMIF"}, {2065, "SUMPRODUCT"}, {2001, "DB"}, {2128, "Sumo"}});
    EXPECT_EQ(Ids(ScanCategory(kSearchCategory, true, "sum", names)),
              (std::vector<int>{2063, 2064, 2065, 2128}));
    EXPECT_EQ(Ids(ScanCategory(kSearchCategory, true, "SUMMARY", names)),
              (std::vector<int>{2063, 2064, 2065, 2128}));
    // A name or a search shorter than three characters compares as a whole.
    EXPECT_EQ(Ids(ScanCategory(kSearchCategory, true, "db", names)), (std::vector<int>{2001}));
    EXPECT_TRUE(ScanCategory(kSearchCategory, true, "su", names).empty());
    EXPECT_EQ(ScanCategory(kSearchCategory, true, "", names).size(),
              ScanCategory(1, true, "", names).size());
    // Characters, not bytes: two-byte letters count once.
    EXPECT_TRUE(MatchesSearch("\xE0\xA4\x95\xE0\xA4\xBEX", "\xE0\xA4\x95\xE0\xA4\xBEx"));
    EXPECT_FALSE(MatchesSearch("\xE0\xA4\x95"
                               "AB",
                               "\xE0\xA4\x95"
                               "A"));
}

TEST(FunctionCatalogue, RecentListSkipsWhatIsNeverShownAndStopsAtTheFirstGap) {
    const auto names = Names({{3094, "SEARCH(find_text)^^Finds"}, {2102, "*ASC"}});
    // Key 3 holding 0 ends the list after two entries.
    EXPECT_EQ(Ids(ScanRecent({2063, 2069, 0, 2001}, true, names)), (std::vector<int>{2063, 2069}));
    // Never-listed ids, hidden names, syntax lines and repeats are stepped over.
    EXPECT_EQ(
        Ids(ScanRecent({2016, 3000, 2102, 2063, 3094, 2063, 2001, 3009, 2113, 2119}, true, names)),
        (std::vector<int>{2063, 2001, 2113, 2119}));
    // The English-only ids are skipped before their text is read in the local language.
    EXPECT_EQ(Ids(ScanRecent({3097, 2001}, false, names)), (std::vector<int>{2001}));
    EXPECT_EQ(Ids(ScanRecent({3097, 2001}, true, names)), (std::vector<int>{3097, 2001}));
    EXPECT_TRUE(ScanRecent({-5, 2001}, true, names).empty());
}

TEST(FunctionCatalogue, SyntaxAndDescriptionSplitAtTheFirstMark) {
    EXPECT_EQ(SplitSyntax("SUM(number1,...)^^Adds numbers."),
              std::make_pair(std::string("SUM(number1,...)"), std::string("Adds numbers.")));
    EXPECT_EQ(SplitSyntax("A^^B^^C")->second, "B^^C");
    EXPECT_FALSE(SplitSyntax("No mark here").has_value());
}
