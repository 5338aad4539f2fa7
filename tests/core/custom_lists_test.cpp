#include "qvcore/custom_lists.h"
#include "qvcore/sort_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv::core;

using Entries = std::vector<std::string>;

TEST(CustomListText, StoredTextAndEntryLinesRoundTrip) {
    // Blanks around entries go, empty entries go, a last entry without ";" counts.
    EXPECT_EQ(SplitListText(" Sun; Mon ;;Tue"), (Entries{"Sun", "Mon", "Tue"}));
    EXPECT_EQ(SplitListText(""), Entries{});
    EXPECT_EQ(JoinListText({"a", "b c"}), "a;b c;");
    // The entries box: CR LF, LF or CR end a line; blank lines are dropped.
    EXPECT_EQ(SplitEntryLines("one\r\n\r\n  two \nthree\rfour"),
              (Entries{"one", "two", "three", "four"}));
    EXPECT_EQ(JoinEntryLines({"x", "y"}), "x\r\ny");
    const std::string text = "Jan;Feb;Mar;";
    EXPECT_EQ(JoinListText(SplitEntryLines(JoinEntryLines(SplitListText(text)))), text);
    // The custom sort order file: one line per entry, each ended by CR LF.
    EXPECT_EQ(SortOrderFileText("High;Medium; Low"), "High\r\nMedium\r\nLow\r\n");
}

TEST(CustomListText, RulesForEntries) {
    EXPECT_EQ(CheckListEntries({}).problem, ListProblem::NoEntries);
    EXPECT_EQ(CheckListEntries({"a", "b"}).problem, ListProblem::None);
    const ListCheck separator = CheckListEntries({"a", "b;c"});
    EXPECT_EQ(separator.problem, ListProblem::SeparatorInEntry);
    EXPECT_EQ(separator.entry, 1u);
    EXPECT_EQ(CheckListEntries({std::string(kMaxListEntry, 'x')}).problem, ListProblem::None);
    const ListCheck tooLong = CheckListEntries({"a", "b", std::string(kMaxListEntry + 1, 'x')});
    EXPECT_EQ(tooLong.problem, ListProblem::EntryTooLong);
    EXPECT_EQ(tooLong.entry, 2u);
    // The whole list, separators included, at the limit and one past it.
    Entries full(kMaxListText / 10, std::string(9, 'e'));
    EXPECT_EQ(JoinListText(full).size(), kMaxListText);
    EXPECT_EQ(CheckListEntries(full).problem, ListProblem::None);
    full.back() += 'e';
    EXPECT_EQ(CheckListEntries(full).problem, ListProblem::ListTooLong);
}

TEST(CustomListText, KeyIgnoresBlanksCaseAndSeparatorForm) {
    EXPECT_EQ(ListKey("North East;South;"), ListKey("northeast; SOUTH"));
    EXPECT_NE(ListKey("a;b;"), ListKey("ab;"));
    EXPECT_NE(ListKey("a;b;"), ListKey("b;a;"));
    // Bytes of a local script are compared as they are.
    EXPECT_EQ(ListKey("\xE0\xE1;"), "\xE0\xE1;");
    EXPECT_NE(ListKey("\xE0;"), ListKey("\xC0;"));
}

TEST(CustomListText, ImportOrientationIsAskedOnlyForBlocks) {
    EXPECT_TRUE(ImportRangeIsOneLine("A1:A5"));
    EXPECT_TRUE(ImportRangeIsOneLine("a1:E1"));
    EXPECT_TRUE(ImportRangeIsOneLine("$B$2:$b$9"));
    EXPECT_TRUE(ImportRangeIsOneLine("C7"));
    EXPECT_FALSE(ImportRangeIsOneLine("A1:C3"));
    EXPECT_FALSE(ImportRangeIsOneLine("AA10:AB11"));
}

TEST(SortKeys, ColumnLettersInEitherMenuLanguage) {
    const struct {
        int column;
        const char* english;
        const char* local;
    } cases[] = {{1, "A", "a1"},      {26, "Z", "a26"},   {27, "AA", "a1a1"},
                 {52, "AZ", "a1a26"}, {53, "BA", "a2a1"}, {256, "IV", "a9a22"},
                 {0, "", ""},         {257, "", ""},      {-3, "", ""}};
    LocalAlphabet local;
    for (int k = 1; k <= 26; ++k) {
        local.push_back("a" + std::to_string(k));
    }
    const LocalAlphabet tooShort(local.begin(), local.begin() + 25);
    for (const auto& c : cases) {
        EXPECT_EQ(SortColumnLetters(c.column), c.english) << c.column;
        EXPECT_EQ(SortColumnLetters(c.column, &local), c.local) << c.column;
        // An alphabet that cannot spell every column gives the Latin letters.
        EXPECT_EQ(SortColumnLetters(c.column, &tooShort), c.english) << c.column;
    }
}

TEST(SortKeys, ChecksInTheDialogsOrder) {
    EXPECT_EQ(CheckSortKeys(0, 2, 3), SortKeyFault::FirstMissing);
    EXPECT_EQ(CheckSortKeys(-1, -1, -1), SortKeyFault::FirstMissing);
    EXPECT_EQ(CheckSortKeys(2, 2, 2), SortKeyFault::FirstIsSecond);
    EXPECT_EQ(CheckSortKeys(2, 1, 2), SortKeyFault::FirstIsThird);
    EXPECT_EQ(CheckSortKeys(1, 3, 3), SortKeyFault::SecondIsThird);
    // No second and third key, or only a third one, is fine.
    EXPECT_EQ(CheckSortKeys(1, 0, 0), SortKeyFault::None);
    EXPECT_EQ(CheckSortKeys(1, -1, -1), SortKeyFault::None);
    EXPECT_EQ(CheckSortKeys(1, 0, 2), SortKeyFault::None);
    EXPECT_EQ(SortKeyValue(-1), 0);
    EXPECT_EQ(SortKeyValue(3), 3);
}
