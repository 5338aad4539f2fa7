#include "qvcore/numbers.h"
#include "qvcore/what_if.h"

#include <gtest/gtest.h>

#include <limits>

using namespace qv::core;

TEST(WhatIf, PlainNumberNeedsADigit) {
    for (const char* ok : {"12", "-3.5", "+7", " 42 ", "1.", ".5", "\t0"}) {
        EXPECT_TRUE(IsPlainNumber(ok)) << ok;
    }
    for (const char* bad :
         {"", " ", "+", "-", ".", "-.", " + ", "12a", "1e3", "1.2.3", "--1", "1 2", "A1", "$1"}) {
        EXPECT_FALSE(IsPlainNumber(bad)) << bad;
    }
    EXPECT_DOUBLE_EQ(SizeNumberValue("-3.5"), -3.5);
}

TEST(WhatIf, GoalSeekMapsTheHostsVerdict) {
    EXPECT_TRUE(GoalSeekVerdict(0, true, "B4").accepted);
    const struct {
        uint8_t answer;
        bool goal;
        const char* text;
        unsigned id;
        bool extended;
    } cases[] = {
        {1, true, "A1:B2", 1184, false}, {2, true, "B2", 1185, false}, {3, true, "42", 1187, true},
        {3, true, " -4.5 ", 1187, true}, {3, true, "XYZ", 1284, true}, {3, false, "42", 1284, true},
        {4, false, "B4", 1186, false},   {4, true, "B4", 1186, false},
    };
    for (const auto& c : cases) {
        const RefVerdict verdict = GoalSeekVerdict(c.answer, c.goal, c.text);
        EXPECT_FALSE(verdict.accepted) << int(c.answer) << c.text;
        EXPECT_EQ(verdict.message.id, c.id) << int(c.answer) << c.text;
        EXPECT_EQ(verdict.message.extended, c.extended) << int(c.answer) << c.text;
    }
    // Above 4: refused without a word.
    for (uint8_t answer : {5, 200, 255}) {
        const RefVerdict verdict = GoalSeekVerdict(answer, true, "B4");
        EXPECT_FALSE(verdict.accepted);
        EXPECT_EQ(verdict.message.id, 0u);
    }
}

TEST(WhatIf, StatusValuesHaveSixDecimals) {
    EXPECT_EQ(StatusValueText(10), "10.000000");
    EXPECT_EQ(StatusValueText(9.999), "9.999000");
    EXPECT_EQ(StatusValueText(-0.5), "-0.500000");
    EXPECT_EQ(StatusValueText(1e20), "100000000000000000000.000000");
    EXPECT_EQ(StatusValueText(std::numeric_limits<double>::max()).size(), 316u);
    EXPECT_EQ(StatusValueText(std::numeric_limits<double>::quiet_NaN()), "#NUM!");
    EXPECT_EQ(StatusValueText(-std::numeric_limits<double>::infinity()), "#NUM!");
}

TEST(WhatIf, DataTableInputCells) {
    EXPECT_EQ(CheckInputCell(""), InputCellCheck::Empty);
    EXPECT_EQ(CheckInputCell("  \t"), InputCellCheck::Empty);
    EXPECT_EQ(CheckInputCell("C3"), InputCellCheck::Cell);
    EXPECT_EQ(CheckInputCell(" iv65536 "), InputCellCheck::Cell);
    EXPECT_EQ(CheckInputCell("A1:B2"), InputCellCheck::NotSingleCell);
    EXPECT_EQ(CheckInputCell("A1:"), InputCellCheck::NotSingleCell);
    EXPECT_EQ(CheckInputCell("12"), InputCellCheck::NotACell);
    EXPECT_EQ(CheckInputCell("IW1"), InputCellCheck::NotACell);
    EXPECT_EQ(CheckInputCell("$A$1"), InputCellCheck::NotACell);
    EXPECT_EQ(FieldReference(" C3 "), "C3");
    EXPECT_EQ(FieldReference(" "), "");
    // Leading zeros of the row are dropped, so any accepted cell fits the field.
    EXPECT_EQ(CheckInputCell("O0000000035346"), InputCellCheck::Cell);
    EXPECT_EQ(FieldReference("O0000000035346"), "O35346");
    EXPECT_EQ(FieldReference("c03"), "c3");
}
