// The chart dialogs the host can open. The Chart Wizard works on a chart the
// host made with the chart component over its sample sheet.
#include "dialog_tables.h"

#include "qvhost/chart_host.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <algorithm>
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

// Format Chart over one part of a chart: its kind, the pages asked for, and
// the chart type and variant the host passes.
class ChartFormatCall : public DialogCall {
  public:
    ChartFormatCall(uint8_t kind, uint8_t pages, int32_t chartType, int32_t variant, int views)
        : chartType_(chartType), variant_(variant), views_(views) {
        record_.objectKind = kind;
        record_.pages = pages;
        record_.horizontal = 2;
        record_.vertical = 1;
        record_.orientation = 0;
        std::strcpy(record_.font.faceName, "Arial");
        record_.font.styleFlags = 2;
        record_.font.size = 12;
        const uint32_t words[10] = {0x0100, 0x000080, 2,        0xFFFF00, 0,
                                    20491,  7,        0xFFFFFF, 0x800000, 0};
        std::copy(std::begin(words), std::end(words), record_.pattern);
        for (uint32_t i = 0; i < 4; ++i) {
            record_.scale.words[i] = 0x11111111u * (i + 1);
        }
        record_.scale.halves[0] = 5;
        record_.scale.halves[1] = 6;
    }

    int32_t Invoke(FARPROC fn) override {
        return As<QVShowChartFormatFn>(fn)(&record_, chartType_, variant_);
    }
    int DemoViews() const override { return views_; }
    std::string RecordJson(const FrameWindow*) const override {
        std::string json = "{";
        auto number = [&json](const char* key, int64_t value) {
            json += '"';
            json += key;
            json += "\":";
            json += std::to_string(value);
            json += ',';
        };
        number("horizontal", record_.horizontal);
        number("vertical", record_.vertical);
        number("orientation", record_.orientation);
        json += "\"font\":{\"faceName\":";
        json += JsonString(std::string(
            record_.font.faceName, strnlen(record_.font.faceName, sizeof record_.font.faceName)));
        json += ',';
        number("size", record_.font.size);
        number("changed", record_.font.changed);
        json.back() = '}';
        json += ",\"pattern\":[";
        for (uint32_t word : record_.pattern) {
            json += std::to_string(word);
            json += ',';
        }
        json.back() = ']';
        json += ",\"scale\":[";
        for (uint32_t word : record_.scale.words) {
            json += std::to_string(word);
            json += ',';
        }
        for (uint16_t half : record_.scale.halves) {
            json += std::to_string(half);
            json += ',';
        }
        json.back() = ']';
        json += ',';
        number("pages", record_.pages);
        number("objectKind", record_.objectKind);
        json.back() = '}';
        return json;
    }

  private:
    ChartFormatRecord record_{};
    int32_t chartType_;
    int32_t variant_;
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
        {"chart-format", "QVShowChartFormat", "Format Chart Area",
         [] { return std::make_unique<ChartFormatCall>(2, 7, 1, 0, 3); }},
        {"chart-format-series", "QVShowChartFormat", "Format Data Series (lines and markers)",
         [] { return std::make_unique<ChartFormatCall>(8, 3, 4, 0, 2); }},
        {"chart-format-axis", "QVShowChartFormat", "Format Axis",
         [] { return std::make_unique<ChartFormatCall>(4, 6, 1, 0, 2); }},
    };
}

} // namespace qvhost::tables
