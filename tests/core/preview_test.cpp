#include "qvcore/preview.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace qv::core;

namespace {

SampleControls Controls(int category, std::string_view decimals = "2", int negative = 0,
                        int symbol = 0, bool separator = false, int type = 0) {
    SampleControls c;
    c.category = category;
    c.decimalPlaces = decimals;
    c.negativeStyle = negative;
    c.symbol = symbol;
    c.separator = separator;
    c.type = type;
    return c;
}

PreviewTexts Texts() {
    PreviewTexts texts;
    texts.symbol1 = "Rs";
    texts.symbol2 = "$";
    return texts;
}

} // namespace

TEST(PreviewNumeric, WhatCountsAsANumber) {
    EXPECT_TRUE(IsNumericSampleText("12"));
    EXPECT_TRUE(IsNumericSampleText("  -12.5  "));
    EXPECT_TRUE(IsNumericSampleText("+.5"));
    EXPECT_TRUE(IsNumericSampleText("5."));
    EXPECT_TRUE(IsNumericSampleText("-")); // a lone sign passes the test
    EXPECT_FALSE(IsNumericSampleText(""));
    EXPECT_FALSE(IsNumericSampleText("   "));
    EXPECT_FALSE(IsNumericSampleText("1e5"));
    EXPECT_FALSE(IsNumericSampleText("1.2.3"));
    EXPECT_FALSE(IsNumericSampleText("1-2"));
    EXPECT_FALSE(IsNumericSampleText("--1"));
    EXPECT_FALSE(IsNumericSampleText("1 2"));
    EXPECT_FALSE(IsNumericSampleText("\t5"));
    EXPECT_FALSE(IsNumericSampleText("1,234"));
    EXPECT_FALSE(IsNumericSampleText("NaN"));
    EXPECT_FALSE(IsNumericSampleText(std::string_view("1\0", 2)));
}

TEST(PreviewDecimal, CutsNeverRoundsAndPads) {
    EXPECT_EQ(ApplyDecimalStep("12.9", 0), "12");
    EXPECT_EQ(ApplyDecimalStep("1.999", 2), "1.99");
    EXPECT_EQ(ApplyDecimalStep("-0.129", 2), "-0.12");
    EXPECT_EQ(ApplyDecimalStep("1.5", 3), "1.500");
    EXPECT_EQ(ApplyDecimalStep("5", 0), "5");
    EXPECT_EQ(ApplyDecimalStep("5", 2), "5.00");
    EXPECT_EQ(ApplyDecimalStep("5.", 0), "5");
    EXPECT_EQ(ApplyDecimalStep("5.", 1), "5.0");
    EXPECT_EQ(ApplyDecimalStep(".75", 0), "");
    EXPECT_EQ(ApplyDecimalStep("1.25", -1), "1.25");

    EXPECT_EQ(ParseDecimalPlaces("2"), 2);
    EXPECT_EQ(ParseDecimalPlaces(" 15"), 15);
    EXPECT_EQ(ParseDecimalPlaces("+3"), 3);
    EXPECT_EQ(ParseDecimalPlaces("-1"), -1);
    EXPECT_EQ(ParseDecimalPlaces("4x"), 4);
    EXPECT_EQ(ParseDecimalPlaces(""), 0);
    EXPECT_EQ(ParseDecimalPlaces("ab"), 0);
    EXPECT_EQ(ParseDecimalPlaces("99999999999999999999"), 999);
    EXPECT_EQ(ParseDecimalPlaces("-99999999999999999999"), -999);
}

TEST(PreviewGrouping, IndianGroupsWithSignsAndFractions) {
    EXPECT_EQ(GroupDigitsIndian("1234567"), "12,34,567");
    EXPECT_EQ(GroupDigitsIndian("-1234567"), "-12,34,567");
    EXPECT_EQ(GroupDigitsIndian("12345.678"), "12,345.678");
    EXPECT_EQ(GroupDigitsIndian("-123456.78901"), "-1,23,456.78901");
    EXPECT_EQ(GroupDigitsIndian("123456789012"), "1,23,45,67,89,012");
    EXPECT_EQ(GroupDigitsIndian("1234"), "1,234");
    EXPECT_EQ(GroupDigitsIndian("123"), "123");
    EXPECT_EQ(GroupDigitsIndian("-123"), "-123");
    EXPECT_EQ(GroupDigitsIndian("-123.4567"), "-123.4567");
    EXPECT_EQ(GroupDigitsIndian("+12345"), "+12,345");
    EXPECT_EQ(GroupDigitsIndian("-.5"), "-.5");
    EXPECT_EQ(GroupDigitsIndian(""), "");
}

TEST(PreviewNumber, DecimalsSeparatorAndNegativeStyles) {
    const PreviewTexts texts = Texts();
    // The Symbol list still selects a symbol: the minus stays.
    EXPECT_EQ(RenderNumberSample("-1234567.891", Controls(1, "2", 1, 1, true), texts),
              "-12,34,567.89");
    EXPECT_EQ(RenderNumberSample("-1234567.891", Controls(1, "2", 1, 0, true), texts),
              "12,34,567.89");
    EXPECT_EQ(RenderNumberSample("-1234567.891", Controls(1, "2", 2, 0, true), texts),
              "(12,34,567.89)");
    EXPECT_EQ(RenderNumberSample("-1234567.891", Controls(1, "2", 3, 0, false), texts),
              "(1234567.89)");
    EXPECT_EQ(RenderNumberSample("-1234567.891", Controls(1, "2", 0, 0, false), texts),
              "-1234567.89");
    EXPECT_EQ(RenderNumberSample("-5", Controls(1, "0", -1, 0), texts), "-5");
    EXPECT_EQ(RenderNumberSample("12.9", Controls(1, "0"), texts), "12");
    EXPECT_EQ(RenderNumberSample("  12.5 ", Controls(1, "3"), texts), "12.500");
    // At most 15 places.
    EXPECT_EQ(RenderNumberSample("1", Controls(1, "40"), texts), "1.000000000000000");
    EXPECT_EQ(RenderNumberSample("1.5", Controls(1, "-2"), texts), "1.5");
}

TEST(PreviewCurrency, SymbolSitsAfterSignOrParenthesis) {
    const PreviewTexts texts = Texts();
    EXPECT_EQ(RenderNumberSample("-5", Controls(2, "2", 2, 1), texts), "(Rs5.00)");
    EXPECT_EQ(RenderNumberSample("-5", Controls(2, "2", 3, 2), texts), "($5.00)");
    EXPECT_EQ(RenderNumberSample("-5", Controls(2, "2", 0, 1), texts), "-Rs5.00");
    EXPECT_EQ(RenderNumberSample("-5", Controls(2, "2", 1, 1), texts), "Rs5.00");
    EXPECT_EQ(RenderNumberSample("1234567.5", Controls(2, "2", 0, 2), texts), "$12,34,567.50");
    EXPECT_EQ(RenderNumberSample("-1234.5", Controls(2, "0", 2, 1), texts), "(Rs1,234)");
    // Without a symbol Currency styles negatives exactly as Number does.
    EXPECT_EQ(RenderNumberSample("-1234.5", Controls(2, "1", 2, 0), texts), "(1,234.5)");
    EXPECT_EQ(RenderNumberSample("-1234.5", Controls(2, "1", 0, 0), texts), "-1,234.5");
    EXPECT_EQ(RenderNumberSample("7", Controls(2, "99", 0, 1), texts), "Rs7.000000000000000");
}

TEST(PreviewPercentage, PointMovesTwoPlaces) {
    const PreviewTexts texts = Texts();
    auto percent = [&](std::string_view value, std::string_view decimals = "2") {
        return RenderNumberSample(value, Controls(5, decimals), texts);
    };
    EXPECT_EQ(percent("0.25"), "25.00%");
    EXPECT_EQ(percent("1"), "100.00%");
    EXPECT_EQ(percent("5"), "500.00%");
    EXPECT_EQ(percent("12.345"), "1234.50%");
    EXPECT_EQ(percent("1.5"), "150.00%");
    EXPECT_EQ(percent("0.001"), "0.10%");
    EXPECT_EQ(percent("0.00"), "0.00%");
    EXPECT_EQ(percent("-0.05"), "-5.00%");
    EXPECT_EQ(percent("-.5"), "-50.00%");
    EXPECT_EQ(percent("5."), "500.00%");
    EXPECT_EQ(percent("0.256", "0"), "25%");
    EXPECT_EQ(percent("0.123456789", "20"), "12.34567890000000000000%");
    EXPECT_EQ(percent("0.25", "-1"), "25.%");
    // A value that starts with its point takes "00.00" as a whole number would.
    EXPECT_EQ(percent(".5"), ".50%");
}

TEST(PreviewFraction, ApproximationsAndLayout) {
    EXPECT_EQ(FractionSample("0.333", 0), "1/3");
    EXPECT_EQ(FractionSample("2", 0), "2    ");
    EXPECT_EQ(FractionSample("2", 1), "2      ");
    EXPECT_EQ(FractionSample("2", 2), "2        ");
    EXPECT_EQ(FractionSample("1.25", 1), "1  1/4 ");
    EXPECT_EQ(FractionSample("0.6875", 1), "11/16");
    EXPECT_EQ(FractionSample("0.6875", 0), "2/3");
    EXPECT_EQ(FractionSample("3.14159265358979", 2), "3  16/113");
    EXPECT_EQ(FractionSample("0", 0), "0");
    EXPECT_EQ(FractionSample("-0", 1), "0");
    // Close to 1: the fraction rounds into the whole part.
    EXPECT_EQ(FractionSample("0.9999", 0), "1    ");
    EXPECT_EQ(FractionSample("1.9999", 1), "2      ");
    EXPECT_EQ(FractionSample("0.999", 2), "998/999");
    EXPECT_EQ(FractionSample("1.99999999999999", 2), "2        ");
    // Too small for the denominators: zero, or the smallest fraction.
    EXPECT_EQ(FractionSample("0.001", 0), "0");
    EXPECT_EQ(FractionSample("5.001", 0), "5    ");
    EXPECT_EQ(FractionSample("5.001", 2), "5   1/999");
    EXPECT_EQ(FractionSample("0.1", 0), "1/9");
    // Large whole parts keep every digit.
    EXPECT_EQ(FractionSample("123456789012.5", 0), "123456789012 1/2");
    EXPECT_EQ(FractionSample("4611686018427387904", 0), "4611686018427387904    ");
    // Negative values: the sign goes on the whole part, none between -1 and 0.
    EXPECT_EQ(FractionSample("-2", 0), "-2    ");
    EXPECT_EQ(FractionSample("-1.75", 0), "-1 3/4");
    EXPECT_EQ(FractionSample("-0.5", 0), "1/2");
    // Out of range or no layout: the text itself.
    EXPECT_EQ(FractionSample("9223372036854775808", 0), "9223372036854775808");
    EXPECT_EQ(FractionSample("0.5", 3), "0.5");
    EXPECT_EQ(FractionSample("0.5", -1), "0.5");
    const std::string digits(400, '9');
    EXPECT_EQ(FractionSample(digits, 1), digits);

    FractionParts parts;
    EXPECT_FALSE(ApproximateFraction(std::nan(""), 9, parts));
    EXPECT_FALSE(ApproximateFraction(-1e300, 9, parts));
    ASSERT_TRUE(ApproximateFraction(-9.2e18, 9, parts));
    EXPECT_EQ(parts.whole, -9200000000000000000);
    EXPECT_EQ(parts.num, 0);
}

TEST(DateSerial, CalendarRoundingAndRange) {
    struct Case {
        double serial;
        int year, month, day, hour, minute, second, weekday;
    };
    const Case cases[] = {
        {0, 1899, 12, 30, 0, 0, 0, 7},
        {1, 1899, 12, 31, 0, 0, 0, 1},
        {2, 1900, 1, 1, 0, 0, 0, 2},
        {59, 1900, 2, 27, 0, 0, 0, 3},
        {60, 1900, 2, 28, 0, 0, 0, 4},
        {61, 1900, 3, 1, 0, 0, 0, 5},
        {36585, 2000, 2, 29, 0, 0, 0, 3},
        {36964, 2001, 3, 14, 0, 0, 0, 4},
        {45000.75, 2023, 3, 15, 18, 0, 0, 4},
        {2958465, 9999, 12, 31, 0, 0, 0, 6},
        {45000.999994, 2023, 3, 15, 23, 59, 59, 4},
        // Half a second before midnight rounds into the next day.
        {45000.999995, 2023, 3, 16, 0, 0, 0, 5},
        {2958464.99999999, 9999, 12, 31, 0, 0, 0, 6},
    };
    for (const Case& c : cases) {
        SerialDateTime w;
        ASSERT_TRUE(SerialToDateTime(c.serial, w)) << c.serial;
        EXPECT_EQ(w.year, c.year) << c.serial;
        EXPECT_EQ(w.month, c.month) << c.serial;
        EXPECT_EQ(w.day, c.day) << c.serial;
        EXPECT_EQ(w.hour, c.hour) << c.serial;
        EXPECT_EQ(w.minute, c.minute) << c.serial;
        EXPECT_EQ(w.second, c.second) << c.serial;
        EXPECT_EQ(w.weekday, c.weekday) << c.serial;
    }
    SerialDateTime w;
    EXPECT_FALSE(SerialToDateTime(2958465.5, w));
    EXPECT_FALSE(SerialToDateTime(-0.5, w));
    EXPECT_FALSE(SerialToDateTime(std::nan(""), w));
    EXPECT_FALSE(SerialToDateTime(INFINITY, w));
    EXPECT_TRUE(SerialToDateTime(-0.0, w));
}

TEST(DateSerial, TextToNumberIgnoresLocaleAndNeverFails) {
    EXPECT_EQ(SampleTextToDouble("  +1.5e3xyz"), 1500.0);
    EXPECT_EQ(SampleTextToDouble("45000.75"), 45000.75);
    EXPECT_EQ(SampleTextToDouble(".5"), 0.5);
    EXPECT_EQ(SampleTextToDouble("5."), 5.0);
    EXPECT_EQ(SampleTextToDouble("1e"), 1.0);
    EXPECT_EQ(SampleTextToDouble("."), 0.0);
    EXPECT_EQ(SampleTextToDouble("-"), 0.0);
    EXPECT_EQ(SampleTextToDouble("nan"), 0.0);
    EXPECT_EQ(SampleTextToDouble("inf"), 0.0);
    EXPECT_TRUE(std::signbit(SampleTextToDouble("-0")));
    EXPECT_EQ(SampleTextToDouble("1e400"), INFINITY);
    EXPECT_EQ(SampleTextToDouble("-1e99999999999999999999"), -INFINITY);
    EXPECT_EQ(SampleTextToDouble(std::string(400, '9')), INFINITY);
    EXPECT_EQ(SampleTextToDouble("1e-400"), 0.0);
    EXPECT_EQ(SampleTextToDouble("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(SampleTextToDouble("1" + std::string(300, '0')), 1e300);
}

TEST(DateSampler, EighteenLayoutsInEnglishAndLocalNames) {
    DateNames local = EnglishDateNames();
    for (int i = 0; i < 12; ++i) {
        local.months[static_cast<size_t>(i)] = "M" + std::to_string(i + 1);
    }
    for (int i = 0; i < 7; ++i) {
        local.days[static_cast<size_t>(i)] = "D" + std::to_string(i + 1);
    }
    local.designators = {"am!", "pm!"};
    const TimeFormat time;
    const char* const english[] = {"Wednesday, March 15, 2023",
                                   "15-Mar",
                                   "15-Mar-23",
                                   "Mar-23",
                                   "March-23",
                                   "March 15, 2023",
                                   "03/15/23 06:00 PM",
                                   "03/15/2023 18:00",
                                   "15-Mar-2023",
                                   "06:00 PM",
                                   "06:00:00 PM",
                                   "15-Mar-23",
                                   "15-Mar",
                                   "6:00:00 PM",
                                   "15/3/23",
                                   "15/03/23",
                                   "15/3/2023",
                                   "15/03/2023"};
    const char* const localised[] = {"D4, M3, 15, 2023",
                                     "15-M3",
                                     "15-M3-23",
                                     "M3-23",
                                     "M3-23",
                                     "M3 15, 2023",
                                     "03/15/23 06:00 pm!",
                                     "03/15/2023 18:00",
                                     "15-M3-2023",
                                     "06:00 pm!",
                                     "06:00:00 pm!",
                                     "15-M3-23",
                                     "15-M3",
                                     "6:00:00 pm!",
                                     "15/3/23",
                                     "15/03/23",
                                     "15/3/2023",
                                     "15/03/2023"};
    DateTimeSampler sampler(local, time);
    sampler.SetValueText("45000.75");
    for (unsigned type = 1; type <= 18; ++type) {
        sampler.SetType(type);
        sampler.SetLanguage(1);
        EXPECT_EQ(sampler.Render(), english[type - 1]) << type;
        sampler.SetLanguage(2);
        EXPECT_EQ(sampler.Render(), localised[type - 1]) << type;
    }
    // Morning, a single-digit year and the unpadded local forms.
    sampler.SetValueText("36964.25");
    sampler.SetType(3);
    sampler.SetLanguage(1);
    EXPECT_EQ(sampler.Render(), "14-Mar-01");
    sampler.SetLanguage(2);
    EXPECT_EQ(sampler.Render(), "14-M3-1");
    sampler.SetType(7);
    EXPECT_EQ(sampler.Render(), "03/14/01 06:00 am!");
    sampler.SetType(5);
    EXPECT_EQ(sampler.Render(), "M3-1");
    sampler.SetType(15);
    EXPECT_EQ(sampler.Render(), "14/3/01");
    sampler.SetType(18);
    EXPECT_EQ(sampler.Render(), "14/03/2001");
    sampler.SetType(14);
    sampler.SetLanguage(0);
    EXPECT_EQ(sampler.Render(), "6:00:00 AM");
}

TEST(DateSampler, EarlySerialsShiftErrorsAndTypes) {
    DateTimeSampler sampler;
    sampler.SetType(1);
    for (const char* serial : {"60", "61"}) {
        sampler.SetValueText(serial);
        EXPECT_EQ(sampler.Render(), "Thursday, March 01, 1900") << serial;
    }
    sampler.SetValueText("59");
    EXPECT_EQ(sampler.Render(), "Wednesday, February 28, 1900");
    sampler.SetValueText("1");
    EXPECT_EQ(sampler.Render(), "Monday, January 01, 1900");
    sampler.SetValueText("0");
    EXPECT_EQ(sampler.Render(), "Sunday, December 31, 1899");
    sampler.SetValueText("60.5"); // above 60: not shifted
    EXPECT_EQ(sampler.Render(), "Wednesday, February 28, 1900");
    sampler.SetValueText("2958465");
    EXPECT_EQ(sampler.Render(), "Friday, December 31, 9999");
    // Types without the shift.
    sampler.SetValueText("60");
    sampler.SetType(4);
    EXPECT_EQ(sampler.Render(), "Feb-00");
    sampler.SetType(13);
    EXPECT_EQ(sampler.Render(), "28-Feb");
    sampler.SetType(2);
    EXPECT_EQ(sampler.Render(), "01-Mar");
    // Crossing midnight in the time of day only.
    sampler.SetValueText("45000.999999");
    sampler.SetType(14);
    EXPECT_EQ(sampler.Render(), "12:00:00 AM");
    sampler.SetType(8);
    EXPECT_EQ(sampler.Render(), "03/16/2023 00:00");
    // Errors and unknown types.
    sampler.SetValueText("-1");
    EXPECT_EQ(sampler.Render(), "#ERROR");
    sampler.SetValueText("-0");
    EXPECT_EQ(sampler.Render(), "12/31/1899 00:00");
    sampler.SetValueText("2958466");
    EXPECT_EQ(sampler.Render(), "2958466");
    sampler.SetValueText(std::string(300, '7'));
    EXPECT_EQ(sampler.Render(), std::string(300, '7'));
    sampler.SetValueText("45000");
    sampler.SetType(0);
    EXPECT_EQ(sampler.Render(), "");
    sampler.SetType(19);
    EXPECT_EQ(sampler.Render(), "");
    sampler.SetValueText("-3");
    EXPECT_EQ(sampler.Render(), "#ERROR");
}

TEST(DateSampler, NamesFromStringsAndTimePictures) {
    std::string_view texts[21];
    for (auto& t : texts) {
        t = "x";
    }
    texts[0] = "Jan*";
    texts[12] = "Sun*";
    texts[20] = "PM*";
    DateNames names = DateNamesFromStrings(texts);
    EXPECT_EQ(names.months[0], "Jan*");
    EXPECT_EQ(names.days[0], "Sun*");
    EXPECT_EQ(names.designators[1], "PM*");
    texts[5] = "";
    EXPECT_EQ(DateNamesFromStrings(texts).months[0], "January");
    EXPECT_EQ(DateNamesFromStrings(std::span(texts, 20)).designators[1], "PM");

    SerialDateTime when;
    ASSERT_TRUE(SerialToDateTime(45000.0 + (9 * 3600 + 5 * 60 + 7) / 86400.0, when));
    EXPECT_EQ(FormatTimePicture(when, {"HH:mm:ss", "AM", "PM"}), "09:05:07");
    EXPECT_EQ(FormatTimePicture(when, {"h 'o''clock' t", "vorm", "nachm"}), "9 o'clock v");
    EXPECT_EQ(FormatTimePicture(when, {"H.m.s tt''", "a", "p"}), "9.5.7 a'");
    EXPECT_EQ(FormatTimePicture(when, {"'unclosed", "a", "p"}), "unclosed");
    EXPECT_EQ(FormatDateTime(when, "%a %% %q %"), "Wed % %q %");
}

TEST(PreviewDispatch, CategoriesAndSelections) {
    const PreviewTexts texts = Texts();
    // Not numeric, General, Text and no category: the value as it is.
    EXPECT_EQ(RenderNumberSample("1e5", Controls(1), texts), "1e5");
    EXPECT_EQ(RenderNumberSample("", Controls(1), texts), "");
    EXPECT_EQ(RenderNumberSample(" 12.5 ", Controls(0), texts), " 12.5 ");
    EXPECT_EQ(RenderNumberSample("12.5", Controls(7), texts), "12.5");
    EXPECT_EQ(RenderNumberSample("12.5", Controls(-1), texts), "12.5");
    EXPECT_EQ(RenderNumberSample("12.5", Controls(8), texts), "12.5");

    auto date = [&](std::string_view value, int type, std::uint8_t language = 1) {
        SampleControls c = Controls(3);
        c.type = type;
        c.language = language;
        return RenderNumberSample(value, c, texts);
    };
    EXPECT_EQ(date("60", 0), "02/28/1900");
    EXPECT_EQ(date("60", 1), "Thursday, March 01, 1900");
    EXPECT_EQ(date("45000.75", 2), "03/15");
    EXPECT_EQ(date("45000.75", 3), "03/15/23");
    EXPECT_EQ(date("36964", 5), "14-Mar-01");
    EXPECT_EQ(date("45000.75", 11), "15-Mar-2023");
    EXPECT_EQ(date("45000.75", 12), "15/3/23");
    EXPECT_EQ(date("45000.75", 15), "15/03/2023");
    EXPECT_EQ(date("45000.75", 16), "45000.75");
    EXPECT_EQ(date("45000.75", -1), "45000.75");
    EXPECT_EQ(date("-1", 16), "#ERROR");
    EXPECT_EQ(date("3000000", 0), "3000000");

    auto time = [&](std::string_view value, int type) {
        return RenderNumberSample(value, Controls(4, "2", 0, 0, false, type), texts);
    };
    EXPECT_EQ(time("45000.75", 0), "6:00:00 PM");
    EXPECT_EQ(time("45000.75", 1), "18:00");
    EXPECT_EQ(time("0.5", 2), "12:00 PM");
    EXPECT_EQ(time("45000.75", 3), "45000.75");
    EXPECT_EQ(time("-0.25", 0), "#ERROR");

    EXPECT_EQ(RenderNumberSample("1.25", Controls(6, "2", 0, 0, false, 1), texts), "1  1/4 ");
}

TEST(PreviewRobustness, ExtremeTextsInEveryCategory) {
    const PreviewTexts texts = Texts();
    const std::string digits300(300, '9');
    const std::string longFraction = "0." + std::string(300, '3');
    const std::string values[] = {digits300,
                                  "-" + digits300,
                                  longFraction,
                                  "-",
                                  "+",
                                  ".",
                                  "-.",
                                  "1e308",
                                  "NaN",
                                  "-0",
                                  "  ",
                                  "+0.",
                                  "9223372036854775807.5"};
    for (const std::string& value : values) {
        for (int category = -1; category <= 8; ++category) {
            for (int type = -1; type <= 16; ++type) {
                for (int style = -1; style <= 4; ++style) {
                    SampleControls c = Controls(category, "15", style, (type + 1) % 3, true, type);
                    const std::string sample = RenderNumberSample(value, c, texts);
                    if (category == 6 && type >= 0 && type <= 2) {
                        EXPECT_LE(sample.size(), std::max<size_t>(40, value.size()));
                    }
                }
            }
        }
    }
    EXPECT_EQ(RenderNumberSample("-", Controls(1, "2", 2, 0), texts), "(.00)");
    EXPECT_EQ(RenderNumberSample(digits300, Controls(2, "2", 0, 1), texts).size(),
              3 + 2 + 300 + 149);
}
