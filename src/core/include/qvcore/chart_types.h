// The chart types the wizard offers: eleven main types and their 55
// subtypes, with the string ids of their names and the drawing style each
// subtype stands for.
#pragma once

#include "qvcore/chart_data.h"

#include <cstdint>

namespace qv::core {

enum ChartMainType : int32_t {
    kChartColumn = 1,
    kChartBar = 2,
    kChartLine = 3,
    kChartPie = 4,
    kChartXY = 5,
    kChartArea = 6,
    kChartDoughnut = 7,
    kChartRadar = 8,
    kChartBubble = 9,
    kChartStock = 10,
    kChartCylinder = 11,
};
inline constexpr int32_t kChartMainTypes = 11;
inline constexpr int32_t kChartSubtypesInAll = 55;

// Subtypes of a main type (0 for a code outside 1..11).
int32_t ChartSubtypeCount(int32_t mainType);
// String id of a main type's name (0 outside 1..11).
uint32_t ChartMainTypeNameId(int32_t mainType);
// String id of a subtype's name: 1883 on, in main-type order (0 when either
// code is out of range).
uint32_t ChartSubtypeNameId(int32_t mainType, int32_t subtype);
// A subtype clamped into 1..count of its main type (1 for unknown types).
int32_t ClampSubtype(int32_t mainType, int32_t subtype);

// Main types drawn without axes: pie and doughnut.
bool ChartHasAxes(int32_t mainType);

// How a subtype is drawn.
enum class ChartShape {
    kColumns, // vertical bars (column, cylinder columns)
    kBars,    // horizontal bars (bar, cylinder bars)
    kLines,   // line charts
    kPie,
    kScatter, // XY
    kArea,
    kDoughnut,
    kRadar,
    kBubble,
    kStock,
};
enum class ChartGrouping { kStandard, kStacked, kPercent };

struct ChartStyle {
    ChartShape shape = ChartShape::kColumns;
    ChartGrouping grouping = ChartGrouping::kStandard;
    bool threeD = false;      // drawn with depth
    bool depthSeries = false; // 3-D with the series one behind the other
    bool cylinder = false;    // rounded bars
    bool markers = false;     // points marked
    bool lines = true;        // points joined (XY, radar)
    bool smooth = false;      // joined with curves
    bool filled = false;      // radar filled
    bool exploded = false;    // pie and doughnut slices apart
    bool secondPie = false;   // pie of pie / bar of pie: the small slices apart
    bool barOfPie = false;
    bool volume = false; // stock with a volume series first
    bool open = false;   // stock with opening prices
};
ChartStyle ChartStyleOf(int32_t mainType, int32_t subtype);

// How the lines of a source block become series for a main type.
SeriesUse ChartSeriesUse(int32_t mainType);

// Stock subtypes need exactly this many series (3 to 5; 0 for other types).
int32_t StockSeriesNeeded(int32_t mainType, int32_t subtype);

} // namespace qv::core
