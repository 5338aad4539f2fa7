#include "qvcore/subtotal_rules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qv::core;

TEST(SubtotalRules, SelectionOpensTheDialogAndComesBackUnchanged) {
    // 2, 4, 5 over six names: third name, fifth and sixth ticked.
    SubtotalOpening opening = OpenSubtotal(6, {2, 4, 5});
    EXPECT_EQ(opening.atChange, 2);
    EXPECT_EQ(opening.ticked, (std::vector<bool>{false, false, false, false, true, true}));
    EXPECT_EQ(SubtotalSelection(opening.atChange, opening.ticked),
              (std::vector<uint32_t>{2, 4, 5}));

    // Elements beyond the names are ignored, repeated ones tick once, and the
    // array written back is in list order.
    opening = OpenSubtotal(3, {1, 7, 2, 0, 2, 0xFFFFFFFFu});
    EXPECT_EQ(opening.atChange, 1);
    EXPECT_EQ(opening.ticked, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(SubtotalSelection(opening.atChange, opening.ticked),
              (std::vector<uint32_t>{1, 0, 2}));
}

TEST(SubtotalRules, UnusableSelectionOpensOnTheFirstColumnWithTheLastTicked) {
    for (const std::vector<uint32_t>& selection :
         {std::vector<uint32_t>{}, std::vector<uint32_t>{6}, std::vector<uint32_t>{6, 1, 2},
          std::vector<uint32_t>{0xFFFFFFFFu, 0}}) {
        SubtotalOpening opening = OpenSubtotal(6, selection);
        EXPECT_EQ(opening.atChange, 0);
        EXPECT_EQ(opening.ticked, (std::vector<bool>{false, false, false, false, false, true}));
    }
    SubtotalOpening none = OpenSubtotal(0, {});
    EXPECT_TRUE(none.ticked.empty());
    EXPECT_EQ(SubtotalSelection(-1, {}), std::vector<uint32_t>{});
}

TEST(SubtotalRules, FunctionAndLanguageBits) {
    EXPECT_EQ(SubtotalFunction(0x00), 0);
    EXPECT_EQ(SubtotalFunction(10 << 3), 10);
    for (int position = 11; position <= 15; ++position) {
        EXPECT_EQ(SubtotalFunction(static_cast<uint8_t>(position << 3 | 0x87)), -1);
    }
    // The other bits are kept when the function changes.
    EXPECT_EQ(WithSubtotalFunction(0xFF, 0), 0x87);
    EXPECT_EQ(WithSubtotalFunction(0x85, 6), 0x85 | 6 << 3);
    EXPECT_EQ(WithSubtotalFunction(0x00, 0x13), 3 << 3); // low four bits only
    EXPECT_EQ(SubtotalDataLanguage(0x02), 1);
    EXPECT_EQ(SubtotalDataLanguage(0x05), 2);
    EXPECT_EQ(SubtotalDataLanguage(0xF9), 0);
}
