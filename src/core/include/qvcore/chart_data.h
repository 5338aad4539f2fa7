// The data of a chart: the cells of its source range as the host reports
// them, the series the range holds (names, values, sizes, category labels,
// each as reference text), whether a set of series still forms one block,
// and the values each series resolves to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

// One cell as the host reports it.
struct ChartCell {
    enum Kind : int32_t { kEmpty = 0, kNumber = 1, kText = 2 };
    Kind kind = kEmpty;
    double number = 0.0;
    std::string text;
};

// Reads the cell at a 1-based row and column.
using ChartCellReader = std::function<ChartCell(int32_t row, int32_t column)>;

// A text as a chart reads a number typed into a cell or a series box: after
// trimming spaces, an optional sign, digits with at most one ".", an optional
// exponent; nothing else. "NaN", "inf", "1,5" and "" are not numbers, nor is
// anything beyond the double range.
bool ReadChartNumber(std::string_view text, double& value);

// A block of cells, 1-based and inclusive.
struct CellBlock {
    int32_t firstRow = 1;
    int32_t firstColumn = 1;
    int32_t lastRow = 1;
    int32_t lastColumn = 1;
    int32_t Rows() const { return lastRow - firstRow + 1; }
    int32_t Columns() const { return lastColumn - firstColumn + 1; }
    bool operator==(const CellBlock&) const = default;
};

// Reads a reference list ("A1:B4", "A1:A4,C1:C4", "$B$2"): every piece a cell
// or a range in A1 form, "$" allowed. False (and `areas` emptied) when a
// piece does not read or the text is empty.
bool ParseAreas(std::string_view text, std::vector<CellBlock>& areas);

// True when the areas cover exactly one rectangle (side by side or one
// within the other), written to `block`.
bool AreasFormOneBlock(const std::vector<CellBlock>& areas, CellBlock& block);

// "B3" for one cell, "A1:B3" otherwise (no "$").
std::string BlockText(const CellBlock& block);

// Series orientation codes of the chart.
enum class SeriesIn : int32_t { kColumns = 0, kRows = 1 };

// What to do when a range is given: keep a direction, or choose by shape.
enum class SeriesHint : uint8_t { kChoose = 0, kColumns = 1, kRows = 2 };

// How the lines of a block become series, by the chart's family.
enum class SeriesUse {
    kPlain,     // every line a series of values
    kXValues,   // XY: the first line gives the X values when it is not labels
    kXAndSizes, // bubble: X values first, then pairs of values and sizes
};

// One series as reference texts: each empty, a cell or a range ("B1"), or a
// number typed in a box ("12.5").
struct SeriesRefs {
    std::string name;
    std::string values;
    std::string sizes;
    bool operator==(const SeriesRefs&) const = default;
};

// The series of a chart as reference texts.
struct SeriesSet {
    SeriesIn orientation = SeriesIn::kColumns;
    std::string categories; // category labels, or the X values of XY and bubble charts
    std::vector<SeriesRefs> series;
    bool operator==(const SeriesSet&) const = default;
};

// The most series a chart holds.
inline constexpr int kMaxChartSeries = 256;

// Which first row and first column of a block hold labels: a line holds
// labels when one of its cells past the corner is text; when both lines are
// labels, or the corner is empty and the other line is labels, the corner
// belongs to both.
struct BlockLabels {
    bool headerRow = false;
    bool labelColumn = false;
};
BlockLabels DetectLabels(const CellBlock& block, const ChartCellReader& read);

// The direction a block is read in when no direction is asked for: series in
// rows when the data has more columns than rows, else in columns.
SeriesIn ChooseOrientation(const CellBlock& block, const BlockLabels& labels);

// The series a block holds read in `orientation` (at most kMaxChartSeries).
SeriesSet SeriesFromBlock(const CellBlock& block, SeriesIn orientation, SeriesUse use,
                          const ChartCellReader& read);

// The block a set of series was read from, when reading that block again in
// the set's orientation gives the same set; false when the series were
// edited so that no single block describes them (the range is "broken").
bool BlockOfSeries(const SeriesSet& set, SeriesUse use, const ChartCellReader& read,
                   CellBlock& block);

// The values a reference text or typed number resolves to, in reading order
// (row by row); empty cells and texts give NaN. At most `limit` values are
// read; `truncated` tells whether more were left.
std::vector<double> ResolveValues(std::string_view text, const ChartCellReader& read, size_t limit,
                                  bool* truncated = nullptr);

// The texts a reference resolves to (category labels and names): cell texts,
// numbers as a data label writes them, "" for empty cells; a typed number
// gives its own text. At most `limit` texts.
std::vector<std::string> ResolveTexts(std::string_view text, const ChartCellReader& read,
                                      size_t limit);

// The number of cells a reference text covers (1 for a typed number, 0 for an
// empty or unreadable text), without reading them; saturates at INT64_MAX.
int64_t CellCount(std::string_view text);

} // namespace qv::core
