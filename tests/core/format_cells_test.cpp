#include "qvcore/format_cells.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qv::core;

namespace {

std::vector<int> Shown(const FormatSheetLayout& layout) {
    return {layout.shown.begin(), layout.shown.begin() + layout.shownCount};
}
std::vector<int> Removed(const FormatSheetLayout& layout) {
    return {layout.removeIndices.begin(), layout.removeIndices.begin() + layout.removeCount};
}

} // namespace

TEST(FormatSheet, EveryModeShowsItsPages) {
    const struct {
        std::uint8_t mode;
        std::vector<int> shown;
        std::vector<int> removed; // sheet indices, highest first
        const char* title;
    } cases[] = {
        {0, {0, 1, 2, 3, 4}, {}, "Format Cells"},   {1, {0, 1, 2, 3, 4}, {}, "Find Format"},
        {2, {0, 1, 2, 3, 4}, {}, "Replace Format"}, {3, {2, 3, 4}, {1, 0}, "Format Cells"},
        {32, {2}, {4, 3, 1, 0}, "Format Cells"},    {4, {0, 1, 2, 3, 4}, {}, "Format Cells"},
        {33, {0, 1, 2, 3, 4}, {}, "Format Cells"},  {255, {0, 1, 2, 3, 4}, {}, "Format Cells"},
    };
    for (const auto& c : cases) {
        const FormatSheetLayout layout = LayoutFormatSheet(c.mode);
        EXPECT_EQ(Shown(layout), c.shown) << int(c.mode);
        EXPECT_EQ(Removed(layout), c.removed) << int(c.mode);
        EXPECT_STREQ(FormatSheetTitle(c.mode), c.title);
        EXPECT_EQ(IsFindOrReplaceMode(c.mode), c.mode == 1 || c.mode == 2);
        EXPECT_EQ(IsClearMode(c.mode), c.mode == 1 || c.mode == 2 || c.mode == 3);
    }
    // Removing the listed indices one after the other from the five pages
    // leaves exactly the shown slots.
    for (std::uint8_t mode : {0, 3, 32}) {
        const FormatSheetLayout layout = LayoutFormatSheet(mode);
        std::vector<int> sheet{0, 1, 2, 3, 4};
        for (int r = 0; r < layout.removeCount; ++r) {
            sheet.erase(sheet.begin() + layout.removeIndices[static_cast<size_t>(r)]);
        }
        EXPECT_EQ(sheet, Shown(layout)) << int(mode);
    }
}

TEST(FormatSheet, StartPageInAndOut) {
    // All five pages: 1..5 open positions 0..4, anything else 0.
    EXPECT_EQ(StartPositionOf(1, 5), 0);
    EXPECT_EQ(StartPositionOf(3, 5), 2);
    EXPECT_EQ(StartPositionOf(5, 5), 4);
    EXPECT_EQ(StartPositionOf(0, 5), 0);
    EXPECT_EQ(StartPositionOf(6, 5), 0);
    EXPECT_EQ(StartPositionOf(255, 5), 0);
    // Mode 3 (three pages): start page 1 opens on the first page shown (Font),
    // positions past the last page shown open on position 0.
    EXPECT_EQ(StartPositionOf(1, 3), 0);
    EXPECT_EQ(StartPositionOf(3, 3), 2);
    EXPECT_EQ(StartPositionOf(4, 3), 0);
    EXPECT_EQ(StartPositionOf(5, 1), 0);
    EXPECT_EQ(StartPositionOf(1, 0), 0);

    EXPECT_EQ(StartPageOfPosition(0), 1);
    EXPECT_EQ(StartPageOfPosition(2), 3); // mode 3 closing on Pattern
    EXPECT_EQ(StartPageOfPosition(3), 4);
    EXPECT_EQ(StartPageOfPosition(4), 5);
    EXPECT_EQ(StartPageOfPosition(-1), 5);
    EXPECT_EQ(StartPageOfPosition(7), 5);
    // What goes out comes back in on the same page, for every page of every layout.
    for (int shown = 1; shown <= 5; ++shown) {
        for (int p = 0; p < shown; ++p) {
            EXPECT_EQ(StartPositionOf(StartPageOfPosition(p), shown), p);
        }
    }

    EXPECT_EQ(CtrlTabTarget(4, 5), 0);
    EXPECT_EQ(CtrlTabTarget(3, 5), -1);
    EXPECT_EQ(CtrlTabTarget(0, 1), 0);
    EXPECT_EQ(CtrlTabTarget(-1, 0), -1);

    EXPECT_EQ(FormatTabStringId(kNumberSlot), 1093u);
    EXPECT_EQ(FormatTabStringId(kFontSlot), 1095u);
    EXPECT_EQ(FormatTabStringId(kPatternSlot), 1725u);
    EXPECT_EQ(FormatTabStringId(5), 0u);
}

TEST(NumberPage, DecimalPlacesBoxIsAWholeNumberWithinTheCategoryRange) {
    std::int32_t v = -7;
    EXPECT_TRUE(ReadWholeNumber(" 12 ", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(ReadWholeNumber("-3", v));
    EXPECT_EQ(v, -3);
    EXPECT_TRUE(ReadWholeNumber("+0", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(ReadWholeNumber("99999999999999999999", v));
    EXPECT_EQ(v, 99999);
    for (const char* bad : {"", "  ", "-", "+", "1.5", "1 2", "--1", "a", "1-", "0x1"}) {
        v = 42;
        EXPECT_FALSE(ReadWholeNumber(bad, v)) << bad;
        EXPECT_EQ(v, 42) << bad;
    }
    for (int category : {1, 2, 5}) {
        EXPECT_TRUE(DecimalPlacesAllowed(category, 0));
        EXPECT_TRUE(DecimalPlacesAllowed(category, 15));
        EXPECT_FALSE(DecimalPlacesAllowed(category, 16));
        EXPECT_FALSE(DecimalPlacesAllowed(category, -1));
    }
    for (int category : {-1, 0, 3, 4, 6, 7, 65535}) {
        EXPECT_TRUE(DecimalPlacesAllowed(category, 16));
        EXPECT_TRUE(DecimalPlacesAllowed(category, -5));
    }
}

TEST(NumberPage, NegativeEntriesAndTheirSuffix) {
    EXPECT_EQ(NegativeSuffix(0), "");
    EXPECT_EQ(NegativeSuffix(-4), "");
    EXPECT_EQ(NegativeSuffix(1), ".1");
    EXPECT_EQ(NegativeSuffix(2), ".21");
    EXPECT_EQ(NegativeSuffix(3), ".321");
    EXPECT_EQ(NegativeSuffix(10), ".0987654321");
    EXPECT_EQ(NegativeSuffix(15), ".543210987654321");
    EXPECT_EQ(NegativeSuffix(16), ".6543210987654321");
    EXPECT_EQ(NegativeSuffix(17), ".543210987654321");
    EXPECT_EQ(NegativeSuffix(99), ".543210987654321");

    using E = std::array<unsigned, 4>;
    EXPECT_EQ(NegativeEntryStrings(1, false, 0), (E{1575, 1576, 1577, 1577}));
    EXPECT_EQ(NegativeEntryStrings(1, false, 2), (E{1575, 1576, 1577, 1577}));
    EXPECT_EQ(NegativeEntryStrings(1, true, 1), (E{1581, 1582, 1583, 1583}));
    EXPECT_EQ(NegativeEntryStrings(2, false, 1), (E{1578, 1579, 1580, 1580}));
    EXPECT_EQ(NegativeEntryStrings(2, true, 2), (E{3138, 3139, 3140, 3140}));
    EXPECT_EQ(NegativeEntryStrings(2, false, 0), (E{1581, 1582, 1583, 1583}));
    EXPECT_EQ(NegativeEntryStrings(2, false, -1), (E{1581, 1582, 1583, 1583}));
    EXPECT_TRUE(NegativeEntryIsRed(1) && NegativeEntryIsRed(3));
    EXPECT_FALSE(NegativeEntryIsRed(0) || NegativeEntryIsRed(2));
    EXPECT_TRUE(NegativeEntryCloses(2) && NegativeEntryCloses(3));
}

TEST(NumberPage, SymbolNeverOpensOnTheEntryWithoutASymbol) {
    for (const char* standard : {"1", "", "0", "x", "12"}) {
        EXPECT_EQ(AdjustedSymbolSelection(0, standard), 1) << standard;
        EXPECT_EQ(AdjustedSymbolSelection(1, standard), 1) << standard;
        EXPECT_EQ(AdjustedSymbolSelection(2, standard), 2) << standard;
        EXPECT_EQ(AdjustedSymbolSelection(-1, standard), 2) << standard;
        EXPECT_EQ(AdjustedSymbolSelection(255, standard), 2) << standard;
    }
    for (const char* second : {"2", " 2", "+2", "2abc", "00002"}) {
        EXPECT_EQ(AdjustedSymbolSelection(0, second), 2) << second;
        EXPECT_EQ(AdjustedSymbolSelection(1, second), 1) << second;
        EXPECT_EQ(AdjustedSymbolSelection(2, second), 2) << second;
        EXPECT_EQ(AdjustedSymbolSelection(-1, second), -1) << second;
    }
    // Only the first five characters count.
    EXPECT_EQ(AdjustedSymbolSelection(0, "000002"), 1);
}
