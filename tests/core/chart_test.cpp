#include "qvcore/chart_data.h"
#include "qvcore/chart_layout.h"
#include "qvcore/chart_scale.h"
#include "qvcore/chart_types.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <utility>

using namespace qv::core;

namespace {

// A sheet of cells for the readers: numbers, texts and empty cells.
class Sheet {
  public:
    void Number(int32_t row, int32_t column, double value) {
        cells_[{row, column}] = ChartCell{ChartCell::kNumber, value, {}};
    }
    void Text(int32_t row, int32_t column, const char* text) {
        cells_[{row, column}] = ChartCell{ChartCell::kText, 0.0, text};
    }
    ChartCellReader Reader() const {
        return [this](int32_t row, int32_t column) {
            auto it = cells_.find({row, column});
            return it == cells_.end() ? ChartCell{} : it->second;
        };
    }

  private:
    std::map<std::pair<int32_t, int32_t>, ChartCell> cells_;
};

// A1:C4: an empty corner, quarters across, regions down.
Sheet Regions() {
    Sheet sheet;
    sheet.Text(1, 2, "Q1");
    sheet.Text(1, 3, "Q2");
    const char* regions[] = {"North", "South", "West"};
    for (int r = 0; r < 3; ++r) {
        sheet.Text(r + 2, 1, regions[r]);
        sheet.Number(r + 2, 2, 10 * (r + 1));
        sheet.Number(r + 2, 3, 5 * (r + 1));
    }
    return sheet;
}

} // namespace

TEST(ChartScale, NiceRangesHoldTheValuesInWholeSteps) {
    const struct {
        double low, high;
        bool zero;
        double min, max, major;
    } cases[] = {
        {1, 3, true, 0, 3, 0.5},       {0, 97, true, 0, 100, 20},
        {-37, 82, true, -50, 100, 25}, {12.3, 12.9, false, 12.3, 12.9, 0.1},
        {-5, -1, true, -5, 0, 1},      {0.0001, 0.0004, true, 0, 0.0004, 0.0001},
    };
    for (const auto& c : cases) {
        const AxisScale s = NiceScale(c.low, c.high, c.zero, 6);
        EXPECT_NEAR(s.minimum, c.min, 1e-12) << c.low << ".." << c.high;
        EXPECT_NEAR(s.maximum, c.max, 1e-12) << c.low << ".." << c.high;
        EXPECT_NEAR(s.major, c.major, 1e-12) << c.low << ".." << c.high;
        EXPECT_LE(s.intervals, 6);
        EXPECT_DOUBLE_EQ(s.minor, s.major / 5);
    }
}

TEST(ChartScale, DegenerateAndExtremeInputsGiveUsableScales) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double big = std::numeric_limits<double>::max();
    const struct {
        double low, high;
        bool zero;
    } cases[] = {{0, 0, true},
                 {7, 7, false},
                 {-7, -7, false},
                 {nan, nan, true},
                 {inf, -inf, false},
                 {nan, 5, true},
                 {-big, big, false},
                 {big, big, true},
                 {1e-320, 1e-320, false},
                 {1e-300, 2e-300, false},
                 {1e15, 1e15 + 1, false},
                 {-1e200, 1e-200, true}};
    for (const auto& c : cases) {
        for (int intervals : {-3, 1, 5, 1000}) {
            const AxisScale s = NiceScale(c.low, c.high, c.zero, intervals);
            SCOPED_TRACE(testing::Message() << c.low << ".." << c.high << " n=" << intervals);
            ASSERT_TRUE(std::isfinite(s.minimum) && std::isfinite(s.maximum));
            ASSERT_TRUE(std::isfinite(s.major) && s.major > 0);
            EXPECT_LT(s.minimum, s.maximum);
            EXPECT_GE(s.intervals, 1);
            EXPECT_LE(s.intervals, kMaxScaleIntervals);
            if (std::isfinite(c.low)) {
                EXPECT_LE(s.minimum, c.low);
                EXPECT_GE(s.maximum, c.low);
            }
            if (c.zero) {
                EXPECT_LE(s.minimum, 0.0);
                EXPECT_GE(s.maximum, 0.0);
            }
            for (int i = 0; i <= s.intervals; ++i) {
                EXPECT_TRUE(std::isfinite(ScaleTick(s, i)));
            }
        }
    }
    // An all-equal positive series on a column chart starts at zero.
    const AxisScale seven = NiceScale(7, 7, true, 5);
    EXPECT_EQ(seven.minimum, 0.0);
    EXPECT_GE(seven.maximum, 7.0);
}

TEST(ChartScale, TickLabelsShowEveryStepExactly) {
    const AxisScale s = NiceScale(0, 1, false, 4);
    EXPECT_EQ(s.major, 0.25);
    EXPECT_EQ(s.decimals, 2);
    EXPECT_EQ(FormatAxisValue(ScaleTick(s, 1), s.decimals), "0.25");
    const AxisScale across = NiceScale(-0.3, 0.3, false, 6);
    for (int i = 0; i <= across.intervals; ++i) {
        EXPECT_NE(FormatAxisValue(ScaleTick(across, i), across.decimals), "-0.0");
    }
    EXPECT_EQ(FormatAxisValue(-0.0001, 1), "0.0");
    EXPECT_EQ(FormatAxisValue(1500, 0), "1500");
    EXPECT_EQ(FormatAxisValue(1.5e20, 0), "1.5E+20");
    EXPECT_EQ(FormatAxisValue(-2e-12, 3), "-2E-12");
    EXPECT_EQ(FormatAxisValue(std::nan(""), 2), "");
    EXPECT_EQ(FormatDataValue(2.5), "2.5");
    EXPECT_EQ(FormatDataValue(1000), "1000");
    EXPECT_EQ(FormatDataValue(0.001), "0.001");
    EXPECT_EQ(FormatDataValue(1.0 / 3, 4), "0.3333");
    EXPECT_EQ(FormatDataValue(-0.0), "0");
}

TEST(ChartData, NumbersAreReadStrictly) {
    double v = 0;
    for (const char* good : {"12", " -3.5 ", "+.5", "1e3", "2.E-2"}) {
        EXPECT_TRUE(ReadChartNumber(good, v)) << good;
    }
    EXPECT_TRUE(ReadChartNumber("-1e3", v));
    EXPECT_EQ(v, -1000.0);
    for (const char* bad : {"", " ", "NaN", "nan", "inf", "-Infinity", "1,5", "12a", "--1", "+",
                            "1e999", "0x10", "1 2"}) {
        EXPECT_FALSE(ReadChartNumber(bad, v)) << bad;
    }
}

TEST(ChartData, ReferenceListsAndBlocks) {
    std::vector<CellBlock> areas;
    ASSERT_TRUE(ParseAreas("$A$1:B4", areas));
    EXPECT_EQ(areas.size(), 1u);
    EXPECT_EQ(BlockText(areas[0]), "A1:B4");
    CellBlock block;
    ASSERT_TRUE(ParseAreas("A1:A4, B1:B4", areas));
    ASSERT_TRUE(AreasFormOneBlock(areas, block));
    EXPECT_EQ(BlockText(block), "A1:B4");
    ASSERT_TRUE(ParseAreas("A1:C4,B2", areas)); // one inside the other
    EXPECT_TRUE(AreasFormOneBlock(areas, block));
    ASSERT_TRUE(ParseAreas("A1:A4,C1:C4", areas)); // a gap
    EXPECT_FALSE(AreasFormOneBlock(areas, block));
    ASSERT_TRUE(ParseAreas("A1:B2,B3:C4", areas)); // corners missing
    EXPECT_FALSE(AreasFormOneBlock(areas, block));
    for (const char* bad : {"", "A1:", "A1,,B2", "A0", "IW1", "Sales"}) {
        EXPECT_FALSE(ParseAreas(bad, areas)) << bad;
        EXPECT_TRUE(areas.empty());
    }
    EXPECT_EQ(CellCount("A1:B4,D1"), 9);
    EXPECT_EQ(CellCount("A1:IV65536"), int64_t{256} * 65536);
    EXPECT_EQ(CellCount("7"), 1);
    EXPECT_EQ(CellCount("x"), 0);
}

TEST(ChartData, LabelsOfABlock) {
    const Sheet regions = Regions();
    BlockLabels labels = DetectLabels({1, 1, 4, 3}, regions.Reader());
    EXPECT_TRUE(labels.headerRow);
    EXPECT_TRUE(labels.labelColumn);
    // Without the label column: the header row alone.
    labels = DetectLabels({1, 2, 4, 3}, regions.Reader());
    EXPECT_TRUE(labels.headerRow);
    EXPECT_FALSE(labels.labelColumn);
    // Numbers only.
    labels = DetectLabels({2, 2, 4, 3}, regions.Reader());
    EXPECT_FALSE(labels.headerRow || labels.labelColumn);
    // One column under a name; one row after a name.
    Sheet sheet;
    sheet.Text(1, 1, "Sales");
    sheet.Number(2, 1, 1);
    sheet.Number(1, 2, 1);
    EXPECT_TRUE(DetectLabels({1, 1, 2, 1}, sheet.Reader()).headerRow);
    EXPECT_TRUE(DetectLabels({1, 1, 1, 2}, sheet.Reader()).labelColumn);
    // An empty corner makes a first column of years the labels.
    Sheet years;
    years.Text(1, 2, "Sales");
    years.Number(2, 1, 2001);
    years.Number(2, 2, 10);
    labels = DetectLabels({1, 1, 2, 2}, years.Reader());
    EXPECT_TRUE(labels.headerRow && labels.labelColumn);
}

TEST(ChartData, SeriesOfABlockInBothDirections) {
    const Sheet regions = Regions();
    const CellBlock block{1, 1, 4, 3};
    const BlockLabels labels = DetectLabels(block, regions.Reader());
    EXPECT_EQ(ChooseOrientation(block, labels), SeriesIn::kColumns);

    SeriesSet columns =
        SeriesFromBlock(block, SeriesIn::kColumns, SeriesUse::kPlain, regions.Reader());
    EXPECT_EQ(columns.categories, "A2:A4");
    ASSERT_EQ(columns.series.size(), 2u);
    EXPECT_EQ(columns.series[0], (SeriesRefs{"B1", "B2:B4", ""}));
    EXPECT_EQ(columns.series[1], (SeriesRefs{"C1", "C2:C4", ""}));

    // Rows: the regions become the series, the quarters the categories.
    SeriesSet rows = SeriesFromBlock(block, SeriesIn::kRows, SeriesUse::kPlain, regions.Reader());
    EXPECT_EQ(rows.categories, "B1:C1");
    ASSERT_EQ(rows.series.size(), 3u);
    EXPECT_EQ(rows.series[2], (SeriesRefs{"A4", "B4:C4", ""}));

    // XY: a first column of numbers gives the X values; bubble: then pairs.
    const SeriesSet xy =
        SeriesFromBlock({2, 2, 4, 3}, SeriesIn::kColumns, SeriesUse::kXValues, regions.Reader());
    EXPECT_EQ(xy.categories, "B2:B4");
    ASSERT_EQ(xy.series.size(), 1u);
    EXPECT_EQ(xy.series[0].values, "C2:C4");
    const SeriesSet bubble =
        SeriesFromBlock({2, 1, 4, 3}, SeriesIn::kColumns, SeriesUse::kXAndSizes, regions.Reader());
    ASSERT_EQ(bubble.series.size(), 1u);
    EXPECT_EQ(bubble.series[0], (SeriesRefs{"", "B2:B4", "C2:C4"}));

    // A block of one row of numbers is one series in a row.
    Sheet row;
    for (int c = 1; c <= 3; ++c) {
        row.Number(1, c, c);
    }
    const CellBlock line{1, 1, 1, 3};
    EXPECT_EQ(ChooseOrientation(line, DetectLabels(line, row.Reader())), SeriesIn::kRows);
    // More columns than the chart holds: the first 256 series.
    const SeriesSet wide =
        SeriesFromBlock({1, 1, 2, 256}, SeriesIn::kRows, SeriesUse::kPlain, row.Reader());
    EXPECT_EQ(wide.series.size(), 2u);
    const SeriesSet many =
        SeriesFromBlock({1, 1, 300, 2}, SeriesIn::kRows, SeriesUse::kPlain, row.Reader());
    EXPECT_EQ(many.series.size(), static_cast<size_t>(kMaxChartSeries));
}

TEST(ChartData, EditedSeriesBreakTheRange) {
    const Sheet regions = Regions();
    SeriesSet set =
        SeriesFromBlock({1, 1, 4, 3}, SeriesIn::kColumns, SeriesUse::kPlain, regions.Reader());
    CellBlock block;
    ASSERT_TRUE(BlockOfSeries(set, SeriesUse::kPlain, regions.Reader(), block));
    EXPECT_EQ(BlockText(block), "A1:C4");

    SeriesSet removed = set;
    removed.series.erase(removed.series.begin()); // C alone is not what A1:C4 reads as
    EXPECT_FALSE(BlockOfSeries(removed, SeriesUse::kPlain, regions.Reader(), block));
    SeriesSet last = set;
    last.series.pop_back(); // A1:B4 reads as exactly that
    EXPECT_TRUE(BlockOfSeries(last, SeriesUse::kPlain, regions.Reader(), block));
    EXPECT_EQ(BlockText(block), "A1:B4");
    SeriesSet typed = set;
    typed.series[0].values = "12"; // a number typed in the Values box
    EXPECT_FALSE(BlockOfSeries(typed, SeriesUse::kPlain, regions.Reader(), block));
    SeriesSet added = set;
    added.series.push_back({}); // an empty series from Add
    EXPECT_FALSE(BlockOfSeries(added, SeriesUse::kPlain, regions.Reader(), block));
    EXPECT_FALSE(BlockOfSeries(SeriesSet{}, SeriesUse::kPlain, regions.Reader(), block));
}

TEST(ChartData, ValuesAndTextsOfReferences) {
    Sheet sheet = Regions();
    sheet.Text(3, 2, "n/a");
    std::vector<double> values = ResolveValues("B2:B4", sheet.Reader(), 100);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0], 10);
    EXPECT_TRUE(std::isnan(values[1])); // a text is a gap
    EXPECT_EQ(values[2], 30);
    EXPECT_TRUE(std::isnan(ResolveValues("Z99", sheet.Reader(), 100)[0]));
    EXPECT_EQ(ResolveValues(" 4.5", sheet.Reader(), 100), std::vector<double>{4.5});
    bool truncated = false;
    EXPECT_EQ(ResolveValues("B2:C4", sheet.Reader(), 4, &truncated).size(), 4u);
    EXPECT_TRUE(truncated);
    EXPECT_TRUE(ResolveValues("B2:", sheet.Reader(), 100).empty());
    EXPECT_EQ(ResolveTexts("A2:A4", sheet.Reader(), 10),
              (std::vector<std::string>{"North", "South", "West"}));
    EXPECT_EQ(ResolveTexts("C2", sheet.Reader(), 10), std::vector<std::string>{"5"});
}

TEST(ChartTypes, FiftyFiveSubtypesWithTheirNames) {
    int total = 0;
    uint32_t next = 1883;
    for (int32_t main = 1; main <= kChartMainTypes; ++main) {
        EXPECT_NE(ChartMainTypeNameId(main), 0u);
        for (int32_t sub = 1; sub <= ChartSubtypeCount(main); ++sub) {
            EXPECT_EQ(ChartSubtypeNameId(main, sub), next++);
            ++total;
        }
        EXPECT_EQ(ChartSubtypeNameId(main, ChartSubtypeCount(main) + 1), 0u);
    }
    EXPECT_EQ(total, kChartSubtypesInAll);
    EXPECT_EQ(ChartSubtypeCount(12), 0);
    EXPECT_FALSE(ChartHasAxes(kChartPie));
    EXPECT_FALSE(ChartHasAxes(kChartDoughnut));
    EXPECT_EQ(StockSeriesNeeded(kChartStock, 4), 5);
    EXPECT_EQ(ChartStyleOf(kChartCylinder, 5).shape, ChartShape::kBars);
    EXPECT_EQ(ChartStyleOf(kChartBar, 3).grouping, ChartGrouping::kPercent);
}

TEST(ChartLayout, TheLegendNeverCoversThePlot) {
    for (int32_t place = 0; place <= 6; ++place) {
        for (int entries : {1, 5, 256}) {
            for (bool axes : {true, false}) {
                ChartLayoutInput in;
                in.bounds = {10, 15, 520, 220};
                in.title = {120, 16};
                in.categoryTitle = {60, 12};
                in.valueTitle = {50, 12};
                in.legend = true;
                in.legendPlace = place;
                in.legendEntries = entries;
                in.legendEntry = {70, 14};
                in.axes = axes;
                in.categoryLabel = {40, 12};
                in.valueLabel = {30, 12};
                in.categories = 12;
                const ChartLayout out = LayoutChart(in);
                SCOPED_TRACE(testing::Message() << "place " << place << " entries " << entries);
                EXPECT_FALSE(out.plot.Empty());
                for (const LayoutRect& r :
                     {out.plot, out.legend, out.title, out.categoryTitle, out.valueTitle}) {
                    EXPECT_TRUE(in.bounds.Contains(r) || r.Empty());
                }
                EXPECT_FALSE(out.legend.Intersects(out.plot));
                EXPECT_FALSE(out.title.Intersects(out.plot));
                EXPECT_FALSE(out.title.Intersects(out.legend));
                EXPECT_GE(out.legendShown, 1);
                EXPECT_LE(out.legendShown, entries);
                if (!axes) {
                    EXPECT_NEAR(out.plot.Width(), out.plot.Height(), 1e-9); // a round pie
                }
            }
        }
    }
    // Right and left legends sit beside the plot, top and bottom ones above and below.
    ChartLayoutInput in;
    in.bounds = {0, 0, 400, 300};
    in.legend = true;
    in.legendEntries = 3;
    in.legendEntry = {60, 14};
    in.legendPlace = kLegendRight;
    EXPECT_GE(LayoutChart(in).legend.left, LayoutChart(in).plot.right);
    in.legendPlace = kLegendBottom;
    EXPECT_GE(LayoutChart(in).legend.top, LayoutChart(in).plot.bottom);
    in.legendPlace = kLegendLeft;
    EXPECT_LE(LayoutChart(in).legend.right, LayoutChart(in).plot.left);
}

TEST(ChartLayout, CategoryLabelsAreThinnedOrTurnedRatherThanOverlapped) {
    EXPECT_EQ(LabelStep(10, 30, 500), 1);
    EXPECT_EQ(LabelStep(100, 30, 500), 7); // 5 px a category, 34 px a label
    EXPECT_EQ(LabelStep(4096, 30, 0), 4096);
    EXPECT_EQ(LabelStep(0, 30, 500), 1);
    ChartLayoutInput in;
    in.bounds = {0, 0, 500, 200};
    in.categories = 60;
    in.categoryLabel = {80, 12};
    in.valueLabel = {20, 12};
    const ChartLayout out = LayoutChart(in);
    EXPECT_TRUE(out.turnCategoryLabels);
    // Turned labels, each 12 px high plus a gap, every n-th.
    EXPECT_GE(out.categoryLabelStep * out.plot.Width() / 60, 12.0);
}

TEST(ChartLayout, BarsStacksAndSlices) {
    // Clusters side by side, bars of a cluster in series order, all inside.
    double previous = 0;
    for (int c = 0; c < 3; ++c) {
        for (int s = 0; s < 2; ++s) {
            const Span span = BarSlot(c, 3, s, 2, 0, 300);
            EXPECT_GT(span.end, span.start);
            EXPECT_GE(span.start, previous);
            previous = span.end;
        }
    }
    EXPECT_LE(previous, 300);
    EXPECT_EQ(BarSlot(0, 0, 0, 2, 0, 300).end, 0);

    const auto stacked = StackSeries({{1, 2}, {3, -1}}, false);
    EXPECT_EQ(stacked[1][0].low, 1);
    EXPECT_EQ(stacked[1][0].high, 4);
    EXPECT_EQ(stacked[1][1].high, 0); // a negative value stacks downward
    EXPECT_EQ(stacked[1][1].low, -1);
    const double big = std::numeric_limits<double>::max();
    const auto percent = StackSeries({{big, 1}, {big, 3}}, true);
    EXPECT_NEAR(percent[0][0].high, 50, 1e-9);
    EXPECT_NEAR(percent[1][0].high, 100, 1e-9);
    EXPECT_NEAR(percent[0][1].high, 25, 1e-9);

    const auto halves = PieSlices({1, 1});
    EXPECT_DOUBLE_EQ(halves[0].sweep, 180);
    EXPECT_DOUBLE_EQ(halves[1].start, 90);
    const auto negative = PieSlices({-1, 3, std::nan("")});
    EXPECT_DOUBLE_EQ(negative[0].share, 0.25);
    EXPECT_DOUBLE_EQ(negative[2].sweep, 0);
    for (const Slice& s : PieSlices({0, 0})) {
        EXPECT_EQ(s.sweep, 0);
    }
    const auto huge = PieSlices({big, big});
    EXPECT_DOUBLE_EQ(huge[0].sweep, 180);
}

TEST(ChartLayout, DenseSeriesAreThinnedToPixelColumns) {
    std::vector<double> values(4096);
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = std::sin(static_cast<double>(i) * 0.01) * 100;
    }
    values[2000] = std::nan("");
    const AxisScale scale = NiceScale(-100, 100, false, 5);
    const auto runs = ThinSeries(values, 0, 500.0 / 4096, scale, 200, 0);
    ASSERT_EQ(runs.size(), 2u); // broken at the gap
    size_t points = 0;
    double lowest = 1e9, highest = -1e9;
    for (const auto& run : runs) {
        points += run.size();
        for (const PlotPoint& p : run) {
            lowest = std::min(lowest, p.y);
            highest = std::max(highest, p.y);
        }
    }
    EXPECT_LE(points, 4u * 502);
    // The extremes survive the thinning.
    EXPECT_NEAR(lowest, ValueToPixel(100, scale, 200, 0), 0.5);
    EXPECT_NEAR(highest, ValueToPixel(-100, scale, 200, 0), 0.5);
    // Sparse points come out one for one.
    EXPECT_EQ(ThinSeries({1, 2, 3}, 0, 50, scale, 200, 0)[0].size(), 3u);
}
