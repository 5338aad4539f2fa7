#include "qvcore/filter_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv::core;

namespace {

std::vector<std::string> Entries(std::string_view list) {
    std::vector<std::string> out;
    for (std::string_view entry : ValueListEntries(list)) {
        out.emplace_back(entry);
    }
    return out;
}

} // namespace

TEST(FilterRules, ValueListOffersCompleteLinesAfterTheFirstThree) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Entries("a\nb\nc\nd\ne\n"), (V{"d", "e"}));
    EXPECT_EQ(Entries("a\nb\nc\nd"), V{}); // no line feed after d
    EXPECT_EQ(Entries("a\nb\nc\nd\ne"), V{"d"});
    EXPECT_EQ(Entries(""), V{});
    EXPECT_EQ(Entries("\n\n\n\n \n"), (V{"", " "})); // empty and blank lines are values too
    EXPECT_EQ(Entries("a\nb\nc\nx\r\n"), V{"x\r"});  // only "\n" ends a line

    std::string big = "(All)\n(Top 10...)\n(Custom...)\n";
    for (int i = 0; i < 10000; ++i) {
        big += "value " + std::to_string(i) + "\n";
    }
    auto entries = ValueListEntries(big);
    ASSERT_EQ(entries.size(), 10000u);
    EXPECT_EQ(entries.front(), "value 0");
    EXPECT_EQ(entries.back(), "value 9999");
    big.pop_back(); // the last line loses its line feed
    EXPECT_EQ(ValueListEntries(big).size(), 9999u);
}

TEST(FilterRules, WildcardsFoldIntoTheMatchingOperator) {
    struct Case {
        int op;
        const char* value;
        int shownOp;
        const char* shown;
    };
    const Case cases[] = {
        {kFilterEquals, "*abc*", kFilterContains, "abc"},
        {kFilterEquals, "abc*", kFilterBeginsWith, "abc"},
        {kFilterEquals, "*abc", kFilterEndsWith, "abc"},
        {kFilterEquals, "*", kFilterContains, ""},
        {kFilterEquals, "**", kFilterContains, ""},
        {kFilterNotEquals, "*abc*", kFilterNotContains, "abc"},
        {kFilterNotEquals, "abc*", kFilterNotBeginsWith, "abc"},
        {kFilterNotEquals, "*abc", kFilterNotEndsWith, "abc"},
        // Blanks around the value are trimmed before the ends are looked at.
        {kFilterEquals, "  *a b*  ", kFilterContains, "a b"},
        {kFilterEquals, " abc ", kFilterEquals, "abc"},
        // Only equals and does not equal fold; inner asterisks stay.
        {kFilterContains, "*abc*", kFilterContains, "*abc*"},
        {5, "*9", 5, "*9"},
        {kFilterEquals, "a*c", kFilterEquals, "a*c"},
        {kFilterEquals, "?bc", kFilterEquals, "?bc"},
    };
    for (const Case& c : cases) {
        OpenedCondition first = OpenCondition(c.op, c.value, true);
        EXPECT_EQ(first.op, c.shownOp) << c.value;
        EXPECT_EQ(first.value, c.shown) << c.value;
        OpenedCondition second = OpenCondition(c.op, c.value, false);
        EXPECT_EQ(second.op, c.shownOp) << c.value;
        EXPECT_EQ(second.value, c.shown) << c.value;
    }
}

TEST(FilterRules, BlankAndUnknownOperatorsOpenByCondition) {
    // Condition 1 shows "equals" for a blank operator, and folds from there.
    EXPECT_EQ(OpenCondition(0, "x", true).op, kFilterEquals);
    EXPECT_EQ(OpenCondition(0, "x*", true).op, kFilterBeginsWith);
    // Condition 2 keeps the blank entry when it has a value; no fold.
    EXPECT_EQ(OpenCondition(0, "x*", false).op, kFilterNoOperator);
    EXPECT_EQ(OpenCondition(0, "x*", false).value, "x*");
    // Without a value the record's operator is not used at all.
    for (int op : {0, 1, 5, 12, 200}) {
        EXPECT_EQ(OpenCondition(op, "", true).op, kFilterEquals);
        EXPECT_EQ(OpenCondition(op, "   ", false).op, -1);
        EXPECT_EQ(OpenCondition(op, "\t", false).value, "");
    }
    // An operator beyond the list is blank, for both conditions.
    EXPECT_EQ(OpenCondition(13, "*a*", true).op, kFilterNoOperator);
    EXPECT_EQ(OpenCondition(255, "a", false).op, kFilterNoOperator);
    EXPECT_EQ(OpenCondition(-1, "a", true).op, kFilterNoOperator);
}

TEST(FilterRules, Top10CountIsAWholeNumberFromOneToFiveHundred) {
    for (const char* whole : {"1", "500", " 10 ", "0010", "\t7"}) {
        Top10Count count = CheckTop10Count(whole);
        EXPECT_EQ(count.verdict, Top10Verdict::Valid) << whole;
    }
    EXPECT_EQ(CheckTop10Count("0010").value, 10);
    EXPECT_EQ(CheckTop10Count("500").value, 500);
    for (const char* range : {"0", "501", "1000", "000", "99999999999999999999999"}) {
        EXPECT_EQ(CheckTop10Count(range).verdict, Top10Verdict::OutOfRange) << range;
    }
    for (const char* notWhole : {"", "  ", "-5", "+5", "5.0", "5 0", "1e2", "x"}) {
        EXPECT_EQ(CheckTop10Count(notWhole).verdict, Top10Verdict::NotWhole) << notWhole;
    }
}
