#include "qvcore/chart_types.h"

#include <algorithm>

namespace qv::core {
namespace {

constexpr int32_t kSubtypes[kChartMainTypes] = {7, 6, 7, 6, 5, 6, 2, 3, 2, 4, 7};
constexpr uint32_t kMainNames[kChartMainTypes] = {1375, 1762, 1076, 1763, 1764, 1691,
                                                  1765, 1766, 1768, 1769, 1770};
constexpr uint32_t kFirstSubtypeName = 1883;

bool Known(int32_t mainType) {
    return mainType >= 1 && mainType <= kChartMainTypes;
}

ChartGrouping GroupingOfThree(int32_t index) {
    switch (index % 3) {
    case 1:
        return ChartGrouping::kStacked;
    case 2:
        return ChartGrouping::kPercent;
    default:
        return ChartGrouping::kStandard;
    }
}

} // namespace

int32_t ChartSubtypeCount(int32_t mainType) {
    return Known(mainType) ? kSubtypes[mainType - 1] : 0;
}

uint32_t ChartMainTypeNameId(int32_t mainType) {
    return Known(mainType) ? kMainNames[mainType - 1] : 0;
}

uint32_t ChartSubtypeNameId(int32_t mainType, int32_t subtype) {
    if (!Known(mainType) || subtype < 1 || subtype > kSubtypes[mainType - 1]) {
        return 0;
    }
    uint32_t id = kFirstSubtypeName;
    for (int32_t m = 1; m < mainType; ++m) {
        id += static_cast<uint32_t>(kSubtypes[m - 1]);
    }
    return id + static_cast<uint32_t>(subtype - 1);
}

int32_t ClampSubtype(int32_t mainType, int32_t subtype) {
    return std::clamp(subtype, 1, std::max(1, ChartSubtypeCount(mainType)));
}

bool ChartHasAxes(int32_t mainType) {
    return mainType != kChartPie && mainType != kChartDoughnut;
}

ChartStyle ChartStyleOf(int32_t mainType, int32_t subtype) {
    subtype = ClampSubtype(mainType, subtype);
    ChartStyle style;
    switch (mainType) {
    case kChartBar:
        style.shape = ChartShape::kBars;
        style.grouping = GroupingOfThree(subtype - 1);
        style.threeD = subtype >= 4;
        break;
    case kChartLine:
        style.shape = ChartShape::kLines;
        switch (subtype) {
        case 2:
        case 6:
            style.grouping = ChartGrouping::kStacked;
            break;
        case 3:
        case 7:
            style.grouping = ChartGrouping::kPercent;
            break;
        default:
            break;
        }
        style.markers = subtype == 4 || subtype == 6 || subtype == 7;
        style.threeD = subtype == 5;
        style.depthSeries = subtype == 5;
        break;
    case kChartPie:
        style.shape = ChartShape::kPie;
        style.threeD = subtype == 2 || subtype == 5;
        style.exploded = subtype == 4 || subtype == 5;
        style.secondPie = subtype == 3 || subtype == 6;
        style.barOfPie = subtype == 6;
        break;
    case kChartXY:
        style.shape = ChartShape::kScatter;
        style.markers = subtype != 3 && subtype != 5;
        style.lines = subtype != 1;
        style.smooth = subtype == 2 || subtype == 3;
        break;
    case kChartArea:
        style.shape = ChartShape::kArea;
        style.grouping = GroupingOfThree(subtype - 1);
        style.threeD = subtype >= 4;
        style.depthSeries = subtype == 4;
        break;
    case kChartDoughnut:
        style.shape = ChartShape::kDoughnut;
        style.exploded = subtype == 2;
        break;
    case kChartRadar:
        style.shape = ChartShape::kRadar;
        style.markers = subtype == 2;
        style.filled = subtype == 3;
        break;
    case kChartBubble:
        style.shape = ChartShape::kBubble;
        style.threeD = subtype == 2;
        break;
    case kChartStock:
        style.shape = ChartShape::kStock;
        style.volume = subtype >= 3;
        style.open = subtype == 2 || subtype == 4;
        break;
    case kChartCylinder:
        style.cylinder = true;
        style.threeD = true;
        if (subtype >= 4 && subtype <= 6) {
            style.shape = ChartShape::kBars;
            style.grouping = GroupingOfThree(subtype - 4);
        } else {
            style.shape = ChartShape::kColumns;
            style.grouping = subtype == 7 ? ChartGrouping::kStandard : GroupingOfThree(subtype - 1);
            style.depthSeries = subtype == 7;
        }
        break;
    default: // column
        style.shape = ChartShape::kColumns;
        style.grouping = subtype == 7 ? ChartGrouping::kStandard : GroupingOfThree(subtype - 1);
        style.threeD = subtype >= 4;
        style.depthSeries = subtype == 7;
        break;
    }
    return style;
}

SeriesUse ChartSeriesUse(int32_t mainType) {
    switch (mainType) {
    case kChartXY:
        return SeriesUse::kXValues;
    case kChartBubble:
        return SeriesUse::kXAndSizes;
    default:
        return SeriesUse::kPlain;
    }
}

int32_t StockSeriesNeeded(int32_t mainType, int32_t subtype) {
    if (mainType != kChartStock) {
        return 0;
    }
    static constexpr int32_t kNeeded[] = {3, 4, 4, 5};
    return kNeeded[ClampSubtype(mainType, subtype) - 1];
}

} // namespace qv::core
