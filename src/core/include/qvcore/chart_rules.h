// Rules of the Chart Wizard and the Format Chart sheet that need no window:
// captions, the stock-chart texts, which titles, axes, gridlines, series
// boxes and label boxes a chart type offers, and the Format Chart sheet's
// caption, pages, colours and marker shapes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::core {

// ---- Chart Wizard --------------------------------------------------------------

// Wizard modes of the record.
enum ChartWizardMode : int32_t {
    kWizardFull = 0,
    kWizardTypeOnly = 1,
    kWizardSourceOnly = 2,
    kWizardOptionsOnly = 3,
};
// Modes outside 0..3 act as 0.
int32_t NormaliseWizardMode(int32_t mode);

// "Chart Type - Step 2 of 3 - Chart Source Data" and so on, for steps 1 to 3.
std::string ChartWizardCaption(int step);

// The text shown when a stock chart cannot be built, chosen by the subtype
// number alone: the four texts for subtypes 1 to 4, "" for any other.
std::string_view StockChartMessage(int32_t subtype);

// Step 3 pages: Axes and Gridlines are left out for pie and doughnut charts.
bool ChartHasAxisPages(int32_t mainType);

// Titles page: which of the chart, X, Y and Z title boxes are enabled.
struct TitleBoxes {
    bool chart = true;
    bool x = false;
    bool y = false;
    bool z = false;
};
TitleBoxes ChartTitleBoxes(int32_t mainType, int32_t subtype);

// Axes page: the Value (Z) axis box shown; the Value (Y) axis box unticked
// and disabled.
struct AxisBoxes {
    bool zShown = false;
    bool yDisabled = false;
};
AxisBoxes ChartAxisBoxes(int32_t mainType, int32_t subtype);

// Gridlines page: the Z group enabled (and read from the chart), the Y and X
// groups disabled.
struct GridlineGroups {
    bool zEnabled = false;
    bool yDisabled = false;
    bool xDisabled = false;
};
GridlineGroups ChartGridlineGroups(int32_t mainType, int32_t subtype);

// Series page: which boxes a chart type shows, and the captions that change.
struct SeriesBoxes {
    bool values = false;    // Values box (the X values of XY and bubble charts)
    bool yValues = true;    // Y Values box
    bool sizes = false;     // Size box
    bool categories = true; // Category (X) axis labels box
    bool secondCategories = false;
    uint32_t valuesCaption = 0;   // string of the Values caption (0: the template's)
    uint32_t categoryCaption = 0; // string of the Category labels caption (0: the template's)
};
SeriesBoxes ChartSeriesBoxes(int32_t mainType, int32_t subtype);

// Data Labels page.
struct LabelBoxes {
    bool percentage = false;
    bool bubbleSize = false;
    bool xyCaptions = false; // Category name and Value read "X Value" and "Y Value"
};
LabelBoxes ChartLabelBoxes(int32_t mainType);
inline constexpr char kXValueCaption[] = "X Value";
inline constexpr char kYValueCaption[] = "Y Value";

// The Series page keeps at most this many series (the next Add is ignored).
inline constexpr int kWizardMaxSeries = 256;

// ---- Format Chart --------------------------------------------------------------

// Object kinds of the record that the sheet names or treats apart.
enum ChartObjectKind : uint8_t {
    kObjectChartArea = 2,
    kObjectPlotArea = 3,
    kObjectAxis = 4,
    kObjectValueAxis = 5,
    kObjectLegend = 6,
    kObjectSeries = 8,
    kObjectSeriesPoint = 9,
    kObjectChartTitle = 10,
};

// The sheet's caption for an object kind ("" for kinds it does not name).
std::string_view ChartFormatCaption(uint8_t kind);

// Page flags of the record.
enum ChartFormatPages : uint8_t {
    kFormatFontPage = 1,
    kFormatPatternPage = 2,
    kFormatAlignPage = 4
};

// Which pattern page the sheet shows: the line and marker page, or the
// area pattern page.
bool UsesLinePatternPage(int32_t chartType, uint8_t kind, int32_t variant);

// The Alignment page's text alignment group is shown for every kind but the
// axes (4 and 5).
bool ShowsTextAlignment(uint8_t kind);

// The area colours of the pattern pages, in list order (Windows colour
// values), and the list item to select for a colour: the last item holding
// it, -1 when none does.
inline constexpr int kAreaColourCount = 40;
const std::array<uint32_t, kAreaColourCount>& AreaColours();
int AreaColourIndex(uint32_t colour);

// A fresh pattern page's area colour (white) and the highest colour value.
inline constexpr uint32_t kWhiteColour = 0xFFFFFF;

// Word 4 as the area pattern page writes it while painting: white in area
// mode 0, the inactive-border colour in mode 1 and for the axis kinds 4, 5,
// 14 and 15; otherwise as it is.
uint32_t PaintedAreaColour(uint32_t areaColour, uint8_t areaMode, uint8_t kind,
                           uint32_t inactiveBorder);

// Marker shapes of the line and marker page: 35 names in list order, each
// with the code stored in word 6.
struct MarkerShape {
    const char* name;
    uint32_t code;
};
inline constexpr int kMarkerShapeCount = 35;
const std::array<MarkerShape, kMarkerShapeCount>& MarkerShapes();
// The list index of a code (-1 for 0 and unknown codes).
int MarkerShapeIndex(uint32_t code);

// The marker size box takes whole numbers from 2 to 72 (spaces trimmed);
// false leaves the stored size as it was.
bool ReadMarkerSize(std::string_view text, uint32_t& size);

// Bytes of the tenth pattern word.
inline uint8_t LowByte(uint32_t word) {
    return static_cast<uint8_t>(word & 0xFF);
}
inline uint8_t SecondByte(uint32_t word) {
    return static_cast<uint8_t>((word >> 8) & 0xFF);
}
inline uint32_t WithLowByte(uint32_t word, uint8_t value) {
    return (word & ~0xFFu) | value;
}
inline uint32_t WithSecondByte(uint32_t word, uint8_t value) {
    return (word & ~0xFF00u) | (static_cast<uint32_t>(value) << 8);
}

} // namespace qv::core
