#include "qvcore/text.h"

#include <gtest/gtest.h>

using namespace qv::core;

TEST(Text, LabelDotsAndPathsAndBoundedLength) {
    EXPECT_EQ(RemoveDots("&Options..."), "&Options");
    EXPECT_EQ(RemoveDots("."), "");
    EXPECT_EQ(StripTrailingBackslash("C:\\App\\"), "C:\\App");
    EXPECT_EQ(StripTrailingBackslash("C:\\App\\\\"), "C:\\App\\");
    EXPECT_EQ(StripTrailingBackslash(""), "");
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(BoundedLength(unterminated, 4), 4u);
    EXPECT_EQ(BoundedLength(nullptr, 10), 0u);
    EXPECT_EQ(BoundedLength("ab", 10), 2u);
}
