#include "qvcore/numbers.h"

#include <gtest/gtest.h>

using namespace qv::core;

TEST(Numbers, AtoiClampedReadsLikeAtoiWithoutOverflow) {
    EXPECT_EQ(AtoiClamped("  120%"), 120);
    EXPECT_EQ(AtoiClamped("-49"), -49);
    EXPECT_EQ(AtoiClamped("abc"), 0);
    EXPECT_EQ(AtoiClamped(""), 0);
    EXPECT_EQ(AtoiClamped("99999999999999999999"), 2147483647);
    EXPECT_EQ(AtoiClamped("-99999999999999999999"), -2147483647 - 1);
    // The zoom box keeps the low 16 bits of what atoi reads.
    EXPECT_EQ(static_cast<int16_t>(AtoiClamped("65586")), 50);
}

TEST(Numbers, SizeNumberRule) {
    for (const char* ok : {"12", "409", "0", "+3", "-1", "409.5", "1.", ".5", " 12 ", "\t7"}) {
        EXPECT_TRUE(IsSizeNumber(ok)) << ok;
    }
    for (const char* bad :
         {"", "   ", "+", "-", " + ", "-\t", "1.2.3", "1e3", "12a", "--1", "+-1", "1 2"}) {
        EXPECT_FALSE(IsSizeNumber(bad)) << bad;
    }
    EXPECT_EQ(RemoveSpaces(" 1 2 "), "12");
    EXPECT_DOUBLE_EQ(SizeNumberValue("409.5"), 409.5);
    EXPECT_DOUBLE_EQ(SizeNumberValue("-1"), -1.0);
}
