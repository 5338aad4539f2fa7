#include "qvcore/header_footer.h"

#include <gtest/gtest.h>

using namespace qv::core;

namespace {

const FieldTokens kTokens = {"&[Page]", "&[Pages]", "&[Date]", "&[Time]",
                             "&[Path]", "&[File]",  "&[Tab]"};

PreviewValues Values() {
    return {"6/5/2024", "12:05 PM", "C:\\Books", "Budget.xls", "Sheet3"};
}

} // namespace

TEST(HeaderFooter, CodesAndTokensTranslateBothWays) {
    const std::string codes = "&P of &N on &d{%x} at &d{%I:%M %p} - &Z\\&F [&A]";
    const std::string tokens = CodesToTokens(codes, kTokens);
    EXPECT_EQ(tokens, "&[Page] of &[Pages] on &[Date] at &[Time] - &[Path]\\&[File] [&[Tab]]");
    EXPECT_EQ(TokensToCodes(tokens, kTokens), codes);
    // "&[Pages]" is not read as the page token followed by "s]".
    EXPECT_EQ(TokensToCodes("&[Pages]&[Page]", kTokens), "&N&P");
    // Unknown codes and broken tokens are literal text.
    EXPECT_EQ(CodesToTokens("&X &d{%y} &", kTokens), "&X &d{%y} &");
    EXPECT_EQ(TokensToCodes("&[Pag] &[Page", kTokens), "&[Pag] &[Page");
}

TEST(HeaderFooter, MissingTokensLeaveTextAloneAndStoringCuts) {
    const FieldTokens none{};
    EXPECT_EQ(CodesToTokens("&P/&N", none), "/");
    EXPECT_EQ(TokensToCodes("&[Page]", none), "&[Page]");
    // A section of the maximum length stays whole; longer ones are cut.
    const std::string longest(kSectionMaxLength, 'x');
    EXPECT_EQ(TokensToCodes(longest, kTokens), longest);
    EXPECT_EQ(TokensToCodes(longest + "&[Page]", kTokens), longest);
    // A token that grows into a longer code is cut after the conversion.
    const std::string nearlyFull(kSectionMaxLength - 5, 'y');
    EXPECT_EQ(TokensToCodes(nearlyFull + "&[Time]", kTokens).size(), kSectionMaxLength);
}

TEST(HeaderFooter, PreviewRendersTokensAndCodes) {
    EXPECT_EQ(PreviewText("&[Page] of &N", kTokens, Values()), "1 of 1");
    EXPECT_EQ(PreviewText("&P of &[Pages]", kTokens, Values()), "1 of 1");
    EXPECT_EQ(PreviewText("&d{%x} &[Time] &Z\\&[File] &A", kTokens, Values()),
              "6/5/2024 12:05 PM C:\\Books\\Budget.xls Sheet3");
    EXPECT_EQ(PreviewText("100% & more", kTokens, Values()), "100% & more");
}

TEST(HeaderFooter, SampleDateAndTwelveHourTime) {
    EXPECT_EQ(DateSampleText(2024, 1, 9), "1/9/2024");
    EXPECT_EQ(DateSampleText(1999, 12, 31), "12/31/1999");
    EXPECT_EQ(TimeSampleText(0, 5), "12:05 AM");
    EXPECT_EQ(TimeSampleText(12, 5), "12:05 PM");
    EXPECT_EQ(TimeSampleText(13, 0), "1:00 PM");
    EXPECT_EQ(TimeSampleText(23, 59), "11:59 PM");
    EXPECT_EQ(TimeSampleText(9, 30), "9:30 AM");
}

TEST(HeaderFooter, WordsAndSheetCaptions) {
    EXPECT_EQ(TokenWord("&[Page]"), "Page");
    EXPECT_EQ(TokenWord("&[~Page]"), "~Page");
    EXPECT_EQ(TokenWord("&[a]b]"), "a]b");
    EXPECT_EQ(TokenWord("&]"), "");
    EXPECT_EQ(TokenWord(""), "");
    EXPECT_EQ(SheetCaption("Sheet3", true, "~Sheet"), "Sheet3");
    EXPECT_EQ(SheetCaption("Sheet3", false, "~Sheet"), "~Sheet3");
    EXPECT_EQ(SheetCaption("Data", false, "~Sheet"), "~Sheet");
    EXPECT_EQ(SheetCaption("Shee", false, "~Sheet"), "~Sheet");
}

TEST(HeaderFooter, PresetsAndTheirMatches) {
    EXPECT_EQ(PresetCentre(kPresetPage, kTokens), "Page &[Page]");
    EXPECT_EQ(PresetCentre(kPresetPageOfPages, kTokens), "Page &[Page]/&[Pages]");
    EXPECT_EQ(TokensToCodes(PresetCentre(kPresetPageOfPages, kTokens), kTokens), "Page &P/&N");
    EXPECT_EQ(PresetCentre(kPresetSheet, kTokens), "&[Tab]");
    EXPECT_EQ(PresetCentre(kPresetNone, kTokens), "");

    EXPECT_EQ(MatchPreset("", "", "", kTokens), kPresetNone);
    EXPECT_EQ(MatchPreset("", "Page &[Page]", "", kTokens), kPresetPage);
    EXPECT_EQ(MatchPreset("", "Page &[Page]/&[Pages]", "", kTokens), kPresetPageOfPages);
    EXPECT_EQ(MatchPreset("", "&[Tab]", "", kTokens), kPresetSheet);
    // A bare page token, or a preset with text beside it, is another header.
    EXPECT_EQ(MatchPreset("", "&[Page]", "", kTokens), kPresetOther);
    EXPECT_EQ(MatchPreset("x", "Page &[Page]", "", kTokens), kPresetOther);
    EXPECT_EQ(MatchPreset("", "", "&[Tab]", kTokens), kPresetOther);
}
