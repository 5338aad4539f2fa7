#include "qvcore/chart_rules.h"

#include "qvcore/chart_types.h"

#include <algorithm>

namespace qv::core {

int32_t NormaliseWizardMode(int32_t mode) {
    return mode >= kWizardFull && mode <= kWizardOptionsOnly ? mode : kWizardFull;
}

std::string ChartWizardCaption(int step) {
    static const char* const kEndings[] = {" of 3 - Chart Type", " of 3 - Chart Source Data",
                                           " of 3 - Chart Options"};
    step = std::clamp(step, 1, 3);
    return "Chart Type - Step " + std::to_string(step) + kEndings[step - 1];
}

std::string_view StockChartMessage(int32_t subtype) {
    switch (subtype) {
    case 1:
        return "To Create this stock chart, arrange the data on your sheet \r\nin this order: "
               "high price, low price, closing price.Use dates or stock names as labels.";
    case 2:
        return "To Create this stock chart, arrange the data on your sheet \r\nin this order: "
               "opening price, high price, low price, closing price. Use dates or stock names as "
               "labels.";
    case 3:
        return "To Create this stock chart, arrange the data on your sheet \r\nin this order: "
               "volume traded, high price, low price, closing price. Use dates or stock names as "
               "labels.";
    case 4:
        return "To Create this stock chart, arrange the data on your sheet \r\nin this order: "
               "volume traded, opening price, high price, low price, closing price. Use dates or "
               "stock names as labels.";
    default:
        return {};
    }
}

bool ChartHasAxisPages(int32_t mainType) {
    return mainType != kChartPie && mainType != kChartDoughnut;
}

TitleBoxes ChartTitleBoxes(int32_t mainType, int32_t subtype) {
    TitleBoxes boxes; // chart only
    auto with = [&boxes](bool x, bool y, bool z) {
        boxes.x = x;
        boxes.y = y;
        boxes.z = z;
    };
    switch (mainType) {
    case kChartColumn:
        with(true, subtype != 4, subtype == 4 || subtype == 7);
        break;
    case kChartBar:
        with(true, subtype < 4 || subtype > 6, subtype >= 4 && subtype <= 6);
        break;
    case kChartLine:
        with(true, true, subtype == 5);
        break;
    case kChartArea:
        with(true, subtype != 4 && subtype != 5, subtype >= 3 && subtype <= 5);
        break;
    case kChartXY:
    case kChartBubble:
    case kChartStock:
    case kChartCylinder:
        with(true, true, false);
        break;
    default: // pie, doughnut, radar: the chart title only
        break;
    }
    return boxes;
}

AxisBoxes ChartAxisBoxes(int32_t mainType, int32_t subtype) {
    AxisBoxes boxes;
    switch (mainType) {
    case kChartColumn:
        boxes.zShown = subtype == 7;
        break;
    case kChartBar:
        boxes.zShown = boxes.yDisabled = subtype >= 4 && subtype <= 6;
        break;
    case kChartLine:
        boxes.zShown = subtype == 5;
        break;
    case kChartXY:
        boxes.zShown = subtype >= 3 && subtype <= 5;
        boxes.yDisabled = subtype == 4 || subtype == 5;
        break;
    case kChartCylinder:
        boxes.zShown = true;
        boxes.yDisabled = subtype != 6;
        break;
    default:
        break;
    }
    return boxes;
}

GridlineGroups ChartGridlineGroups(int32_t mainType, int32_t subtype) {
    GridlineGroups groups;
    switch (mainType) {
    case kChartColumn:
        groups.zEnabled = subtype == 6;
        break;
    case kChartBar:
        groups.zEnabled = groups.yDisabled = subtype >= 4 && subtype <= 6;
        break;
    case kChartLine:
        groups.zEnabled = subtype == 5;
        break;
    case kChartArea:
        groups.zEnabled = subtype >= 4 && subtype <= 6;
        groups.yDisabled = subtype == 5 || subtype == 6;
        break;
    case kChartRadar:
        groups.xDisabled = true;
        break;
    case kChartCylinder:
        groups.zEnabled = true;
        groups.yDisabled = subtype != 6;
        break;
    default:
        break;
    }
    return groups;
}

SeriesBoxes ChartSeriesBoxes(int32_t mainType, int32_t subtype) {
    SeriesBoxes boxes;
    switch (mainType) {
    case kChartPie:
    case kChartDoughnut:
        boxes.categoryCaption = 1697;
        break;
    case kChartXY:
        boxes.values = true;
        boxes.valuesCaption = 1851;
        boxes.categories = false;
        break;
    case kChartBubble:
        boxes.values = true;
        boxes.valuesCaption = 1851;
        boxes.sizes = true;
        boxes.categories = false;
        break;
    case kChartStock:
        boxes.yValues = false;
        boxes.sizes = false;
        boxes.secondCategories = subtype == 3 || subtype == 4;
        break;
    default:
        break;
    }
    return boxes;
}

LabelBoxes ChartLabelBoxes(int32_t mainType) {
    LabelBoxes boxes;
    boxes.percentage = mainType == kChartPie || mainType == kChartDoughnut;
    boxes.bubbleSize = mainType == kChartStock;
    boxes.xyCaptions = mainType == kChartXY || mainType == kChartStock;
    return boxes;
}

std::string_view ChartFormatCaption(uint8_t kind) {
    switch (kind) {
    case 2:
        return "Format Chart Area";
    case 3:
        return "Format Plot Area";
    case 4:
    case 5:
    case 14:
    case 15:
        return "Format Axis";
    case 6:
        return "Format Legend";
    case 8:
        return "Format Data Series";
    case 10:
        return "Format Chart Title";
    case 11:
    case 12:
    case 13:
        return "Format Axis Title";
    default:
        return {};
    }
}

bool UsesLinePatternPage(int32_t chartType, uint8_t kind, int32_t variant) {
    if (kind != kObjectSeries) {
        return false;
    }
    switch (chartType) {
    case 2:
        return variant != 6;
    case 4:
        return true;
    case 7:
        return variant != 2;
    default:
        return false;
    }
}

bool ShowsTextAlignment(uint8_t kind) {
    return kind != kObjectAxis && kind != kObjectValueAxis;
}

const std::array<uint32_t, kAreaColourCount>& AreaColours() {
    static const std::array<uint32_t, kAreaColourCount> colours = {
        0x000000, 0xFFFFFF, 0x000000, 0x000084, 0x0000FF, 0x848284, 0xC6C3C6, 0x00309C,
        0x0065FF, 0x009AFF, 0x000084, 0x0000FF, 0x003031, 0x008284, 0x00CF9C, 0x008284,
        0x00FFFF, 0x003000, 0x008200, 0x639A31, 0x008200, 0x00FF00, 0x633000, 0x848200,
        0xCECF31, 0x848200, 0xFFFF00, 0x840000, 0xFF0000, 0xFF6531, 0x840000, 0xFF0000,
        0x9C3031, 0x9C6563, 0x840084, 0x840084, 0xFF00FF, 0x313031, 0x848284, 0x9C9A9C};
    return colours;
}

int AreaColourIndex(uint32_t colour) {
    const auto& colours = AreaColours();
    for (int i = kAreaColourCount - 1; i >= 0; --i) {
        if (colours[static_cast<size_t>(i)] == colour) {
            return i;
        }
    }
    return -1;
}

uint32_t PaintedAreaColour(uint32_t areaColour, uint8_t areaMode, uint8_t kind,
                           uint32_t inactiveBorder) {
    if (kind == 4 || kind == 5 || kind == 14 || kind == 15 || areaMode == 1) {
        return inactiveBorder;
    }
    return areaMode == 0 ? kWhiteColour : areaColour;
}

const std::array<MarkerShape, kMarkerShapeCount>& MarkerShapes() {
    // The code's low byte is the family (1-7 plain symbols, 8 and 9 crosses,
    // 11 and 12 polygons, 13 stars); from bit 12 up the points of a polygon
    // or star, or a cross's arm thickness in 4096ths of the marker size.
    static const std::array<MarkerShape, kMarkerShapeCount> shapes = {{
        {"SquareSymbol", 1},
        {"DiamondSymbol", 2},
        {"TriangleSymbol", 3},
        {"RightTriangleSymbol", 4},
        {"LeftTriangleSymbol", 5},
        {"InvertedTriangleSymbol", 6},
        {"CircleSymbol", 7},
        {"StarShape(3)", 12301},
        {"PolygonShape5", 20491},
        {"StarShape4", 16397},
        {"StarShape5", 20493},
        {"StarShape6", 24589},
        {"StarShape7", 28685},
        {"StarShape8", 32781},
        {"StarShape9", 36877},
        {"StarShape10", 40973},
        {"Polygon2Shape5", 20492},
        {"PolygonShape6", 24587},
        {"Polygon2Shape6", 24588},
        {"PolygonShape7", 28683},
        {"PolygonShape8", 32779},
        {"CrossShape1", 1679368},
        {"CrossShape2", 3354632},
        {"CrossShape3", 5033992},
        {"CrossShape4", 6709256},
        {"CrossShape5", 8388616},
        {"CrossShape6", 10063880},
        {"CrossShape7", 11743240},
        {"Cross2Shape1", 1679369},
        {"Cross2Shape2", 3354633},
        {"Cross2Shape3", 5033993},
        {"Cross2Shape4", 6709257},
        {"Cross2Shape5", 8388617},
        {"Cross2Shape6", 10063881},
        // 0.7 of the size (2867 / 4096) in the second cross style.
        {"Cross2Shape7", 11743241},
    }};
    return shapes;
}

int MarkerShapeIndex(uint32_t code) {
    if (code == 0) {
        return -1;
    }
    const auto& shapes = MarkerShapes();
    for (int i = 0; i < kMarkerShapeCount; ++i) {
        if (shapes[static_cast<size_t>(i)].code == code) {
            return i;
        }
    }
    return -1;
}

bool ReadMarkerSize(std::string_view text, uint32_t& size) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (text.empty() || text.size() > 3) {
        return false;
    }
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    if (value < 2 || value > 72) {
        return false;
    }
    size = value;
    return true;
}

} // namespace qv::core
