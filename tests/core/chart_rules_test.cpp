#include "qvcore/chart_rules.h"
#include "qvcore/chart_types.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace qv::core;

TEST(ChartRules, WizardCaptionsAndStockTexts) {
    EXPECT_EQ(ChartWizardCaption(1), "Chart Type - Step 1 of 3 - Chart Type");
    EXPECT_EQ(ChartWizardCaption(2), "Chart Type - Step 2 of 3 - Chart Source Data");
    EXPECT_EQ(ChartWizardCaption(3), "Chart Type - Step 3 of 3 - Chart Options");
    EXPECT_EQ(NormaliseWizardMode(3), 3);
    EXPECT_EQ(NormaliseWizardMode(4), 0);
    EXPECT_EQ(NormaliseWizardMode(-1), 0);
    // The first text keeps its missing space; each breaks after "sheet ".
    EXPECT_NE(StockChartMessage(1).find("closing price.Use dates"), std::string_view::npos);
    for (int32_t subtype = 1; subtype <= 4; ++subtype) {
        EXPECT_TRUE(StockChartMessage(subtype).starts_with(
            "To Create this stock chart, arrange the data on your sheet \r\nin this order: "));
        EXPECT_TRUE(StockChartMessage(subtype).ends_with(" as labels."));
    }
    EXPECT_NE(StockChartMessage(4).find("volume traded, opening price, high price"),
              std::string_view::npos);
    EXPECT_TRUE(StockChartMessage(5).empty());
    EXPECT_TRUE(StockChartMessage(0).empty());
    EXPECT_FALSE(ChartHasAxisPages(kChartPie));
    EXPECT_FALSE(ChartHasAxisPages(kChartDoughnut));
    EXPECT_TRUE(ChartHasAxisPages(kChartRadar));
}

TEST(ChartRules, OptionsPagesFollowTheType) {
    auto titles = [](int32_t m, int32_t s) {
        const TitleBoxes b = ChartTitleBoxes(m, s);
        return std::string(b.chart ? "c" : "") + (b.x ? "x" : "") + (b.y ? "y" : "") +
               (b.z ? "z" : "");
    };
    EXPECT_EQ(titles(1, 4), "cxz");
    EXPECT_EQ(titles(1, 7), "cxyz");
    EXPECT_EQ(titles(1, 1), "cxy");
    EXPECT_EQ(titles(2, 5), "cxz");
    EXPECT_EQ(titles(3, 5), "cxyz");
    EXPECT_EQ(titles(4, 2), "c");
    EXPECT_EQ(titles(8, 1), "c");
    EXPECT_EQ(titles(6, 3), "cxyz");
    EXPECT_EQ(titles(6, 4), "cxz");
    EXPECT_EQ(titles(6, 6), "cxy");
    EXPECT_EQ(titles(11, 7), "cxy");

    EXPECT_TRUE(ChartAxisBoxes(1, 7).zShown);
    EXPECT_FALSE(ChartAxisBoxes(1, 6).zShown);
    EXPECT_TRUE(ChartAxisBoxes(5, 4).yDisabled);
    EXPECT_FALSE(ChartAxisBoxes(5, 3).yDisabled);
    EXPECT_TRUE(ChartAxisBoxes(5, 3).zShown);
    EXPECT_TRUE(ChartAxisBoxes(11, 1).yDisabled);
    EXPECT_FALSE(ChartAxisBoxes(11, 6).yDisabled);

    EXPECT_TRUE(ChartGridlineGroups(1, 6).zEnabled);
    EXPECT_FALSE(ChartGridlineGroups(1, 7).zEnabled);
    EXPECT_TRUE(ChartGridlineGroups(6, 5).yDisabled);
    EXPECT_FALSE(ChartGridlineGroups(6, 4).yDisabled);
    EXPECT_TRUE(ChartGridlineGroups(8, 2).xDisabled);
    EXPECT_TRUE(ChartGridlineGroups(11, 3).zEnabled && ChartGridlineGroups(11, 3).yDisabled);

    const SeriesBoxes xy = ChartSeriesBoxes(5, 1);
    EXPECT_TRUE(xy.values && xy.yValues && !xy.categories && !xy.sizes);
    EXPECT_EQ(xy.valuesCaption, 1851u);
    const SeriesBoxes bubble = ChartSeriesBoxes(9, 2);
    EXPECT_TRUE(bubble.values && bubble.sizes && !bubble.categories);
    const SeriesBoxes stock = ChartSeriesBoxes(10, 3);
    EXPECT_TRUE(stock.categories && !stock.yValues && stock.secondCategories);
    EXPECT_FALSE(ChartSeriesBoxes(10, 2).secondCategories);
    EXPECT_EQ(ChartSeriesBoxes(7, 1).categoryCaption, 1697u);
    const SeriesBoxes column = ChartSeriesBoxes(1, 1);
    EXPECT_TRUE(column.yValues && column.categories && !column.values && !column.sizes);

    EXPECT_TRUE(ChartLabelBoxes(4).percentage && ChartLabelBoxes(7).percentage);
    EXPECT_FALSE(ChartLabelBoxes(1).percentage);
    EXPECT_TRUE(ChartLabelBoxes(10).bubbleSize && !ChartLabelBoxes(9).bubbleSize);
    EXPECT_TRUE(ChartLabelBoxes(5).xyCaptions && ChartLabelBoxes(10).xyCaptions);
}

TEST(ChartRules, FormatChartCaptionsAndPages) {
    EXPECT_EQ(ChartFormatCaption(2), "Format Chart Area");
    EXPECT_EQ(ChartFormatCaption(5), "Format Axis");
    EXPECT_EQ(ChartFormatCaption(15), "Format Axis");
    EXPECT_EQ(ChartFormatCaption(12), "Format Axis Title");
    EXPECT_EQ(ChartFormatCaption(8), "Format Data Series");
    EXPECT_TRUE(ChartFormatCaption(7).empty());
    EXPECT_TRUE(ChartFormatCaption(9).empty());
    EXPECT_TRUE(UsesLinePatternPage(4, 8, 0));
    EXPECT_FALSE(UsesLinePatternPage(4, 6, 0));
    EXPECT_TRUE(UsesLinePatternPage(2, 8, 2));
    EXPECT_FALSE(UsesLinePatternPage(2, 8, 6));
    EXPECT_TRUE(UsesLinePatternPage(7, 8, 6));
    EXPECT_FALSE(UsesLinePatternPage(7, 8, 2));
    EXPECT_FALSE(UsesLinePatternPage(1, 8, 0));
    EXPECT_FALSE(ShowsTextAlignment(4));
    EXPECT_TRUE(ShowsTextAlignment(10));
}

TEST(ChartRules, PatternWordsColoursAndMarkers) {
    EXPECT_EQ(AreaColourIndex(0x000000), 2); // the last of equal colours
    EXPECT_EQ(AreaColourIndex(0x0000FF), 11);
    EXPECT_EQ(AreaColourIndex(0x9C9A9C), 39);
    EXPECT_EQ(AreaColourIndex(0x123456), -1);
    EXPECT_EQ(AreaColours()[3], 0x000084u);
    EXPECT_EQ(PaintedAreaColour(0x0000FF, 0, 2, 0xAAAAAA), kWhiteColour);
    EXPECT_EQ(PaintedAreaColour(0x0000FF, 1, 2, 0xAAAAAA), 0xAAAAAAu);
    EXPECT_EQ(PaintedAreaColour(0x0000FF, 2, 2, 0xAAAAAA), 0x0000FFu);
    EXPECT_EQ(PaintedAreaColour(0x0000FF, 2, 4, 0xAAAAAA), 0xAAAAAAu);
    EXPECT_EQ(PaintedAreaColour(0x0000FF, 0, 15, 0xAAAAAA), 0xAAAAAAu);

    std::set<uint32_t> codes;
    for (const MarkerShape& shape : MarkerShapes()) {
        codes.insert(shape.code);
        const uint32_t family = shape.code & 0xFF;
        EXPECT_EQ(shape.code & 0xF00, 0u) << shape.name;
        EXPECT_TRUE((family >= 1 && family <= 9) || (family >= 11 && family <= 13)) << shape.name;
    }
    EXPECT_EQ(codes.size(), static_cast<size_t>(kMarkerShapeCount));
    EXPECT_EQ(MarkerShapeIndex(8388616), 25);
    EXPECT_STREQ(MarkerShapes()[25].name, "CrossShape5");
    EXPECT_EQ(MarkerShapes()[7].code >> 12, 3u);   // a star of three points
    EXPECT_EQ(MarkerShapes()[15].code >> 12, 10u); // of ten
    EXPECT_EQ(MarkerShapeIndex(0), -1);
    EXPECT_EQ(MarkerShapeIndex(99), -1);

    uint32_t size = 7;
    EXPECT_FALSE(ReadMarkerSize("1", size));
    EXPECT_FALSE(ReadMarkerSize("73", size));
    EXPECT_FALSE(ReadMarkerSize("", size));
    EXPECT_FALSE(ReadMarkerSize("12a", size));
    EXPECT_EQ(size, 7u);
    EXPECT_TRUE(ReadMarkerSize(" 72 ", size));
    EXPECT_EQ(size, 72u);
    EXPECT_EQ(WithSecondByte(0x0102, 5), 0x0502u);
    EXPECT_EQ(SecondByte(WithLowByte(0x0302, 1)), 3);
}
