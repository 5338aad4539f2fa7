#include "qvcore/series_rules.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

using namespace qv::core;

TEST(SeriesRules, StepShowsWithoutTrailingZeros) {
    EXPECT_EQ(SeriesStepText(1), "1");
    EXPECT_EQ(SeriesStepText(3), "3");
    EXPECT_EQ(SeriesStepText(10), "10");
    EXPECT_EQ(SeriesStepText(100), "100");
    EXPECT_EQ(SeriesStepText(0.5), "0.5");
    EXPECT_EQ(SeriesStepText(0.25f), "0.25");
    EXPECT_EQ(SeriesStepText(0), "0");
    EXPECT_EQ(SeriesStepText(-0.0), "-0");
    EXPECT_EQ(SeriesStepText(-2.5), "-2.5");
    EXPECT_EQ(SeriesStepText(0.0000004), "0");        // six decimals, then trimmed
    EXPECT_EQ(SeriesStepText(0.1f), "0.1");           // the float's error is below six decimals
    EXPECT_EQ(SeriesStepText(1234567.0f), "1234567"); // no exponent
    EXPECT_EQ(SeriesStepText(FLT_MAX), "340282346638528859811704183484516925440");
    EXPECT_EQ(SeriesStepText(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(SeriesStepText(std::nan("")), "");
}

TEST(SeriesRules, NumberTestAcceptsSignDigitsAndOnePoint) {
    for (const char* number : {"1", "-2.5", "0.25", ".5", "5.", " 7 ", "-0", "000", "-.5"}) {
        EXPECT_TRUE(IsSeriesNumber(number)) << number;
    }
    for (const char* bad :
         {"", "  ", "-", ".", "-.", "+2", "1.2.3", "1e308", "1,5", "--1", "1-", "1 2", "x"}) {
        EXPECT_FALSE(IsSeriesNumber(bad)) << bad;
    }
}

TEST(SeriesRules, ValuesAreTheRecordsFloats) {
    EXPECT_EQ(SeriesNumberValue("-2.5"), -2.5f);
    EXPECT_EQ(SeriesNumberValue(" 0.25 "), 0.25f);
    EXPECT_EQ(SeriesNumberValue("5."), 5.0f);
    EXPECT_EQ(SeriesNumberValue(".5"), 0.5f);
    const auto negativeZero = SeriesNumberValue("-0");
    ASSERT_TRUE(negativeZero.has_value());
    EXPECT_EQ(*negativeZero, 0.0f);
    EXPECT_TRUE(std::signbit(*negativeZero));
    // The largest float reads back; a number beyond the float range does not.
    EXPECT_EQ(SeriesNumberValue(SeriesStepText(FLT_MAX)), FLT_MAX);
    EXPECT_FALSE(SeriesNumberValue("340282356779733661637539395458142568448").has_value());
    EXPECT_FALSE(SeriesNumberValue("-" + std::string(400, '9')).has_value());
    EXPECT_EQ(SeriesNumberValue("0." + std::string(400, '0') + "1"), 0.0f);
    EXPECT_FALSE(SeriesNumberValue("+2").has_value());

    // Untested texts give their leading number.
    EXPECT_EQ(LeadingSeriesNumber("12abc"), 12.0f);
    EXPECT_EQ(LeadingSeriesNumber("1e308"), 1.0f);
    EXPECT_EQ(LeadingSeriesNumber("abc"), 0.0f);
    EXPECT_EQ(LeadingSeriesNumber("-"), 0.0f);
    EXPECT_EQ(LeadingSeriesNumber(" -3.5.2"), -3.5f);
    EXPECT_EQ(LeadingSeriesNumber(std::string(60, '9')), FLT_MAX);
    EXPECT_EQ(LeadingSeriesNumber("-" + std::string(60, '9')), -FLT_MAX);
}
