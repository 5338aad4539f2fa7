#include "qvcore/chart_data.h"

#include "qvcore/cellref.h"
#include "qvcore/chart_scale.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace qv::core {
namespace {

// More pieces than this in one reference list are not read (the block test
// is quadratic in them).
constexpr size_t kMaxAreas = 256;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool ParseArea(std::string_view piece, CellBlock& block) {
    std::string plain;
    for (char c : Trim(piece)) {
        if (c != '$') {
            plain.push_back(c);
        }
    }
    if (!IsCellRef(plain) && !IsRangeRef(plain)) {
        return false;
    }
    CellRange range;
    if (!ParseA1(plain, range) || range.firstRow < 1 || range.firstColumn < 1) {
        return false;
    }
    block = {range.firstRow, range.firstColumn, range.lastRow, range.lastColumn};
    return true;
}

bool IsText(const ChartCell& cell) {
    return cell.kind == ChartCell::kText && !cell.text.empty();
}

// A line of the block: a row (kRows) or a column (kColumns) at `index`
// (absolute), over `from`..`to` of the other direction.
CellBlock Line(SeriesIn orientation, int32_t index, int32_t from, int32_t to) {
    if (orientation == SeriesIn::kColumns) {
        return {from, index, to, index};
    }
    return {index, from, index, to};
}

CellBlock Cell(int32_t row, int32_t column) {
    return {row, column, row, column};
}

} // namespace

bool ReadChartNumber(std::string_view text, double& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars also reads "inf" and "nan": a number starts with a digit or a point.
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
        return false;
    }
    double parsed = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed)) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

bool ParseAreas(std::string_view text, std::vector<CellBlock>& areas) {
    areas.clear();
    if (Trim(text).empty()) {
        return false;
    }
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string_view piece = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        CellBlock block;
        if (areas.size() >= kMaxAreas || !ParseArea(piece, block)) {
            areas.clear();
            return false;
        }
        areas.push_back(block);
        if (comma == std::string_view::npos) {
            return true;
        }
        start = comma + 1;
    }
}

bool AreasFormOneBlock(const std::vector<CellBlock>& areas, CellBlock& block) {
    if (areas.empty()) {
        return false;
    }
    CellBlock box = areas.front();
    std::vector<int32_t> rows;
    std::vector<int32_t> columns;
    for (const CellBlock& a : areas) {
        box.firstRow = std::min(box.firstRow, a.firstRow);
        box.firstColumn = std::min(box.firstColumn, a.firstColumn);
        box.lastRow = std::max(box.lastRow, a.lastRow);
        box.lastColumn = std::max(box.lastColumn, a.lastColumn);
        rows.push_back(a.firstRow);
        rows.push_back(a.lastRow + 1);
        columns.push_back(a.firstColumn);
        columns.push_back(a.lastColumn + 1);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    // Every piece of the box between two edges must lie in some area.
    for (size_t r = 0; r + 1 < rows.size(); ++r) {
        for (size_t c = 0; c + 1 < columns.size(); ++c) {
            const int32_t row = rows[r];
            const int32_t column = columns[c];
            const bool covered = std::any_of(areas.begin(), areas.end(), [&](const CellBlock& a) {
                return row >= a.firstRow && row <= a.lastRow && column >= a.firstColumn &&
                       column <= a.lastColumn;
            });
            if (!covered) {
                return false;
            }
        }
    }
    block = box;
    return true;
}

std::string BlockText(const CellBlock& block) {
    CellRange range;
    range.kind = block.Rows() == 1 && block.Columns() == 1 ? kCellRangeSingle : kCellRangeBlock;
    range.firstRow = block.firstRow;
    range.firstColumn = block.firstColumn;
    range.lastRow = block.lastRow;
    range.lastColumn = block.lastColumn;
    return FormatA1(range);
}

BlockLabels DetectLabels(const CellBlock& block, const ChartCellReader& read) {
    const int32_t rows = block.Rows();
    const int32_t columns = block.Columns();
    const ChartCell corner = read(block.firstRow, block.firstColumn);
    const bool cornerEmpty = corner.kind == ChartCell::kEmpty ||
                             (corner.kind == ChartCell::kText && corner.text.empty());
    const bool cornerText = IsText(corner);
    bool rowText = false;
    for (int32_t c = block.firstColumn + 1; c <= block.lastColumn && !rowText; ++c) {
        rowText = IsText(read(block.firstRow, c));
    }
    bool columnText = false;
    for (int32_t r = block.firstRow + 1; r <= block.lastRow && !columnText; ++r) {
        columnText = IsText(read(r, block.firstColumn));
    }
    BlockLabels labels;
    labels.headerRow =
        rows >= 2 && (rowText || (columns == 1 && cornerText) || (cornerEmpty && columnText));
    labels.labelColumn =
        columns >= 2 && (columnText || (rows == 1 && cornerText) || (cornerEmpty && rowText));
    return labels;
}

SeriesIn ChooseOrientation(const CellBlock& block, const BlockLabels& labels) {
    const int32_t dataRows = block.Rows() - (labels.headerRow ? 1 : 0);
    const int32_t dataColumns = block.Columns() - (labels.labelColumn ? 1 : 0);
    return dataColumns > dataRows ? SeriesIn::kRows : SeriesIn::kColumns;
}

SeriesSet SeriesFromBlock(const CellBlock& block, SeriesIn orientation, SeriesUse use,
                          const ChartCellReader& read) {
    SeriesSet set;
    set.orientation = orientation;
    const BlockLabels labels = DetectLabels(block, read);
    const bool byColumns = orientation == SeriesIn::kColumns;
    // Along a series (points) and across (series).
    const int32_t alongFirst = byColumns ? block.firstRow : block.firstColumn;
    const int32_t alongLast = byColumns ? block.lastRow : block.lastColumn;
    const int32_t acrossFirst = byColumns ? block.firstColumn : block.firstRow;
    const int32_t acrossLast = byColumns ? block.lastColumn : block.lastRow;
    const bool names = byColumns ? labels.headerRow : labels.labelColumn;
    bool categoryLine = byColumns ? labels.labelColumn : labels.headerRow;

    const int32_t pointsFirst = alongFirst + (names ? 1 : 0);
    int32_t line = acrossFirst + (categoryLine ? 1 : 0);
    if (pointsFirst > alongLast) {
        return set; // names only, no values
    }
    if (categoryLine) {
        set.categories = BlockText(Line(orientation, acrossFirst, pointsFirst, alongLast));
    } else if (use != SeriesUse::kPlain && acrossLast - acrossFirst >= 1) {
        // XY and bubble: a first line of numbers gives the X values.
        set.categories = BlockText(Line(orientation, acrossFirst, pointsFirst, alongLast));
        line = acrossFirst + 1;
    }
    const int32_t step = use == SeriesUse::kXAndSizes ? 2 : 1;
    for (; line <= acrossLast && set.series.size() < static_cast<size_t>(kMaxChartSeries);
         line += step) {
        SeriesRefs refs;
        if (names) {
            refs.name = BlockText(byColumns ? Cell(alongFirst, line) : Cell(line, alongFirst));
        }
        refs.values = BlockText(Line(orientation, line, pointsFirst, alongLast));
        if (use == SeriesUse::kXAndSizes && line + 1 <= acrossLast) {
            refs.sizes = BlockText(Line(orientation, line + 1, pointsFirst, alongLast));
        }
        set.series.push_back(std::move(refs));
    }
    return set;
}

bool BlockOfSeries(const SeriesSet& set, SeriesUse use, const ChartCellReader& read,
                   CellBlock& block) {
    if (set.series.empty()) {
        return false;
    }
    std::vector<CellBlock> all;
    auto add = [&all](const std::string& text, bool required) {
        if (text.empty()) {
            return !required;
        }
        std::vector<CellBlock> areas;
        if (!ParseAreas(text, areas) || areas.size() != 1) {
            return false;
        }
        all.push_back(areas.front());
        return true;
    };
    if (!add(set.categories, false)) {
        return false;
    }
    for (const SeriesRefs& refs : set.series) {
        if (!add(refs.name, false) || !add(refs.values, true) || !add(refs.sizes, false)) {
            return false;
        }
    }
    CellBlock box = all.front();
    for (const CellBlock& a : all) {
        box.firstRow = std::min(box.firstRow, a.firstRow);
        box.firstColumn = std::min(box.firstColumn, a.firstColumn);
        box.lastRow = std::max(box.lastRow, a.lastRow);
        box.lastColumn = std::max(box.lastColumn, a.lastColumn);
    }
    if (!(SeriesFromBlock(box, set.orientation, use, read) == set)) {
        return false;
    }
    block = box;
    return true;
}

std::vector<double> ResolveValues(std::string_view text, const ChartCellReader& read, size_t limit,
                                  bool* truncated) {
    std::vector<double> values;
    if (truncated != nullptr) {
        *truncated = false;
    }
    double typed = 0.0;
    if (ReadChartNumber(text, typed)) {
        if (limit > 0) {
            values.push_back(typed);
        }
        return values;
    }
    std::vector<CellBlock> areas;
    if (!ParseAreas(text, areas)) {
        return values;
    }
    const double gap = std::numeric_limits<double>::quiet_NaN();
    for (const CellBlock& a : areas) {
        for (int32_t r = a.firstRow; r <= a.lastRow; ++r) {
            for (int32_t c = a.firstColumn; c <= a.lastColumn; ++c) {
                if (values.size() >= limit) {
                    if (truncated != nullptr) {
                        *truncated = true;
                    }
                    return values;
                }
                const ChartCell cell = read(r, c);
                values.push_back(cell.kind == ChartCell::kNumber && std::isfinite(cell.number)
                                     ? cell.number
                                     : gap);
            }
        }
    }
    return values;
}

std::vector<std::string> ResolveTexts(std::string_view text, const ChartCellReader& read,
                                      size_t limit) {
    std::vector<std::string> texts;
    double typed = 0.0;
    if (ReadChartNumber(text, typed)) {
        if (limit > 0) {
            texts.emplace_back(Trim(text));
        }
        return texts;
    }
    std::vector<CellBlock> areas;
    if (!ParseAreas(text, areas)) {
        return texts;
    }
    for (const CellBlock& a : areas) {
        for (int32_t r = a.firstRow; r <= a.lastRow; ++r) {
            for (int32_t c = a.firstColumn; c <= a.lastColumn; ++c) {
                if (texts.size() >= limit) {
                    return texts;
                }
                const ChartCell cell = read(r, c);
                switch (cell.kind) {
                case ChartCell::kNumber:
                    texts.push_back(FormatDataValue(cell.number));
                    break;
                case ChartCell::kText:
                    texts.push_back(cell.text);
                    break;
                default:
                    texts.emplace_back();
                    break;
                }
            }
        }
    }
    return texts;
}

int64_t CellCount(std::string_view text) {
    double typed = 0.0;
    if (ReadChartNumber(text, typed)) {
        return 1;
    }
    std::vector<CellBlock> areas;
    if (!ParseAreas(text, areas)) {
        return 0;
    }
    int64_t count = 0;
    for (const CellBlock& a : areas) {
        const int64_t cells = static_cast<int64_t>(a.Rows()) * a.Columns();
        if (count > std::numeric_limits<int64_t>::max() - cells) {
            return std::numeric_limits<int64_t>::max();
        }
        count += cells;
    }
    return count;
}

} // namespace qv::core
