// What a chart shows once its cells are read: the settings the wizard edits
// and the values the series resolve to. The renderer draws from this alone.
#pragma once

#include "qvcore/chart_data.h"
#include "qvcore/chart_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::chart {

struct Title {
    std::string text;
    std::string face; // "" for the chart's own face
};

// Everything the wizard's options pages set.
struct ChartOptions {
    int32_t mainType = core::kChartColumn;
    int32_t subtype = 1;
    Title title;
    Title xTitle;
    Title yTitle;
    Title zTitle;
    bool xLabels = true;
    bool yLabels = true;
    bool zLabels = true;
    bool xMajor = false;
    bool xMinor = false;
    bool yMajor = true;
    bool yMinor = false;
    bool zMajor = false;
    bool zMinor = false;
    bool legend = true;
    int32_t legendPlace = 4; // Right
    bool labelValue = false;
    bool labelCategory = false;
    bool labelSeries = false;
    bool labelPercentage = false;
    bool labelBubbleSize = false;
    bool labelLegendKey = false;
};

struct SeriesData {
    std::string name;           // "" when unnamed
    std::vector<double> values; // NaN for gaps
    std::vector<double> sizes;  // bubble sizes
};

// The cells of a chart as the last rebuild read them.
struct ChartData {
    std::vector<std::string> categories; // labels ("" where none)
    std::vector<double> xValues;         // XY and bubble: numeric categories (NaN where none)
    bool numericX = false;               // the X values came from numbers
    std::vector<SeriesData> series;
    size_t points = 0; // the longest series
};

} // namespace qv::chart
