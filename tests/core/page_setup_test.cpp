#include "qvcore/page_setup.h"

#include <gtest/gtest.h>

using namespace qv::core;

TEST(PageSetup, StartPageAndAction) {
    EXPECT_EQ(PageSetupStartIndex(0), 0);
    EXPECT_EQ(PageSetupStartIndex(1), 0);
    EXPECT_EQ(PageSetupStartIndex(2), 1);
    EXPECT_EQ(PageSetupStartIndex(4 | 8), 2);
    EXPECT_EQ(PageSetupStartIndex(8), 3);
    EXPECT_EQ(PageSetupStartIndex(0xF0), 0);

    EXPECT_EQ(PageSetupActionOut(0, {0, 0, 0, 0}), 0);
    EXPECT_EQ(PageSetupActionOut(0x10, {0, 0, 0, 0}), 0x10);
    EXPECT_EQ(PageSetupActionOut(0, {0, kActionPreview, kActionPrint, 0}), kActionPreview);
    EXPECT_EQ(PageSetupActionOut(kActionPrint, {0, 0, 0, kActionPreview}), 3);
}

TEST(PageSetup, AdjustPercentBounds) {
    int16_t percent = 100;
    EXPECT_EQ(CheckAdjustPercent("49", percent), NumberCheck::OutOfRange);
    EXPECT_EQ(CheckAdjustPercent("401", percent), NumberCheck::OutOfRange);
    EXPECT_EQ(percent, 100);
    EXPECT_EQ(CheckAdjustPercent(" 50 ", percent), NumberCheck::Ok);
    EXPECT_EQ(percent, 50);
    EXPECT_EQ(CheckAdjustPercent("400", percent), NumberCheck::Ok);
    EXPECT_EQ(percent, 400);
    for (const char* bad : {"", "  ", "1o0", "+100", "-60", "100%", "1 00"}) {
        EXPECT_EQ(CheckAdjustPercent(bad, percent), NumberCheck::NotWhole) << bad;
    }
    EXPECT_EQ(CheckAdjustPercent("99999999999999999999", percent), NumberCheck::OutOfRange);
}

TEST(PageSetup, FirstPageNumberBox) {
    FirstPageAnswer a = CheckFirstPage("");
    EXPECT_EQ(a.kind, FirstPageAnswer::Keep);
    EXPECT_EQ(a.shown, "Auto");
    EXPECT_EQ(CheckFirstPage("Auto").kind, FirstPageAnswer::Keep);
    a = CheckFirstPage(" ");
    EXPECT_EQ(a.kind, FirstPageAnswer::Store);
    EXPECT_EQ(a.value, 0);
    EXPECT_EQ(a.shown, "0");
    a = CheckFirstPage("32767");
    EXPECT_EQ(a.kind, FirstPageAnswer::Store);
    EXPECT_EQ(a.value, 32767);
    for (const char* bad : {"32768", "auto", "-1", "  ", " 7", "1e3", "99999999999"}) {
        EXPECT_EQ(CheckFirstPage(bad).kind, FirstPageAnswer::Refuse) << bad;
    }
}

TEST(PageSetup, PapersKeepTheirOwnIdentifiers) {
    const std::vector<std::string> names = {"Letter",   "Custom Label", "Legal",
                                            "custom 2", "A4",           "Customary"};
    const std::vector<uint16_t> ids = {1, 256, 5, 257, 9, 258};
    const auto offered = OfferedPapers(names, ids);
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[1].name, "Legal");
    EXPECT_EQ(offered[1].id, 5);
    EXPECT_EQ(offered[2].id, 9);
    EXPECT_EQ(PaperSelection(offered, 9), 2);
    EXPECT_EQ(PaperSelection(offered, 5), 1);
    EXPECT_EQ(PaperSelection(offered, 1), 0);
    EXPECT_EQ(PaperSelection(offered, 256), 0); // left out of the list
    EXPECT_EQ(PaperSelection(offered, 70), 0);
    EXPECT_EQ(PaperSelection({}, 9), -1);
    // More names than identifiers (or the reverse) pair only what both have.
    EXPECT_EQ(OfferedPapers({"A3", "A2"}, {8}).size(), 1u);
    EXPECT_EQ(OfferedPapers({std::string(80, 'n')}, {8})[0].name.size(), 64u);
    // A paper whose identifier is 1 but not first still opens on entry 0.
    EXPECT_EQ(PaperSelection(OfferedPapers({"A4", "Letter"}, {9, 1}), 1), 0);
}

TEST(PageSetup, QualityTexts) {
    EXPECT_EQ(ResolutionText(600, 600), "600 x 600 dpi");
    EXPECT_EQ(ResolutionText(1200, 300), "1200 x 300 dpi");
}

TEST(PageSetup, MarginChecksStoreWhatPassed) {
    std::array<float, kMarginCount> values{9, 9, 9, 9, 9, 9};
    EXPECT_EQ(CheckMargins({"1", "1", "0.75", "0.75", "0.5", "0.5"}, values).kind,
              MarginsCheck::Ok);
    EXPECT_FLOAT_EQ(values[kMarginLeft], 0.75f);

    // Top 5.5 and bottom 5.5 reach the page height; 5.49 does not.
    values = {};
    MarginsCheck check = CheckMargins({"5.5", "5.5", "0", "0", "0", "0"}, values);
    EXPECT_EQ(check.kind, MarginsCheck::DoesNotFit);
    EXPECT_EQ(check.box, kMarginBottom);
    EXPECT_EQ(CheckMargins({"5.5", "5.49", "0", "0", "0", "0"}, values).kind, MarginsCheck::Ok);
    check = CheckMargins({"1", "1", "4", "4", "0", "0"}, values);
    EXPECT_EQ(check.kind, MarginsCheck::DoesNotFit);
    EXPECT_EQ(check.box, kMarginRight);
    EXPECT_EQ(CheckMargins({"1", "1", "4", "3.99", "0", "0"}, values).kind, MarginsCheck::Ok);
    check = CheckMargins({"1", "1", "1", "1", "6", "5"}, values);
    EXPECT_EQ(check.kind, MarginsCheck::DoesNotFit);
    EXPECT_EQ(check.box, kMarginFooter);

    // Not numbers, or below 0: the boxes before stay stored.
    values = {7, 7, 7, 7, 7, 7};
    check = CheckMargins({"2", "-0.5", "x", "1", "1", "1"}, values);
    EXPECT_EQ(check.kind, MarginsCheck::NotANumber);
    EXPECT_EQ(check.box, kMarginBottom);
    EXPECT_FLOAT_EQ(values[kMarginTop], 2.0f);
    EXPECT_FLOAT_EQ(values[kMarginBottom], 7.0f);
    for (const char* bad : {"", "1.2.3", "+", "1,5", "abc"}) {
        check = CheckMargins({"0", "0", bad, "0", "0", "0"}, values);
        EXPECT_EQ(check.kind, MarginsCheck::NotANumber) << bad;
        EXPECT_EQ(check.box, kMarginLeft) << bad;
    }
    EXPECT_EQ(CheckMargins({" +0 ", "0.", ".5", "-0", "0", "0"}, values).kind, MarginsCheck::Ok);
}

TEST(PageSetup, MarginTextHasTwoDecimals) {
    EXPECT_EQ(MarginText(0.3f), "0.30");
    EXPECT_EQ(MarginText(0.75), "0.75");
    EXPECT_EQ(MarginText(1.005), "1.00");
    EXPECT_EQ(MarginText(100), "100.00");
    EXPECT_EQ(MarginText(-0.5), "-0.50");
    EXPECT_EQ(MarginText(1e300), "90000000000000.00");
}

TEST(PageSetup, PrintPageRange) {
    EXPECT_EQ(RemoveCommas("1,000"), "1000");
    EXPECT_EQ(CheckPageRange(3, 1), PageRangeCheck::ToBeforeFrom);
    EXPECT_EQ(CheckPageRange(0, 5), PageRangeCheck::OutOfRange);
    EXPECT_EQ(CheckPageRange(1, 32768), PageRangeCheck::OutOfRange);
    EXPECT_EQ(CheckPageRange(1000, 2000), PageRangeCheck::Ok);
    EXPECT_EQ(CheckPageRange(32767, 32767), PageRangeCheck::Ok);
}
