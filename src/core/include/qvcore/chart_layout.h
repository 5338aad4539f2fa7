// Layout arithmetic of the chart component: where the title, the legend, the
// axis titles and the plot go inside the chart's rectangle (the legend never
// over the plot), how many category labels fit, bar and slice geometry,
// stacking, and thinning dense series to what a pixel column can show.
#pragma once

#include "qvcore/chart_scale.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::core {

struct LayoutRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    bool Empty() const { return !(right > left) || !(bottom > top); }
    bool Contains(const LayoutRect& other) const;
    bool Intersects(const LayoutRect& other) const;
};

struct TextSize {
    double width = 0.0;
    double height = 0.0;
};

// Legend placement codes of the chart.
enum LegendPlace : int32_t {
    kLegendBottom = 1,
    kLegendCorner = 2,
    kLegendTop = 3,
    kLegendRight = 4,
    kLegendLeft = 5,
};

struct ChartLayoutInput {
    LayoutRect bounds;
    TextSize title;         // zero when there is no chart title
    TextSize categoryTitle; // title of the category axis, as written (horizontal)
    TextSize valueTitle;    // title of the value axis, as written (it is turned)
    bool legend = false;
    int32_t legendPlace = kLegendRight; // other codes are taken as Right
    int legendEntries = 0;
    TextSize legendEntry;    // the widest entry, its key included, and one entry's height
    bool axes = true;        // false for pie and doughnut
    bool horizontal = false; // bar charts: categories up the left side
    bool categoryLabels = true;
    bool valueLabels = true;
    TextSize categoryLabel; // the widest category label and a label's height
    TextSize valueLabel;    // the widest value label and a label's height
    int categories = 0;     // category labels to place
    double depth = 0.0;     // the 3-D offset the plot keeps free above and right
    double padding = 6.0;   // between parts and at the edges
};

struct ChartLayout {
    LayoutRect title;
    LayoutRect legend; // empty without a legend
    int legendRows = 0;
    int legendColumns = 0;
    int legendShown = 0; // entries that fit (the rest are left out)
    LayoutRect categoryTitle;
    LayoutRect valueTitle;           // the turned title's box
    LayoutRect plot;                 // the inner plot area (axes along its edges)
    int categoryLabelStep = 1;       // every n-th category label is written
    bool turnCategoryLabels = false; // labels written at 90 degrees
};

// Places the parts. Every rectangle lies within `bounds`; the legend and the
// titles never overlap the plot; a plot that cannot fit is empty.
ChartLayout LayoutChart(const ChartLayoutInput& input);

// Category labels of width `labelExtent` along an axis of `axisLength` for
// `count` categories: every n-th fits without overlapping (at least 1).
int LabelStep(int count, double labelExtent, double axisLength, double gap = 4.0);

// A value's place on an axis from `from` (at the scale's minimum) to `to`,
// clamped to a little beyond both ends so that drawing stays finite.
double ValueToPixel(double value, const AxisScale& scale, double from, double to);

// Clustered bars: the slot of bar `series` of `seriesCount` in category
// `category` of `categories` along [from, to], with the usual gap of 150% of a
// bar's width between clusters. Returns start and end along the axis.
struct Span {
    double start = 0.0;
    double end = 0.0;
};
Span BarSlot(int category, int categories, int series, int seriesCount, double from, double to,
             bool overlap = false);

// Stacked values: for each point, where each series starts and ends. NaN and
// negative values stack apart (negatives downward); `percent` scales every
// point's positive and negative stack to 100.
struct StackedPoint {
    double low = 0.0;
    double high = 0.0;
};
std::vector<std::vector<StackedPoint>> StackSeries(const std::vector<std::vector<double>>& series,
                                                   bool percent);

// Pie slices: start and sweep in degrees for the absolute values (NaN counts
// as 0); all zero gives no sweep at all. `start` is the first slice's angle.
struct Slice {
    double start = 0.0;
    double sweep = 0.0;
    double share = 0.0; // of the whole, 0..1
};
std::vector<Slice> PieSlices(const std::vector<double>& values, double start = -90.0);

// A dense series thinned for drawing: `values` placed at x = x0 + i * dx
// become, in every pixel column that holds more than one point, the first,
// lowest, highest and last of them, in drawing order. NaN values break the
// line: each run is returned separately. At most about four points a pixel
// column come out, whatever the input size.
struct PlotPoint {
    double x = 0.0;
    double y = 0.0;
};
std::vector<std::vector<PlotPoint>> ThinSeries(const std::vector<double>& values, double x0,
                                               double dx, const AxisScale& scale, double yFrom,
                                               double yTo);

} // namespace qv::core
