// The Chart Wizard driven through QVShowChart as a user would, over a chart
// the test makes with the chart component. A spy between the wizard and the
// chart records what the wizard asks of the chart.
#include "harness.h"

#include "qvchart/qvchart.h"
#include "qvhost/chart_host.h"
#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <commctrl.h>
#include <prsht.h>

#include <cmath>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

// Sheet buttons and page controls.
constexpr int kBack = 12321, kNext = IDHELP;
constexpr int kPreviewArea = 1168, kPreview = 1169;
constexpr int kMainTypes = 1002, kSubtypes = 1003;
constexpr int kRangeBox = 1007, kRangePick = 1008, kRows = 1163, kColumns = 1164,
              kRangeMessage = 1165;
constexpr int kSeriesList = 315, kName = 309, kValues = 1050, kYValues = 1051, kCategory = 311,
              kAdd = 1021, kRemove = 1022, kNoSeries = 1166;
constexpr int kChartTitle = 1030, kXTitle = 1017, kZTitle = 1019;
constexpr int kAxisY = 1033, kAxisZ = 1037;
constexpr int kShowLegend = 1042, kBottom = 1043, kRight = 1046, kLeft = 1047;
constexpr int kLabelCategory = 1045, kLabelValue = 1046, kLabelPercent = 1048, kLabelBubble = 1047;
constexpr int kBarEdit = 1012;

const char kStep1[] = "Chart Type - Step 1 of 3 - Chart Type";
const char kStep2[] = "Chart Type - Step 2 of 3 - Chart Source Data";
const char kStep3[] = "Chart Type - Step 3 of 3 - Chart Options";

// Forwards every operation to the real chart and notes the ones that change it.
class SpyChart final : public CQVChartWrapperCtrl {
  public:
    explicit SpyChart(CQVChartWrapperCtrl* real) : real_(real) {}

    std::vector<std::string> Calls() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& call : Calls()) {
            n += call.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return n;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.clear();
    }

#define QV_SPY_GET(type, name)                                                                     \
    type QVCHART_CALL name() override {                                                            \
        return real_->name();                                                                      \
    }
#define QV_SPY_INT(name)                                                                           \
    void QVCHART_CALL name(int32_t on) override {                                                  \
        Note(#name "(" + std::to_string(on) + ")");                                                \
        real_->name(on);                                                                           \
    }
#define QV_SPY_TEXT(name)                                                                          \
    void QVCHART_CALL name(const char* text) override {                                            \
        Note(#name "(" + std::string(text != nullptr ? text : "<null>") + ")");                    \
        real_->name(text);                                                                         \
    }
#define QV_SPY_OUT(name)                                                                           \
    void QVCHART_CALL name(QVString* out) override {                                               \
        real_->name(out);                                                                          \
    }

    void QVCHART_CALL Release() override {}
    void QVCHART_CALL setParentWindows(HWND host, HWND preview) override {
        Note(std::string("setParentWindows(") + (host != nullptr ? "host" : "none") + "," +
             (preview != nullptr ? "window" : "none") + ")");
        real_->setParentWindows(host, preview);
    }
    void QVCHART_CALL SetChartRect(const RECT* r) override {
        Note("SetChartRect(" + std::to_string(r->left) + "," + std::to_string(r->top) + "," +
             std::to_string(r->right) + "," + std::to_string(r->bottom) + ")");
        real_->SetChartRect(r);
    }
    void QVCHART_CALL UpdateChart() override {
        Note("UpdateChart");
        real_->UpdateChart();
    }
    void QVCHART_CALL OnChartDraw(HDC dc, const RECT* r) override {
        real_->OnChartDraw(dc, r);
    }
    HBITMAP QVCHART_CALL GetBitmapFromChart() override {
        Note("GetBitmapFromChart");
        return real_->GetBitmapFromChart();
    }
    void QVCHART_CALL DeleteCoreChart(uint32_t x) override {
        Note("DeleteCoreChart");
        real_->DeleteCoreChart(x);
    }
    QV_SPY_GET(int32_t, GetChartLastErr)
    QV_SPY_GET(int32_t, GetChartMainType)
    QV_SPY_GET(int32_t, GetChartSubType)
    void QVCHART_CALL setChartType(int32_t m, int32_t s) override {
        Note("setChartType(" + std::to_string(m) + "," + std::to_string(s) + ")");
        real_->setChartType(m, s);
    }
    void QVCHART_CALL SetDataSourceRangeInText(const char* range, uint8_t hint,
                                               uint32_t x) override {
        Note("SetDataSourceRangeInText(" + std::string(range) + "," + std::to_string(hint) + ")");
        real_->SetDataSourceRangeInText(range, hint, x);
    }
    QV_SPY_OUT(GetDataSourceRangeInText)
    int32_t QVCHART_CALL IsRngBroken(uint32_t x) override {
        return real_->IsRngBroken(x);
    }
    QV_SPY_GET(int32_t, GetChartDataSeriesType)
    QV_SPY_INT(SetChartDataSeriesType)
    void QVCHART_CALL GetSeriesInfo(QVString* a, QVString* b, SSChartSeries* s) override {
        real_->GetSeriesInfo(a, b, s);
    }
    void QVCHART_CALL AddSeries(int32_t i, const char* n, const char* v, const char* z,
                                uint32_t x) override {
        Note("AddSeries(" + std::to_string(i) + ")");
        real_->AddSeries(i, n, v, z, x);
    }
    void QVCHART_CALL UpdateSeries(int32_t i, const char* n, const char* v, const char* z,
                                   uint32_t x) override {
        Note("UpdateSeries(" + std::to_string(i) + "," + n + "," + v + ")");
        real_->UpdateSeries(i, n, v, z, x);
    }
    void QVCHART_CALL RemoveSeries(int32_t i, uint32_t x) override {
        Note("RemoveSeries(" + std::to_string(i) + ")");
        real_->RemoveSeries(i, x);
    }
    QV_SPY_OUT(GetChartTitleText)
    QV_SPY_TEXT(SetChartTitleText)
    QV_SPY_OUT(GetChartXAxisTitle)
    QV_SPY_TEXT(SetChartXAxisTitle)
    QV_SPY_OUT(GetChartYAxisTitle)
    QV_SPY_TEXT(SetChartYAxisTitle)
    QV_SPY_OUT(GetChartZAxisTitle)
    QV_SPY_TEXT(SetChartZAxisTitle)
    QV_SPY_TEXT(SetChartTitleFont)
    QV_SPY_TEXT(SetChartXAxisTitleFont)
    QV_SPY_TEXT(SetChartYAxisTitleFont)
    QV_SPY_TEXT(SetChartZAxisTitleFont)
    QV_SPY_GET(int32_t, GetXAxisLabelDisplay)
    QV_SPY_INT(SetXAxisLabelDisplay)
    QV_SPY_GET(int32_t, GetYAxisLabelDisplay)
    QV_SPY_INT(SetYAxisLabelDisplay)
    QV_SPY_GET(int32_t, GetZAxisLabelDisplay)
    QV_SPY_INT(SetZAxisLabelDisplay)
    QV_SPY_GET(int32_t, GetXMajorAxis)
    QV_SPY_INT(SetXMajorAxis)
    QV_SPY_GET(int32_t, GetXMinorAxis)
    QV_SPY_INT(SetXMinorAxis)
    QV_SPY_GET(int32_t, GetYMajorAxis)
    QV_SPY_INT(SetYMajorAxis)
    QV_SPY_GET(int32_t, GetYMinorAxis)
    QV_SPY_INT(SetYMinorAxis)
    QV_SPY_GET(int32_t, GetZMajorAxis)
    QV_SPY_INT(SetZMajorAxis)
    QV_SPY_GET(int32_t, GetZMinorAxis)
    QV_SPY_INT(SetZMinorAxis)
    QV_SPY_GET(int32_t, GetChartLegend)
    QV_SPY_INT(SetChartLegend)
    QV_SPY_GET(int32_t, GetChartLegendLocationType)
    QV_SPY_INT(SetChartLegendLocationType)
    QV_SPY_GET(int32_t, GetLabelValue)
    QV_SPY_INT(SetLabelValue)
    QV_SPY_GET(int32_t, GetLabelCategory)
    QV_SPY_INT(SetLabelCategory)
    QV_SPY_GET(int32_t, GetLabelSeries)
    QV_SPY_INT(SetLabelSeries)
    QV_SPY_GET(int32_t, GetLabelPercentage)
    QV_SPY_INT(SetLabelPercentage)
    QV_SPY_GET(int32_t, GetLabelBubbleSize)
    QV_SPY_INT(SetLabelBubbleSize)
    QV_SPY_GET(int32_t, GetLabelLegendKey)
    QV_SPY_INT(SetLabelLegendKey)
    QV_SPY_OUT(GetChartDescription)

#undef QV_SPY_GET
#undef QV_SPY_INT
#undef QV_SPY_TEXT
#undef QV_SPY_OUT

  private:
    void Note(std::string call) {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(std::move(call));
    }
    CQVChartWrapperCtrl* real_;
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

std::string ChartString(CQVChartWrapperCtrl& chart,
                        void (QVCHART_CALL CQVChartWrapperCtrl::*getter)(QVString*)) {
    QVString text{};
    (chart.*getter)(&text);
    std::string out = QVStringGet(&text);
    QVStringClear(&text);
    return out;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int TabCount(HWND sheet) {
    return static_cast<int>(
        SendMessageW(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)),
                     TCM_GETITEMCOUNT, 0, 0));
}

std::string TabText(HWND sheet, int index) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    const std::vector<std::string> texts = qvtest::TabTexts(tabs);
    return index >= 0 && static_cast<size_t>(index) < texts.size()
               ? texts[static_cast<size_t>(index)]
               : std::string();
}

void ShowTab(Robot& robot, HWND sheet, int index) {
    robot.Post([sheet, index] { PropSheet_SetCurSel(sheet, nullptr, index); });
    robot.WaitIdle();
}

POINT ClientPosition(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(window), &p);
    return p;
}

class ChartWizard : public qvtest::DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        qvhost::SampleSheet::FillDemo(sheet_);
        component_ = std::make_unique<qvhost::ChartComponent>(appFolder_);
        ASSERT_TRUE(component_->loaded());
        Use("A1:D5", 1, 1);
    }
    void TearDown() override {
        spy_.reset();
        chart_.reset();
        component_.reset();
        DialogTest::TearDown();
    }
    // A fresh chart over `range` of the demo sheet.
    void Use(const char* range, int32_t mainType, int32_t subtype,
             uint8_t hint = QVCHART_HINT_CHOOSE) {
        spy_.reset();
        chart_ = component_->Create(&sheet_);
        chart_->SetDataSourceRangeInText(range, hint, 0);
        chart_->setChartType(mainType, subtype);
        spy_ = std::make_unique<SpyChart>(chart_.get());
        record_ = ChartWizardRecord{};
        std::strncpy(record_.sourceRange, range, sizeof record_.sourceRange - 1);
        record_.hostWindow = frame_->hwnd();
        record_.chart = spy_.get();
    }
    int32_t Show(const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowChartFn>("QVShowChart");
        auto outcome = RunModal([&] { return show(&record_); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    void ExpectBox(Robot& robot, UINT message) {
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists) << "message " << message;
        EXPECT_EQ(box.text, Message(message));
        robot.AnswerMessageBox(1);
    }
    HWND Next(Robot& robot, HWND sheet, const char* caption) {
        robot.Click(sheet, kNext);
        EXPECT_EQ(robot.Caption(sheet), caption);
        return CurrentPage(sheet);
    }
    std::string Range() const {
        return std::string(record_.sourceRange,
                           strnlen(record_.sourceRange, sizeof record_.sourceRange));
    }

    qvhost::SampleSheet sheet_;
    std::unique_ptr<qvhost::ChartComponent> component_;
    qvhost::ChartPtr chart_;
    std::unique_ptr<SpyChart> spy_;
    ChartWizardRecord record_{};
};

// ---- the sheet ----------------------------------------------------------------------

TEST_F(ChartWizard, StepsButtonsAndCaptionsOfTheFullWizard) {
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        EXPECT_EQ(TabCount(sheet), 1);
        EXPECT_EQ(TabText(sheet, 0), DialogString(1697));
        EXPECT_EQ(robot.Text(sheet, kBack), DialogString(1207));
        EXPECT_EQ(robot.Text(sheet, kNext), DialogString(1208));
        EXPECT_EQ(robot.Text(sheet, IDOK), DialogString(1209));
        EXPECT_EQ(robot.Text(sheet, IDCANCEL), DialogString(1304));
        EXPECT_FALSE(robot.IsEnabled(sheet, kBack));
        EXPECT_TRUE(robot.IsEnabled(sheet, kNext));
        EXPECT_EQ(ClientPosition(robot.Control(sheet, IDCANCEL)).x, 110);
        EXPECT_EQ(ClientPosition(robot.Control(sheet, kBack)).x, 195);
        EXPECT_EQ(ClientPosition(robot.Control(sheet, kNext)).x, 270);
        EXPECT_EQ(ClientPosition(robot.Control(sheet, IDOK)).x, 355);
        RECT client{};
        GetClientRect(sheet, &client);
        EXPECT_EQ(ClientPosition(robot.Control(sheet, IDOK)).y, client.bottom - 30);

        HWND page = Next(robot, sheet, kStep2);
        EXPECT_EQ(TabCount(sheet), 2);
        EXPECT_EQ(TabText(sheet, 1), DialogString(1706));
        EXPECT_TRUE(robot.IsEnabled(sheet, kBack));
        EXPECT_TRUE(robot.HasControl(page, kRangeBox));
        ShowTab(robot, sheet, 1); // the Series page is remembered
        Next(robot, sheet, kStep3);
        EXPECT_EQ(TabCount(sheet), 5);
        EXPECT_EQ(TabText(sheet, 4), DialogString(1951));
        ShowTab(robot, sheet, 3);
        robot.Click(sheet, kNext); // nothing further
        EXPECT_EQ(robot.Caption(sheet), kStep3);
        EXPECT_EQ(TabCount(sheet), 5);

        robot.Click(sheet, kBack);
        EXPECT_EQ(robot.Caption(sheet), kStep2);
        EXPECT_EQ(TabCount(sheet), 2);
        EXPECT_TRUE(robot.HasControl(CurrentPage(sheet), kSeriesList));
        Next(robot, sheet, kStep3);
        EXPECT_TRUE(robot.HasControl(CurrentPage(sheet), kShowLegend)); // Legend again
        robot.Click(sheet, kBack);
        robot.Click(sheet, kBack);
        EXPECT_EQ(robot.Caption(sheet), kStep1);
        EXPECT_FALSE(robot.IsEnabled(sheet, kBack));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    const std::vector<std::string> calls = spy_->Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "setParentWindows(host,window)");
    EXPECT_EQ(calls[1], "UpdateChart");
}

TEST_F(ChartWizard, ModesShowOneStepWithOkAndCancel) {
    for (int32_t mode : {1, 2, 3, 9}) {
        record_.mode = mode;
        const char* caption = mode == 2 ? kStep2 : mode == 3 ? kStep3 : kStep1;
        int32_t result = Show([&](Robot& robot) {
            HWND sheet = robot.WaitForWindow(caption);
            SCOPED_TRACE(mode);
            const bool single = mode != 9;
            EXPECT_EQ(robot.IsVisible(sheet, kBack), !single);
            EXPECT_EQ(robot.IsVisible(sheet, kNext), !single);
            EXPECT_EQ(robot.Text(sheet, IDOK), DialogString(single ? 1303 : 1209));
            if (single) {
                EXPECT_EQ(ClientPosition(robot.Control(sheet, IDCANCEL)).x, 360);
                EXPECT_EQ(ClientPosition(robot.Control(sheet, IDOK)).x, 280);
            }
            EXPECT_EQ(TabCount(sheet), mode == 2 ? 2 : mode == 3 ? 5 : 1);
            if (mode == 3) {
                EXPECT_TRUE(robot.HasControl(CurrentPage(sheet), kChartTitle));
            }
            robot.Cancel(sheet);
        });
        EXPECT_EQ(result, 0);
    }
}

TEST_F(ChartWizard, NoChartToWorkOn) {
    auto show = Export<QVShowChartFn>("QVShowChart");
    EXPECT_EQ(show(nullptr), 0);
    record_.chart = nullptr;
    auto outcome =
        RunModal([&] { return show(&record_); }, [&](Robot& robot) { ExpectBox(robot, 1298); });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);

    // A host whose application folder lacks QVChrtWr.dll makes no chart.
    qvhost::ScratchAppFolder folder(appFolder_, {"QVChrtWr.dll"});
    ASSERT_TRUE(folder.ok());
    qvhost::ChartComponent missing(folder.path());
    EXPECT_FALSE(missing.loaded());
    qvhost::ChartPtr none = missing.Create(&sheet_);
    record_.chart = none.get();
    outcome =
        RunModal([&] { return show(&record_); }, [&](Robot& robot) { ExpectBox(robot, 1298); });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);
}

// ---- step 1 ---------------------------------------------------------------------------

TEST_F(ChartWizard, ChartTypesSubtypesAndTheStockMessages) {
    Use("A1:C5", 1, 1); // two series: no stock chart can be made of them
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = CurrentPage(sheet);
        const std::vector<std::string> types = robot.Items(page, kMainTypes);
        ASSERT_EQ(types.size(), 11u);
        EXPECT_EQ(types[0], DialogString(1375));
        EXPECT_EQ(types[10], DialogString(1770));
        EXPECT_EQ(robot.Items(page, kSubtypes).size(), 7u);
        EXPECT_TRUE(robot.IsVisible(page, kPreview));
        EXPECT_FALSE(robot.IsVisible(page, kPreviewArea));
        const auto spoken = robot.Accessible(page, kPreview);
        EXPECT_EQ(spoken.name, DialogString(5603));
        EXPECT_NE(spoken.value.find(DialogString(1883)), std::string::npos) << spoken.value;

        // A new main type starts on its first subtype.
        robot.Select(page, kSubtypes, 2);
        EXPECT_EQ(chart_->GetChartSubType(), 3);
        robot.Select(page, kMainTypes, 1);
        EXPECT_EQ(robot.SelectedIndex(page, kSubtypes), 0);
        EXPECT_EQ(chart_->GetChartMainType(), 2);
        EXPECT_EQ(chart_->GetChartSubType(), 1);
        EXPECT_EQ(robot.Items(page, kSubtypes)[0], DialogString(1890));

        // Stock over sales figures: each subtype's own text, no preview.
        robot.Select(page, kMainTypes, 9);
        for (int subtype = 0; subtype < 4; ++subtype) {
            robot.Select(page, kSubtypes, subtype);
            EXPECT_TRUE(robot.IsVisible(page, kPreviewArea));
            EXPECT_FALSE(robot.IsVisible(page, kPreview));
            const std::string text = robot.Text(page, kPreviewArea);
            EXPECT_EQ(text.rfind("To Create this stock chart, arrange the data on your sheet "
                                 "\r\nin this order: ",
                                 0),
                      0u)
                << text;
        }
        robot.Select(page, kSubtypes, 0);
        EXPECT_NE(robot.Text(page, kPreviewArea).find("closing price.Use dates"),
                  std::string::npos);
        robot.Select(page, kMainTypes, 0);
        EXPECT_TRUE(robot.IsVisible(page, kPreview));
        EXPECT_FALSE(robot.IsVisible(page, kPreviewArea));
        robot.Click(sheet, kNext); // a stock error never stops Next
        EXPECT_EQ(robot.Caption(sheet), kStep2);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    // Cancel keeps what the pages did to the chart.
    EXPECT_EQ(chart_->GetChartMainType(), 1);
    const std::vector<std::string> calls = spy_->Calls();
    const auto at = std::find(calls.begin(), calls.end(), "setChartType(2,1)");
    ASSERT_NE(at, calls.end());
    ASSERT_LT(at + 3, calls.end());
    EXPECT_EQ(at[1], "SetChartRect(10,15,520,220)");
    EXPECT_EQ(at[2], "DeleteCoreChart");
    EXPECT_EQ(at[3], "UpdateChart");
}

TEST_F(ChartWizard, PiesAndDoughnutsHaveThreeOptionPages) {
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        robot.Select(CurrentPage(sheet), kMainTypes, 6); // doughnut
        Next(robot, sheet, kStep2);
        HWND page = Next(robot, sheet, kStep3);
        ASSERT_EQ(TabCount(sheet), 3);
        EXPECT_EQ(TabText(sheet, 1), DialogString(1149));
        // Only the chart title; percentages allowed.
        EXPECT_TRUE(robot.IsEnabled(page, kChartTitle));
        EXPECT_FALSE(robot.IsEnabled(page, kXTitle));
        ShowTab(robot, sheet, 2);
        page = CurrentPage(sheet);
        EXPECT_TRUE(robot.IsEnabled(page, kLabelPercent));
        EXPECT_FALSE(robot.IsEnabled(page, kLabelBubble));
        robot.Click(page, kLabelPercent);
        EXPECT_EQ(chart_->GetLabelPercentage(), 1);
        robot.Click(sheet, kBack);
        EXPECT_EQ(TabCount(sheet), 2);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
}

// ---- step 2 ---------------------------------------------------------------------------

TEST_F(ChartWizard, DataRangeIsCheckedWhenLeftAndGivenToTheChart) {
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = Next(robot, sheet, kStep2);
        EXPECT_EQ(robot.Text(page, kRangeBox), "A1:D5");
        EXPECT_TRUE(robot.IsChecked(page, kColumns));
        EXPECT_FALSE(robot.IsVisible(page, kRangeMessage));
        spy_->Clear();
        robot.Click(page, kColumns); // already in columns: nothing changes
        EXPECT_EQ(spy_->Count("SetChartDataSeriesType"), 0);

        robot.SetText(page, kRangeBox, "Sales");
        robot.Click(sheet, IDOK);
        ExpectBox(robot, 1193);
        EXPECT_EQ(robot.FocusedId(), kRangeBox);
        robot.Click(sheet, kNext);
        ExpectBox(robot, 1193);
        EXPECT_EQ(robot.Caption(sheet), kStep2);
        EXPECT_EQ(Range(), "A1:D5");

        robot.SetText(page, kRangeBox, "a1:c5");
        robot.Click(sheet, kBack);
        EXPECT_EQ(Range(), "a1:c5");
        Next(robot, sheet, kStep2);
        page = CurrentPage(sheet);

        // Rows: the regions become the series.
        robot.Click(page, kRows);
        EXPECT_EQ(chart_->GetChartDataSeriesType(), QVCHART_SERIES_IN_ROWS);
        ShowTab(robot, sheet, 1);
        EXPECT_EQ(robot.Items(CurrentPage(sheet), kSeriesList).size(), 4u);
        ShowTab(robot, sheet, 0);
        page = CurrentPage(sheet);
        EXPECT_TRUE(robot.IsChecked(page, kRows));

        // An empty box is accepted and handed over as it is.
        spy_->Clear();
        robot.SetText(page, kRangeBox, "");
        robot.Click(sheet, kBack);
        EXPECT_EQ(Range(), "");
        EXPECT_EQ(spy_->Count("SetDataSourceRangeInText(,0)"), 1);
        page = Next(robot, sheet, kStep2);
        EXPECT_TRUE(robot.IsVisible(page, kRangeMessage));
        EXPECT_EQ(robot.Text(page, kRangeMessage), DialogString(1967));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(ChartWizard, ThePickedRangeIsApplied) {
    record_.mode = 2;
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep2);
        HWND page = CurrentPage(sheet);
        frame_->ClearLog();
        frame_->SetRangeText("A1:B5");
        robot.Click(page, kRangePick);
        HWND bar = robot.WaitForWindow(kStep2);
        ASSERT_NE(bar, sheet);
        robot.WaitIdle();
        EXPECT_EQ(qvhost::ReadRangeText(bar), "A1:B5");
        robot.PressKey(bar, kBarEdit, VK_RETURN);
        EXPECT_TRUE(robot.WaitClosed(bar));
        EXPECT_EQ(robot.Text(page, kRangeBox), "A1:B5");
        EXPECT_EQ(Range(), "A1:B5");
        EXPECT_EQ(ChartString(*chart_, &CQVChartWrapperCtrl::GetDataSourceRangeInText), "A1:B5");
        EXPECT_FALSE(frame_->Log(WM_QV_RANGEPICK).empty());
        frame_->SetRangeText(std::nullopt);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(spy_->Count("SetDataSourceRangeInText(A1:B5,1)"), 1);
}

TEST_F(ChartWizard, SeriesAreAddedRemovedAndEdited) {
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        Next(robot, sheet, kStep2);
        ShowTab(robot, sheet, 1);
        HWND page = CurrentPage(sheet);
        EXPECT_EQ(robot.Items(page, kSeriesList), (std::vector<std::string>{"Q1", "Q2", "Q3"}));
        EXPECT_EQ(robot.Text(page, kName), "B1");
        EXPECT_EQ(robot.Text(page, kYValues), "B2:B5");
        EXPECT_EQ(robot.Text(page, kCategory), "A2:A5");
        EXPECT_FALSE(robot.IsVisible(page, kValues));

        // The middle one goes: position 1 stays selected.
        robot.Select(page, kSeriesList, 1);
        robot.Click(page, kRemove);
        EXPECT_EQ(robot.Items(page, kSeriesList), (std::vector<std::string>{"Q1", "Q3"}));
        EXPECT_EQ(robot.SelectedIndex(page, kSeriesList), 1);
        // The last one goes: the new last is selected.
        robot.Click(page, kRemove);
        EXPECT_EQ(robot.SelectedIndex(page, kSeriesList), 0);

        // A new series is empty and unnamed.
        robot.Click(page, kAdd);
        EXPECT_EQ(robot.Items(page, kSeriesList)[1], DialogString(1710));
        EXPECT_EQ(robot.SelectedIndex(page, kSeriesList), 1);
        // A plain text is no name: refused and emptied.
        robot.Focus(page, kName);
        robot.SetText(page, kName, "Sales");
        robot.Focus(page, kYValues);
        ExpectBox(robot, 1187);
        EXPECT_EQ(robot.Text(page, kName), "");
        EXPECT_EQ(robot.FocusedId(), kName);
        robot.SetText(page, kName, "C1");
        robot.Focus(page, kYValues);
        robot.SetText(page, kYValues, "C2:C5");
        robot.Focus(page, kSeriesList);
        robot.WaitIdle();
        EXPECT_EQ(robot.Items(page, kSeriesList)[1], "Q2");
        EXPECT_EQ(spy_->Count("UpdateSeries(1,C1,C2:C5)"), 1);
        // Leaving a box unchanged says nothing to the chart.
        spy_->Clear();
        robot.Focus(page, kName);
        robot.Focus(page, kSeriesList);
        robot.WaitIdle();
        EXPECT_EQ(spy_->Count("UpdateSeries"), 0);
        // Category labels belong to every series.
        robot.Focus(page, kCategory);
        robot.SetText(page, kCategory, "A2:A4");
        robot.Focus(page, kSeriesList);
        robot.WaitIdle();
        EXPECT_EQ(spy_->Count("UpdateSeries(-2,A2:A4,)"), 1);

        // Next from the keyboard, the focus still in a box: an empty name
        // passes, a text that is no reference does not.
        robot.Click(page, kAdd);
        robot.Focus(page, kYValues);
        robot.SetText(page, kYValues, "sales");
        HWND next = robot.Control(sheet, kNext);
        robot.Post([sheet, next] {
            SendMessageW(sheet, WM_COMMAND, MAKEWPARAM(kNext, BN_CLICKED),
                         reinterpret_cast<LPARAM>(next));
        });
        ExpectBox(robot, 1187);
        EXPECT_EQ(robot.Caption(sheet), kStep2);
        EXPECT_EQ(robot.FocusedId(), kYValues);
        robot.SetText(page, kYValues, "B2:B5");
        robot.Click(sheet, kNext); // committed on the way: the series takes B2:B5
        EXPECT_EQ(robot.Caption(sheet), kStep3);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Range(), "A1:D5");
}

TEST_F(ChartWizard, TheTwoHundredAndFiftySeventhAddIsIgnored) {
    sheet_.SetGenerated(20, 1, 21, 255, [](int32_t row, int32_t column) {
        return static_cast<double>(row + column);
    });
    Use("A20:IU21", 1, 1, QVCHART_HINT_COLUMNS); // 255 series of two points
    record_.mode = 2;
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep2);
        ShowTab(robot, sheet, 1);
        HWND page = CurrentPage(sheet);
        EXPECT_EQ(robot.Items(page, kSeriesList).size(), 255u);
        robot.Click(page, kAdd);
        EXPECT_EQ(robot.Items(page, kSeriesList).size(), 256u);
        robot.Click(page, kAdd);
        EXPECT_EQ(robot.Items(page, kSeriesList).size(), 256u);
        EXPECT_EQ(spy_->Count("AddSeries"), 1);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
}

// ---- step 3 ---------------------------------------------------------------------------

TEST_F(ChartWizard, OptionPagesReadAndWriteTheChart) {
    Use("A1:D5", 2, 5); // 3-D stacked bar
    chart_->SetChartLegendLocationType(9);
    record_.mode = 3;
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep3);
        HWND page = CurrentPage(sheet);
        // Titles: chart, X and Z for a 3-D bar.
        EXPECT_TRUE(robot.IsEnabled(page, kXTitle));
        EXPECT_TRUE(robot.IsEnabled(page, kZTitle));
        spy_->Clear();
        robot.Focus(page, kChartTitle);
        robot.Focus(page, kXTitle);
        robot.WaitIdle();
        EXPECT_EQ(spy_->Count("SetChartTitleText"), 0); // left unchanged
        robot.Focus(page, kChartTitle);
        robot.SetText(page, kChartTitle, "Sales by region");
        robot.Focus(page, kXTitle);
        robot.WaitIdle();
        EXPECT_EQ(spy_->Count("SetChartTitleText(Sales by region)"), 1);
        const std::string face = robot.FontFace(page, kChartTitle);
        EXPECT_EQ(spy_->Count("SetChartTitleFont(" + face + ")"), 1);

        // Axes: the value axis is off and cannot be turned on; Z is offered.
        ShowTab(robot, sheet, 1);
        page = CurrentPage(sheet);
        EXPECT_FALSE(robot.IsChecked(page, kAxisY));
        EXPECT_FALSE(robot.IsEnabled(page, kAxisY));
        EXPECT_TRUE(robot.IsVisible(page, kAxisZ));

        // Legend: an unknown placement shows Right; off disables the
        // placements, on brings them back with the chart's placement.
        ShowTab(robot, sheet, 3);
        page = CurrentPage(sheet);
        EXPECT_TRUE(robot.IsChecked(page, kRight));
        robot.Click(page, kLeft);
        EXPECT_EQ(chart_->GetChartLegendLocationType(), 5);
        robot.Click(page, kShowLegend);
        EXPECT_EQ(chart_->GetChartLegend(), 0);
        for (int id = kBottom; id <= kLeft; ++id) {
            EXPECT_FALSE(robot.IsEnabled(page, id));
        }
        robot.Click(page, kShowLegend);
        EXPECT_TRUE(robot.IsEnabled(page, kBottom));
        EXPECT_TRUE(robot.IsChecked(page, kLeft));

        // Data labels: no percentage or bubble size for bars.
        ShowTab(robot, sheet, 4);
        page = CurrentPage(sheet);
        EXPECT_FALSE(robot.IsEnabled(page, kLabelPercent));
        robot.Click(page, kLabelValue);
        EXPECT_EQ(chart_->GetLabelValue(), 1);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ChartString(*chart_, &CQVChartWrapperCtrl::GetChartTitleText), "Sales by region");
}

TEST_F(ChartWizard, XyLabelsAndStockBubbleSizes) {
    Use("M1:N5", 5, 1);
    record_.mode = 3;
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep3);
        ShowTab(robot, sheet, 4);
        HWND page = CurrentPage(sheet);
        EXPECT_EQ(robot.Text(page, kLabelCategory), "X Value");
        EXPECT_EQ(robot.Text(page, kLabelValue), "Y Value");
        EXPECT_FALSE(robot.IsEnabled(page, kLabelBubble));
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
}

// ---- local language ----------------------------------------------------------------------

TEST_F(ChartWizard, LocalLanguageNamesAndTitleFonts) {
    qvhost::SetMenuLanguage(2);
    LoadFrom(appFolder_);
    int32_t result = Show([&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = CurrentPage(sheet);
        EXPECT_EQ(robot.Items(page, kMainTypes)[3], DialogString(1763, 2));
        EXPECT_EQ(robot.Text(sheet, kNext), DialogString(1208, 2));
        Next(robot, sheet, kStep2);
        page = Next(robot, sheet, kStep3);
        EXPECT_EQ(TabText(sheet, 0), DialogString(1707, 2));
        robot.Focus(page, kChartTitle);
        robot.SetText(page, kChartTitle, "बिक्री 2026");
        robot.Focus(page, kXTitle);
        robot.WaitIdle();
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    qvhost::SetMenuLanguage(1);
    const std::string localFace = qvtest::LibraryString(appFolder_, "QVSSDSL.dll", 20000);
    EXPECT_EQ(spy_->Count("SetChartTitleFont(" + localFace + ")"), 1);
    EXPECT_EQ(ChartString(*chart_, &CQVChartWrapperCtrl::GetChartTitleText), "बिक्री 2026");
}

// ---- Format Chart -------------------------------------------------------------------------

constexpr int kBorderAuto = 1096, kBorderNone = 1097, kBorderCustom = 1098, kLineStyle = 1050,
              kAreaAuto = 1103, kAreaNone = 1104, kAreaColours = 1083, kMarkerStyle = 1051,
              kMarkerFore = 1115, kMarkerSize = 1160, kLineColour = 1114, kAreaGroup = 1112,
              kColourLabel = 1106, kMarkerForeLabel = 1118;
constexpr int kHorizontalList = 1120, kVerticalList = 1117, kOrientation = 1122, kAlignGroup = 1116;
constexpr int kFontSize = 11005;

class FormatChart : public qvtest::DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        record_.pages = 2;
        record_.objectKind = 2;
        std::strcpy(record_.font.faceName, "Arial");
        record_.font.size = 10;
        record_.font.styleFlags = 1;
        for (uint32_t i = 0; i < 4; ++i) {
            record_.scale.words[i] = 0xA5A5A5A5u ^ i;
        }
        record_.scale.halves[0] = 0xBEEF;
        record_.scale.halves[1] = 7;
    }
    int32_t Show(int32_t chartType, int32_t variant, const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowChartFormatFn>("QVShowChartFormat");
        auto outcome = RunModal([&] { return show(&record_, chartType, variant); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    ChartFormatRecord record_{};
};

TEST_F(FormatChart, CaptionsTabsAndButtons) {
    const struct {
        uint8_t kind;
        uint8_t pages;
        const char* caption;
        std::vector<UINT> tabs;
    } cases[] = {{2, 3, "Format Chart Area", {1725, 1095}},
                 {5, 6, "Format Axis", {1725, 1094}},
                 {6, 5, "Format Legend", {1095, 1094}},
                 {12, 7, "Format Axis Title", {1725, 1095, 1094}},
                 {7, 1, "", {1095}},
                 {9, 4, "", {1094}}};
    for (const auto& c : cases) {
        record_.objectKind = c.kind;
        record_.pages = c.pages;
        int32_t result = Show(1, 0, [&](Robot& robot) {
            HWND sheet = robot.FindDialog();
            ASSERT_NE(sheet, nullptr);
            SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.kind));
            EXPECT_EQ(robot.Caption(sheet), c.caption);
            ASSERT_EQ(TabCount(sheet), static_cast<int>(c.tabs.size()));
            for (size_t i = 0; i < c.tabs.size(); ++i) {
                EXPECT_EQ(TabText(sheet, static_cast<int>(i)), DialogString(c.tabs[i]));
            }
            EXPECT_EQ(ClientPosition(robot.Control(sheet, IDOK)).x, 250);
            EXPECT_EQ(ClientPosition(robot.Control(sheet, IDCANCEL)).x, 337);
            RECT client{};
            GetClientRect(sheet, &client);
            EXPECT_EQ(ClientPosition(robot.Control(sheet, IDOK)).y, client.bottom - 30);
            EXPECT_FALSE(robot.HasControl(sheet, kBack) && robot.IsVisible(sheet, kBack));
            robot.Click(sheet, IDOK);
        });
        EXPECT_EQ(result, 1);
    }
    // The scale comes back byte for byte.
    EXPECT_EQ(record_.scale.halves[0], 0xBEEF);
    EXPECT_EQ(record_.scale.words[3], 0xA5A5A5A5u ^ 3);
    auto show = Export<QVShowChartFormatFn>("QVShowChartFormat");
    EXPECT_EQ(show(nullptr, 1, 0), 0);
}

TEST_F(FormatChart, AlignmentIsWrittenAtOnceEvenOnCancel) {
    record_.objectKind = 4;
    record_.pages = 4;
    record_.orientation = 1;
    int32_t result = Show(1, 0, [&](Robot& robot) {
        HWND sheet = robot.FindDialog();
        HWND page = CurrentPage(sheet);
        EXPECT_FALSE(robot.IsVisible(page, kAlignGroup));
        EXPECT_FALSE(robot.IsVisible(page, kHorizontalList));
        EXPECT_FALSE(robot.IsVisible(page, kVerticalList));
        EXPECT_TRUE(robot.IsVisible(page, kOrientation));
        EXPECT_EQ(robot.Items(page, kOrientation),
                  (std::vector<std::string>{DialogString(1701), DialogString(1702),
                                            DialogString(1703), DialogString(1704)}));
        EXPECT_EQ(robot.SelectedIndex(page, kOrientation), 1);
        robot.Select(page, kOrientation, 3);
        EXPECT_EQ(record_.orientation, 3);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record_.orientation, 3);

    record_.objectKind = 10;
    record_.horizontal = 2;
    result = Show(1, 0, [&](Robot& robot) {
        HWND page = CurrentPage(robot.FindDialog());
        EXPECT_TRUE(robot.IsVisible(page, kHorizontalList));
        EXPECT_EQ(robot.Items(page, kHorizontalList)[1], DialogString(1052));
        EXPECT_EQ(robot.SelectedIndex(page, kHorizontalList), 2);
        robot.Select(page, kVerticalList, 1);
        robot.Click(robot.FindDialog(), IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record_.vertical, 1);
}

TEST_F(FormatChart, AreaPatternPage) {
    record_.pattern[3] = 0x123456; // not one of the forty
    record_.pattern[9] = 2;
    int32_t result = Show(1, 0, [&](Robot& robot) {
        HWND sheet = robot.FindDialog();
        HWND page = CurrentPage(sheet);
        EXPECT_TRUE(robot.HasControl(page, kAreaColours));
        EXPECT_EQ(robot.SelectedIndex(page, kAreaColours), -1);
        EXPECT_FALSE(robot.IsChecked(page, kAreaAuto) || robot.IsChecked(page, kAreaNone));
        // A colour from the list, then Automatic: mode 0 and white.
        robot.Select(page, kAreaColours, 4);
        EXPECT_FALSE(robot.IsChecked(page, kAreaAuto));
        // Screen readers hear the grid and the line colour by their labels,
        // and the colours by name.
        const qvrobot::AccessibleInfo grid = robot.Accessible(page, kAreaColours);
        EXPECT_EQ(grid.name, qvtest::Spoken(robot.Text(page, kAreaGroup)));
        ASSERT_EQ(grid.items.size(), 40u);
        EXPECT_EQ(grid.value, grid.items[4].name);
        EXPECT_EQ(grid.value.rfind("RGB(", 0), 0u) << grid.value;
        EXPECT_EQ(robot.Accessible(page, kLineColour).name,
                  qvtest::Spoken(robot.Text(page, kColourLabel)));
        robot.Click(page, kAreaAuto);
        // A new line style makes the border Custom.
        robot.Click(page, kBorderNone);
        robot.Select(page, kLineStyle, 2);
        EXPECT_TRUE(robot.IsChecked(page, kBorderCustom));
        EXPECT_FALSE(robot.IsChecked(page, kBorderNone));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record_.pattern[9] & 0xFF, 0u);
    EXPECT_EQ(record_.pattern[3], 0xFFFFFFu);
    EXPECT_EQ(record_.pattern[2], 2u);
    EXPECT_EQ(record_.pattern[0] & 0xFF, 2u);
    EXPECT_GE((record_.pattern[0] >> 8) & 0xFF, 1u); // a weight once painted

    // An axis gives the inactive border colour for its area.
    record_.objectKind = 4;
    record_.pattern[9] = 2;
    record_.pattern[3] = 0x0000FF;
    result = Show(1, 0, [&](Robot& robot) { robot.Click(robot.FindDialog(), IDOK); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record_.pattern[3], static_cast<uint32_t>(GetSysColor(COLOR_INACTIVEBORDER)));
    // A series has no automatic area.
    record_.objectKind = 8;
    result = Show(1, 0, [&](Robot& robot) {
        HWND sheet = robot.FindDialog();
        EXPECT_FALSE(robot.IsVisible(CurrentPage(sheet), kAreaAuto));
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
}

TEST_F(FormatChart, LineAndMarkerPage) {
    record_.objectKind = 8;
    record_.pattern[2] = 0;       // line Automatic
    record_.pattern[5] = 8388616; // CrossShape5
    record_.pattern[6] = 7;
    int32_t result = Show(4, 0, [&](Robot& robot) {
        HWND sheet = robot.FindDialog();
        HWND page = CurrentPage(sheet);
        ASSERT_TRUE(robot.HasControl(page, kMarkerStyle));
        EXPECT_EQ(robot.Items(page, kMarkerStyle).size(), 35u);
        EXPECT_EQ(robot.SelectedText(page, kMarkerStyle), "CrossShape5");
        EXPECT_FALSE(robot.IsVisible(page, kAreaAuto));
        EXPECT_EQ(robot.Accessible(page, kMarkerFore).name,
                  qvtest::Spoken(robot.Text(page, kMarkerForeLabel)));
        robot.SetText(page, kMarkerSize, "1");
        robot.SetText(page, kMarkerSize, "73");
        robot.SetText(page, kMarkerSize, "abc");
        robot.Select(page, kMarkerStyle, "StarShape(3)");
        // A marker colour makes the line Custom.
        EXPECT_TRUE(robot.IsChecked(page, kBorderAuto));
        robot.Post([page] {
            SendMessageW(page, WM_COMMAND, MAKEWPARAM(kMarkerFore, 0x0F01),
                         reinterpret_cast<LPARAM>(GetDlgItem(page, kMarkerFore)));
        });
        robot.WaitIdle();
        EXPECT_TRUE(robot.IsChecked(page, kBorderCustom));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record_.pattern[6], 7u); // 1, 73 and a word are no sizes
    EXPECT_EQ(record_.pattern[5], 12301u);
    EXPECT_EQ(record_.pattern[2], 2u);

    // The same series of a chart of type 4 in another kind: the area page.
    record_.objectKind = 6;
    result = Show(4, 0, [&](Robot& robot) {
        HWND sheet = robot.FindDialog();
        EXPECT_TRUE(robot.HasControl(CurrentPage(sheet), kAreaColours));
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    // Chart type 7, variant 2: the area page for a series too.
    record_.objectKind = 8;
    result = Show(7, 2, [&](Robot& robot) {
        HWND sheet = robot.FindDialog();
        EXPECT_TRUE(robot.HasControl(CurrentPage(sheet), kAreaColours));
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
}

TEST_F(FormatChart, FontPageComesBackOnOkOnly) {
    record_.pages = 1;
    int32_t result = Show(1, 0, [&](Robot& robot) {
        HWND sheet = robot.FindDialog();
        robot.SetText(CurrentPage(sheet), kFontSize, "14");
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record_.font.size, 10);
    result = Show(1, 0, [&](Robot& robot) {
        HWND sheet = robot.FindDialog();
        robot.SetText(CurrentPage(sheet), kFontSize, "14");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record_.font.size, 14);
    EXPECT_EQ(record_.font.changed, 1);
}

// Without its string library the sheet says so once and keeps the
// template's texts.
TEST_F(FormatChart, MissingLanguageLibraryKeepsTheTemplateTexts) {
    qvhost::ScratchAppFolder folder(appFolder_, {"QVSSDSE.dll"});
    ASSERT_TRUE(folder.ok());
    LoadFrom(folder.path());
    record_.objectKind = 6;
    record_.pages = 6;
    int32_t result = Show(1, 0, [&](Robot& robot) {
        // The page's relabelling and the sheet each say what is missing.
        std::vector<std::string> said;
        for (int i = 0; i < 2; ++i) {
            auto box = robot.ExpectMessageBox();
            ASSERT_TRUE(box.exists);
            said.push_back(box.text);
            robot.AnswerMessageBox(1);
        }
        EXPECT_EQ(said, (std::vector<std::string>{Message(1180), Message(8440)}));
        HWND sheet = robot.WaitForWindow("Format Legend");
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(TabText(sheet, 0), "Pattern");
        EXPECT_EQ(TabText(sheet, 1), "Alignment");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
}

} // namespace
