// The chart dialogs the host can open. The Chart Wizard works on a chart the
// host made with the chart component over its sample sheet.
#include "dialog_tables.h"

#include "qvhost/chart_host.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <cstring>

namespace qvhost::tables {
namespace {

std::string ChartString(CQVChartWrapperCtrl& chart,
                        void (QVCHART_CALL CQVChartWrapperCtrl::*getter)(QVString*)) {
    QVString text{};
    (chart.*getter)(&text);
    std::string out = QVStringGet(&text);
    QVStringClear(&text);
    return out;
}

// The demo chart's title in the menu language: the local build's language
// is the one whose dialog face (string 20000 of QVSSDSL.dll) it names.
std::string DemoTitle() {
    if (MenuLanguage() != 2) {
        return "Sales by region";
    }
    wchar_t face[16] = {};
    const std::string path = AppFolder() + "\\QVSSDSL.dll";
    if (HMODULE strings = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        LoadStringW(strings, 20000, face, 16);
        FreeLibrary(strings);
    }
    return std::wstring(face).rfind(L"TAM", 0) == 0 ? "பிராந்திய வாரியான விற்பனை" : "क्षेत्रवार बिक्री";
}

// The wizard over the sales table, in one of its modes; `views` tabs of the
// step it opens on are rendered by the demo.
class ChartWizardCall : public DialogCall {
  public:
    ChartWizardCall(int32_t mode, int32_t mainType, const char* range, int views)
        : component_(AppFolder()), views_(views) {
        SampleSheet::FillDemo(sheet_);
        chart_ = component_.Create(&sheet_);
        if (chart_) {
            chart_->SetDataSourceRangeInText(range, QVCHART_HINT_CHOOSE, 0);
            chart_->setChartType(mainType, 1);
            chart_->SetChartTitleText(DemoTitle().c_str());
        }
        std::strncpy(record_.sourceRange, range, sizeof record_.sourceRange - 1);
        record_.mode = mode;
        record_.hostWindow = FrameHandle();
        record_.chart = chart_.get();
    }

    int32_t Invoke(FARPROC fn) override { return As<QVShowChartFn>(fn)(&record_); }
    int DemoViews() const override { return views_; }
    std::string RecordJson(const FrameWindow*) const override {
        std::string json =
            "{\"sourceRange\":" +
            JsonString(std::string(record_.sourceRange,
                                   strnlen(record_.sourceRange, sizeof record_.sourceRange))) +
            ",\"mode\":" + std::to_string(record_.mode);
        if (!chart_) {
            return json + ",\"chart\":null}";
        }
        CQVChartWrapperCtrl& c = *chart_;
        json += ",\"chart\":{\"mainType\":" + std::to_string(c.GetChartMainType()) +
                ",\"subtype\":" + std::to_string(c.GetChartSubType()) + ",\"range\":" +
                JsonString(ChartString(c, &CQVChartWrapperCtrl::GetDataSourceRangeInText)) +
                ",\"seriesIn\":" + std::to_string(c.GetChartDataSeriesType()) + ",\"title\":" +
                JsonString(ChartString(c, &CQVChartWrapperCtrl::GetChartTitleText)) +
                ",\"legend\":" + std::to_string(c.GetChartLegend()) +
                ",\"legendPlace\":" + std::to_string(c.GetChartLegendLocationType()) +
                ",\"lastError\":" + std::to_string(c.GetChartLastErr()) + "}}";
        return json;
    }

  private:
    SampleSheet sheet_;
    ChartComponent component_;
    ChartPtr chart_;
    ChartWizardRecord record_{};
    int views_;
};

} // namespace

std::vector<DialogEntry> ChartDialogs() {
    return {
        {"chart", "QVShowChart", "Chart Wizard",
         [] { return std::make_unique<ChartWizardCall>(0, 1, "A1:D5", 1); }},
        {"chart-source", "QVShowChart", "Chart Wizard: source data",
         [] { return std::make_unique<ChartWizardCall>(2, 1, "A1:D5", 2); }},
        {"chart-options", "QVShowChart", "Chart Wizard: chart options",
         [] { return std::make_unique<ChartWizardCall>(3, 1, "A1:D5", 5); }},
        {"chart-pie-options", "QVShowChart", "Chart Wizard: options of a pie",
         [] { return std::make_unique<ChartWizardCall>(3, 4, "A1:B5", 3); }},
    };
}

} // namespace qvhost::tables
