// The chart core over any input: range texts of any shape read over a sheet
// whose cells are empty, numbers of any magnitude (NaN and infinities as the
// host might pass them) or texts that look like numbers; the series, the
// scales and the layout that follow stay finite and in bounds.
#include "qvcore/chart_data.h"
#include "qvcore/chart_layout.h"
#include "qvcore/chart_scale.h"
#include "qvcore/chart_types.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

constexpr int kSide = 12; // the sheet's used block is A1:L12; other cells are empty

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    uint8_t Byte() { return at < size ? data[at++] : 0; }
};

double Magnitude(uint8_t pick, uint8_t sign) {
    static const double kValues[] = {0.0,
                                     1.0,
                                     2.5,
                                     1e-320,
                                     1e-300,
                                     1e300,
                                     std::numeric_limits<double>::max(),
                                     std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(),
                                     123456.789,
                                     7.0};
    const double v = kValues[pick % (sizeof kValues / sizeof kValues[0])];
    return (sign & 1) != 0 ? -v : v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A length byte, the range text, three choice bytes, then the cells.
    Input in{data, size};
    // With the length byte's top bit set, the range is made of blocks around
    // the used cells instead (one, or two side by side).
    const uint8_t lead = in.Byte();
    std::string range;
    if ((lead & 0x80) != 0) {
        const int32_t r1 = 1 + in.Byte() % (kSide + 2), c1 = 1 + in.Byte() % (kSide + 2);
        const int32_t r2 = 1 + in.Byte() % (kSide + 2), c2 = 1 + in.Byte() % (kSide + 2);
        CellBlock first{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
        range = BlockText(first);
        if ((lead & 0x40) != 0 && first.lastColumn < kSide + 2) {
            CellBlock beside = first;
            beside.firstColumn = beside.lastColumn = first.lastColumn + 1;
            range += "," + BlockText(beside);
        }
    } else {
        const size_t length = std::min<size_t>(lead % 40, size - std::min(size, in.at));
        range.assign(reinterpret_cast<const char*>(data + in.at), length);
        in.at += length;
    }
    const int32_t mainType = 1 + in.Byte() % kChartMainTypes;
    const int32_t subtype = 1 + in.Byte() % 8;
    const uint8_t hint = in.Byte();
    ChartCell cells[kSide][kSide];
    const char* const texts[] = {"Sales", "NaN", "inf", "1e999", "", "12", "-", "1,5"};
    for (auto& row : cells) {
        for (auto& cell : row) {
            const uint8_t kind = in.Byte();
            switch (kind % 4) {
            case 1:
                cell = {ChartCell::kNumber, Magnitude(in.Byte(), kind >> 2), {}};
                break;
            case 2:
                cell = {ChartCell::kText, 0.0, texts[(kind >> 2) % 8]};
                break;
            case 3:
                cell = {
                    ChartCell::kNumber, static_cast<double>(static_cast<int8_t>(in.Byte())), {}};
                break;
            default:
                break;
            }
        }
    }
    const ChartCellReader read = [&cells](int32_t row, int32_t column) {
        Check(row >= 1 && column >= 1);
        if (row > kSide || column > kSide) {
            return ChartCell{};
        }
        return cells[row - 1][column - 1];
    };

    // The series a range holds and whether they still form its block.
    std::vector<CellBlock> areas;
    CellBlock block;
    SeriesSet set;
    if (ParseAreas(range, areas) && AreasFormOneBlock(areas, block)) {
        Check(block.Rows() >= 1 && block.Columns() >= 1);
        // Blocks far beyond the used cells read as empty; keep the reading small.
        if (static_cast<int64_t>(block.Rows()) * block.Columns() <= 4096) {
            const BlockLabels labels = DetectLabels(block, read);
            const SeriesIn orientation = hint % 3 == 0   ? ChooseOrientation(block, labels)
                                         : hint % 3 == 1 ? SeriesIn::kColumns
                                                         : SeriesIn::kRows;
            const SeriesUse use = ChartSeriesUse(mainType);
            set = SeriesFromBlock(block, orientation, use, read);
            Check(set.series.size() <= static_cast<size_t>(kMaxChartSeries));
            CellBlock again;
            if (BlockOfSeries(set, use, read, again)) {
                Check(again.firstRow >= block.firstRow && again.lastRow <= block.lastRow);
                Check(again.firstColumn >= block.firstColumn &&
                      again.lastColumn <= block.lastColumn);
            }
        }
    }
    if (set.series.empty()) {
        set.series.push_back({"", range, ""});
    }

    // Values, scale, stacks, slices and thinning.
    std::vector<std::vector<double>> values;
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const SeriesRefs& refs : set.series) {
        bool truncated = false;
        values.push_back(ResolveValues(refs.values, read, 512, &truncated));
        Check(values.back().size() <= 512);
        for (double v : values.back()) {
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
        ResolveTexts(refs.name, read, 4);
    }
    const ChartStyle style = ChartStyleOf(mainType, subtype);
    const bool percent = style.grouping == ChartGrouping::kPercent;
    if (style.grouping != ChartGrouping::kStandard) {
        for (const auto& stack : StackSeries(values, percent)) {
            for (const StackedPoint& p : stack) {
                Check(std::isfinite(p.low) && std::isfinite(p.high) && p.low <= p.high);
                if (percent) {
                    Check(p.low >= -100.0 - 1e-6 && p.high <= 100.0 + 1e-6);
                }
            }
        }
    }
    const AxisScale scale = NiceScale(low, high, hint & 8, 1 + (hint >> 4));
    Check(std::isfinite(scale.minimum) && std::isfinite(scale.maximum) && scale.major > 0);
    Check(scale.minimum < scale.maximum && scale.intervals >= 1);
    for (int i = 0; i <= scale.intervals; ++i) {
        const std::string label = FormatAxisValue(ScaleTick(scale, i), scale.decimals);
        Check(!label.empty() && label.size() < 40);
    }
    double shares = 0.0;
    for (const Slice& s : PieSlices(values.front())) {
        Check(std::isfinite(s.sweep) && s.sweep >= 0.0);
        shares += s.share;
    }
    Check(shares == 0.0 || std::fabs(shares - 1.0) < 1e-6);
    const double width = 1 + in.Byte() * 4;
    for (const auto& run : ThinSeries(values.front(), 10, width / 512, scale, 200, 10)) {
        for (const PlotPoint& p : run) {
            Check(std::isfinite(p.x) && std::isfinite(p.y));
        }
    }

    // Layout of any sizes.
    ChartLayoutInput layout;
    layout.bounds = {0, 0, static_cast<double>(in.Byte()) * 3, static_cast<double>(in.Byte()) * 2};
    layout.title = {static_cast<double>(in.Byte()), static_cast<double>(in.Byte() % 40)};
    layout.legend = (hint & 1) != 0;
    layout.legendPlace = static_cast<int8_t>(in.Byte());
    layout.legendEntries = static_cast<int>(set.series.size());
    layout.legendEntry = {static_cast<double>(in.Byte()), static_cast<double>(in.Byte() % 30)};
    layout.axes = ChartHasAxes(mainType);
    layout.horizontal = style.shape == ChartShape::kBars;
    layout.categories = static_cast<int>(values.front().size());
    layout.categoryLabel = {static_cast<double>(in.Byte()), 12};
    layout.valueLabel = {static_cast<double>(in.Byte()), 12};
    layout.depth = style.threeD ? 12 : 0;
    const ChartLayout out = LayoutChart(layout);
    for (const LayoutRect& r :
         {out.plot, out.legend, out.title, out.categoryTitle, out.valueTitle}) {
        Check(r.Empty() || layout.bounds.Contains(r));
    }
    Check(!out.legend.Intersects(out.plot));
    Check(out.categoryLabelStep >= 1);
    return 0;
}
