// The chart component QVChrtWr.dll as a host uses it: charts over a sheet of
// cells, read back through the interface and checked in the pixels they draw.
#include "qvchart/qvchart.h"
#include "qvhost/chart_host.h"
#include "qvhost/host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kFirstSeries = 0x4E79A7;  // the first series colour
constexpr uint32_t kSecondSeries = 0xF28E2B; // the second

std::string Get(void (QVCHART_CALL CQVChartWrapperCtrl::*getter)(QVString*),
                CQVChartWrapperCtrl& chart) {
    QVString text{};
    (chart.*getter)(&text);
    std::string out = QVStringGet(&text);
    QVStringClear(&text);
    return out;
}

struct SeriesTexts {
    std::string categories;
    std::string second;
    std::vector<std::string> entries, names, values, sizes;
};

std::vector<std::string> Strings(const QVStringArray& array) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < array.size; ++i) {
        out.emplace_back(QVStringGet(&array.data[i]));
    }
    return out;
}

SeriesTexts Info(CQVChartWrapperCtrl& chart) {
    QVString categories{};
    QVString second{};
    SSChartSeries series{};
    chart.GetSeriesInfo(&categories, &second, &series);
    SeriesTexts texts{QVStringGet(&categories), QVStringGet(&second),   Strings(series.entries),
                      Strings(series.names),    Strings(series.values), Strings(series.sizes)};
    QVStringClear(&categories);
    QVStringClear(&second);
    for (QVStringArray* a :
         {&series.entries, &series.names, &series.values, &series.secondValues, &series.sizes}) {
        QVStringArrayRemoveAll(a);
    }
    return texts;
}

// Runs of x where a column of the image holds the colour, with the number of
// such pixels in each run's tallest column.
struct Bar {
    int left = 0;
    int right = 0;
    int height = 0;
};
std::vector<Bar> Bars(const qvhost::ChartPixels& pixels, uint32_t colour) {
    std::vector<Bar> bars;
    bool inside = false;
    for (int x = 0; x < pixels.width; ++x) {
        int count = 0;
        for (int y = 0; y < pixels.height; ++y) {
            count += pixels.At(x, y) == colour ? 1 : 0;
        }
        if (count > 2) {
            if (!inside) {
                bars.push_back({x, x, 0});
                inside = true;
            }
            bars.back().right = x;
            bars.back().height = std::max(bars.back().height, count);
        } else {
            inside = false;
        }
    }
    return bars;
}

int Count(const qvhost::ChartPixels& pixels, uint32_t colour, int x0 = 0, int x1 = -1) {
    if (x1 < 0) {
        x1 = pixels.width;
    }
    int n = 0;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = x0; x < x1; ++x) {
            n += pixels.At(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

class ChartComponent : public ::testing::Test {
  protected:
    void SetUp() override {
        qvhost::SampleSheet::FillDemo(sheet_);
        ASSERT_TRUE(component_.loaded()) << "QVChrtWr.dll in " << qvhost::AppFolder();
        EXPECT_EQ(component_.InterfaceVersion(), QVCHART_INTERFACE_VERSION);
    }
    qvhost::ChartPtr Make(const char* range, int32_t mainType, int32_t subtype = 1) {
        qvhost::ChartPtr chart = component_.Create(&sheet_);
        EXPECT_NE(chart, nullptr);
        chart->SetDataSourceRangeInText(range, QVCHART_HINT_CHOOSE, 0);
        chart->setChartType(mainType, subtype);
        chart->UpdateChart();
        return chart;
    }

    qvhost::SampleSheet sheet_;
    qvhost::ChartComponent component_{qvhost::AppFolder()};
};

TEST_F(ChartComponent, AColumnChartOfOneTwoThreeHasThreeRisingBars) {
    auto chart = Make("A8:C8", 1);
    chart->SetChartLegend(0);
    EXPECT_EQ(chart->GetChartLastErr(), QVCHART_OK);
    const qvhost::ChartPixels pixels = qvhost::RenderChart(*chart, 400, 300);
    const std::vector<Bar> bars = Bars(pixels, kFirstSeries);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_LT(bars[0].height, bars[1].height);
    EXPECT_LT(bars[1].height, bars[2].height);
    // Heights in proportion to the values, from a common base.
    EXPECT_NEAR(static_cast<double>(bars[2].height) / bars[0].height, 3.0, 0.15);
    EXPECT_LT(bars[0].right, bars[1].left);
}

TEST_F(ChartComponent, APieOfOneAndOneIsSplitInTwoEqualHalves) {
    auto chart = Make("A10:B10", 4);
    chart->SetChartLegend(0);
    EXPECT_EQ(chart->GetChartLastErr(), QVCHART_OK);
    const qvhost::ChartPixels pixels = qvhost::RenderChart(*chart, 300, 300);
    const int first = Count(pixels, kFirstSeries);
    const int second = Count(pixels, kSecondSeries);
    ASSERT_GT(first, 1000);
    EXPECT_NEAR(static_cast<double>(first) / second, 1.0, 0.03);
    // From twelve o'clock round to six: the first half on the right.
    EXPECT_EQ(Count(pixels, kFirstSeries, 0, 150), 0);
    EXPECT_EQ(Count(pixels, kSecondSeries, 151, 300), 0);
}

TEST_F(ChartComponent, RowsAndColumnsSwapSeriesAndCategories) {
    auto chart = Make("A1:D5", 1);
    EXPECT_EQ(chart->GetChartDataSeriesType(), QVCHART_SERIES_IN_COLUMNS);
    SeriesTexts columns = Info(*chart);
    EXPECT_EQ(columns.categories, "A2:A5");
    EXPECT_EQ(columns.entries, (std::vector<std::string>{"Q1", "Q2", "Q3"}));
    EXPECT_EQ(columns.values[0], "B2:B5");
    chart->SetChartDataSeriesType(QVCHART_SERIES_IN_ROWS);
    chart->UpdateChart();
    SeriesTexts rows = Info(*chart);
    EXPECT_EQ(rows.categories, "B1:D1");
    EXPECT_EQ(rows.entries, (std::vector<std::string>{"North", "South", "East", "West"}));
    EXPECT_EQ(rows.names[3], "A5");
    EXPECT_EQ(chart->IsRngBroken(0), 0);
    // Four series now: four colours of bars.
    chart->SetChartLegend(0);
    const qvhost::ChartPixels pixels = qvhost::RenderChart(*chart, 500, 300);
    EXPECT_EQ(Bars(pixels, kFirstSeries).size(), 3u); // one bar a quarter
    EXPECT_GT(Count(pixels, 0x76B7B2), 100);          // the fourth series' colour
    // A range given in rows stays in rows.
    chart->SetDataSourceRangeInText("A1:D5", QVCHART_HINT_ROWS, 0);
    EXPECT_EQ(chart->GetChartDataSeriesType(), QVCHART_SERIES_IN_ROWS);
}

TEST_F(ChartComponent, OneEmptyCellDrawsAndReportsNoData) {
    auto chart = Make("Z99", 1);
    EXPECT_EQ(chart->GetChartLastErr(), QVCHART_ERR_NO_DATA);
    RECT rect{0, 0, 200, 120};
    chart->SetChartRect(&rect);
    EXPECT_NE(chart->GetBitmapFromChart(), nullptr);
    const qvhost::ChartPixels pixels = qvhost::RenderChart(*chart, 200, 120);
    EXPECT_EQ(pixels.At(100, 60), 0xFFFFFFu);
    // Other failures and their codes.
    chart->SetDataSourceRangeInText("Sales", 0, 0);
    chart->UpdateChart();
    EXPECT_EQ(chart->GetChartLastErr(), QVCHART_ERR_BAD_RANGE);
    const int64_t reads = sheet_.Reads();
    chart->SetDataSourceRangeInText("B2:IV65536", QVCHART_HINT_COLUMNS, 0);
    chart->UpdateChart();
    EXPECT_EQ(chart->GetChartLastErr(), QVCHART_ERR_TOO_MUCH_DATA);
    EXPECT_LT(sheet_.Reads() - reads, 100000); // refused before the cells were read
    qvhost::ChartPtr orphan = component_.Create(nullptr);
    orphan->SetDataSourceRangeInText("A1:B2", 0, 0);
    orphan->UpdateChart();
    EXPECT_EQ(orphan->GetChartLastErr(), QVCHART_ERR_NO_SOURCE);
    qvhost::RenderChart(*orphan, 50, 50);
}

// A drawing of the chart's own size may be copied from the picture the chart
// keeps: it shows the chart as it is now, after a change and at a new size,
// pixel for pixel as a chart drawn afresh.
TEST_F(ChartComponent, DrawingsOfItsOwnSizeShowTheChartAsItIsNow) {
    auto afresh = [this](int32_t mainType, int32_t legend, int width, int height) {
        auto other = Make("A1:D5", mainType);
        other->SetChartLegend(legend);
        return qvhost::RenderChart(*other, width, height).rgb; // not its own size
    };
    auto chart = Make("A1:D5", 1);
    RECT own{10, 15, 310, 215};
    chart->SetChartRect(&own);
    ASSERT_NE(chart->GetBitmapFromChart(), nullptr);
    EXPECT_EQ(qvhost::RenderChart(*chart, 300, 200).rgb, afresh(1, 1, 300, 200));
    chart->SetChartLegend(0);
    EXPECT_EQ(qvhost::RenderChart(*chart, 300, 200).rgb, afresh(1, 0, 300, 200));
    chart->setChartType(4, 1); // no rebuild asked for
    EXPECT_EQ(qvhost::BitmapPixels(chart->GetBitmapFromChart()).rgb, afresh(4, 0, 300, 200));
    EXPECT_EQ(qvhost::RenderChart(*chart, 300, 200).rgb, afresh(4, 0, 300, 200));
    own = RECT{0, 0, 360, 230};
    chart->SetChartRect(&own);
    EXPECT_EQ(qvhost::RenderChart(*chart, 360, 230).rgb, afresh(4, 0, 360, 230));
}

TEST_F(ChartComponent, StockChartsNeedTheSeriesTheirSubtypeNames) {
    // Day, Volume, Open, High, Low, Close: volume-open-high-low-close.
    auto chart = Make("F1:K6", 10, 4);
    EXPECT_EQ(chart->GetChartLastErr(), QVCHART_OK);
    for (int32_t subtype = 1; subtype <= 3; ++subtype) {
        chart->setChartType(10, subtype);
        chart->UpdateChart();
        EXPECT_EQ(chart->GetChartLastErr(), QVCHART_ERR_STOCK_LAYOUT) << subtype;
    }
    chart->SetDataSourceRangeInText("F1:F6,I1:K6", 0, 0); // day, high, low, close
    chart->setChartType(10, 1);
    chart->UpdateChart();
    EXPECT_NE(chart->IsRngBroken(0), 0);
    EXPECT_EQ(Info(*chart).categories, "F2:F6");
    EXPECT_EQ(chart->GetChartLastErr(), QVCHART_OK);
}

TEST_F(ChartComponent, SeriesEditedOneByOneBreakTheRange) {
    auto chart = Make("A1:D5", 1);
    chart->UpdateSeries(1, "C1", "C2:C5", "", 0); // what it was: still one block
    EXPECT_EQ(chart->IsRngBroken(0), 0);
    chart->UpdateSeries(1, "", "7", "", 0);
    EXPECT_NE(chart->IsRngBroken(0), 0);
    EXPECT_EQ(Info(*chart).values[1], "7");
    chart->UpdateSeries(-2, "A2:A4", "", "", 0);
    EXPECT_EQ(Info(*chart).categories, "A2:A4");
    chart->RemoveSeries(0, 0);
    chart->RemoveSeries(99, 0);
    chart->RemoveSeries(-1, 0);
    EXPECT_EQ(Info(*chart).entries.size(), 2u);
    for (int i = 0; i < 300; ++i) {
        chart->AddSeries(-1, "", "", "", 0);
    }
    EXPECT_EQ(Info(*chart).entries.size(), static_cast<size_t>(QVCHART_MAX_SERIES));
    chart->UpdateChart();
    EXPECT_EQ(chart->GetChartLastErr(), QVCHART_OK); // series 2 still holds numbers
    // A new range reads the series afresh.
    chart->SetDataSourceRangeInText("A1:C5", 0, 0);
    EXPECT_EQ(chart->IsRngBroken(0), 0);
    EXPECT_EQ(Info(*chart).entries.size(), 2u);
}

TEST_F(ChartComponent, SettingsReadBackAndOddArgumentsAreHarmless) {
    auto chart = Make("A1:D5", 1);
    EXPECT_EQ(chart->GetChartMainType(), 1);
    chart->setChartType(12, 1);
    chart->setChartType(0, 1);
    EXPECT_EQ(chart->GetChartMainType(), 1);
    chart->setChartType(7, 9);
    EXPECT_EQ(chart->GetChartSubType(), 2);
    chart->SetChartTitleText("Sales");
    chart->SetChartXAxisTitle(nullptr);
    EXPECT_EQ(Get(&CQVChartWrapperCtrl::GetChartTitleText, *chart), "Sales");
    EXPECT_EQ(Get(&CQVChartWrapperCtrl::GetChartXAxisTitle, *chart), "");
    EXPECT_EQ(Get(&CQVChartWrapperCtrl::GetDataSourceRangeInText, *chart), "A1:D5");
    chart->SetChartLegendLocationType(9);
    EXPECT_EQ(chart->GetChartLegendLocationType(), 9);
    chart->SetYMinorAxis(5);
    EXPECT_EQ(chart->GetYMinorAxis(), 1);
    chart->SetChartRect(nullptr);
    chart->OnChartDraw(nullptr, nullptr);
    chart->GetSeriesInfo(nullptr, nullptr, nullptr);
    chart->GetChartTitleText(nullptr);
    RECT empty{10, 10, 10, 10};
    chart->SetChartRect(&empty);
    EXPECT_EQ(chart->GetBitmapFromChart(), nullptr);
    chart->DeleteCoreChart(0);
    qvhost::RenderChart(*chart, 120, 80);
    const std::string said = Get(&CQVChartWrapperCtrl::GetChartDescription, *chart);
    EXPECT_NE(said.find("Sales"), std::string::npos) << said;
    EXPECT_NE(said.find("3 series"), std::string::npos) << said;
}

TEST_F(ChartComponent, EverySubtypeDrawsItsData) {
    struct Source {
        int32_t mainType;
        const char* range;
    };
    const Source sources[] = {{1, "A1:D5"}, {2, "A1:D5"}, {3, "A1:D5"}, {4, "A1:B5"},
                              {5, "M1:N5"}, {6, "A1:D5"}, {7, "A1:C5"}, {8, "A1:D5"},
                              {9, "M1:O5"}, {10, ""},     {11, "A1:D5"}};
    const char* stock[] = {"F1:F6,I1:K6", "F1:F6,H1:K6", "F1:G6,I1:K6", "F1:K6"};
    for (const Source& source : sources) {
        for (int32_t subtype = 1; subtype <= 7; ++subtype) {
            const char* range =
                source.mainType == 10 ? stock[std::min(subtype, 4) - 1] : source.range;
            auto chart = Make(range, source.mainType, subtype);
            if (chart->GetChartSubType() != subtype) {
                break; // past the last subtype
            }
            SCOPED_TRACE(testing::Message() << source.mainType << "." << subtype);
            EXPECT_EQ(chart->GetChartLastErr(), QVCHART_OK);
            chart->SetChartTitleText("Sales");
            chart->SetLabelValue(1);
            const qvhost::ChartPixels pixels = qvhost::RenderChart(*chart, 360, 240);
            std::set<uint32_t> colours;
            for (int y = 0; y < pixels.height; y += 2) {
                for (int x = 0; x < pixels.width; x += 2) {
                    colours.insert(pixels.At(x, y));
                }
            }
            EXPECT_GT(colours.size(), 8u);
        }
    }
}

TEST_F(ChartComponent, DenseDataDrawsEverySeries) {
    qvhost::SampleSheet big;
    big.SetGenerated(1, 1, 4096, 256, [](int32_t row, int32_t column) {
        return 50.0 + 40.0 * std::sin(row * 0.01 + column);
    });
    for (int32_t type : {1, 3, 6}) {
        qvhost::ChartPtr chart = component_.Create(&big);
        chart->SetDataSourceRangeInText("A1:IV4096", QVCHART_HINT_COLUMNS, 0);
        chart->setChartType(type, 1);
        chart->SetChartLegend(0);
        chart->UpdateChart();
        EXPECT_EQ(chart->GetChartLastErr(), QVCHART_OK);
        EXPECT_EQ(Info(*chart).entries.size(), 256u);
        const qvhost::ChartPixels pixels = qvhost::RenderChart(*chart, 510, 205);
        EXPECT_GT(Count(pixels, kFirstSeries) + Count(pixels, kSecondSeries), 0) << type;
    }
}

} // namespace
