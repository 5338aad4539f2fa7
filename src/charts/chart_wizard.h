// The Chart Wizard: a property sheet whose pages come in three steps (chart
// type; data range and series; titles, axes, gridlines, legend and data
// labels) over the chart object the host created. Every page works on the
// chart at once and shows its preview; the sheet's Apply and Help buttons
// serve as Back and Next, its OK button as Finish.
#pragma once

#include "frame/range_bar.h"
#include "frame/refs.h"
#include "frame/script_edit.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "framework/painted_control.h"
#include "qvchart/qvchart.h"
#include "qvssd/records.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qv::charts {

class CQVChart;

// The chart drawn over a page's preview area. It takes the keyboard focus
// (so that screen readers can reach it) and tells them what the chart shows.
class ChartPreview : public fw::PaintedControl, public fw::AccessibleSource {
  public:
    ChartPreview() : PaintedControl(Focus::TabStop) {}
    // Takes over the page's preview control, placed over the preview area 1168.
    bool Attach(HWND page, CQVChart& sheet);
    // Preview on: the chart is drawn; off: the control is hidden.
    void SetOn(bool on);
    bool IsOn() const { return on_; }
    void Redraw() const;

    std::string AccessibleName() const override;
    std::string AccessibleValue() const override;
    long AccessibleRole() const override;

  protected:
    void Paint(HDC dc, const RECT& client) override;

  private:
    CQVChart* sheet_ = nullptr;
    bool on_ = true;
    bool bitmapFetched_ = false;
};

// What every wizard page shares: the sheet, the relabelling font, the
// preview and its refresh.
class ChartPage : public fw::SheetPage {
  public:
    ChartPage(CQVChart& sheet, UINT templateId);

    ChartPreview& Preview() { return preview_; }
    // The chart rebuilt for the preview rectangle and the preview repainted.
    void RefreshPreview();

  protected:
    // Relabels with the common routine, then attaches the preview.
    void SetUpPage(const int* controls, const int* strings,
                   std::initializer_list<int> fontOnly = {}, bool switchKeyboard = false);
    // setParentWindows(host window, this page).
    void TellChartItsParents();
    bool OnSetActive() override;

    CQVChart& sheet_;
    fw::Font font_;
    ChartPreview preview_;
};

// Step 1: main type and subtype.
class CQVChartTypes : public ChartPage {
  public:
    explicit CQVChartTypes(CQVChart& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void FillSubtypes(int32_t mainType);
    void ApplyType();
    int32_t mainType_ = 1;
    int32_t subtype_ = 1;
};

// Step 2: the source range and the direction of its series.
class CQVDataRange : public ChartPage {
  public:
    explicit CQVDataRange(CQVChart& sheet);

    bool Edited() const { return edited_; }
    // The leaving check accepted a typed range: it was handed to the chart.
    void AcceptedRange();
    // Reads the chart again after the range changed.
    void Refresh();

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void Apply();
    void ChooseDirection(int32_t seriesIn);
    void SetRangeText(const std::string& text);
    void ShowPreviewOrMessage();

    fw::Bitmap pickImage_;
    bool edited_ = false;
    bool armed_ = false;
    bool pickerReturned_ = false;
    bool broken_ = false;
    bool settingText_ = false;
};

// Step 2: the series one by one.
class CQVChartSeriesIn : public ChartPage {
  public:
    explicit CQVChartSeriesIn(CQVChart& sheet);

    // Next from this page: false (with message 1187 shown) when a box of the
    // selected series holds what cannot be used.
    bool ValidateForNext();
    // A range picked for one of the boxes.
    void TakePicked(int boxId);
    bool HasSeries() const { return !entries_.empty(); }

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void ReadSeries();
    void FillList(int select);
    void LayOutFields();
    void ShowSelected();
    void SetBox(int id, const std::string& a1);
    void Commit(int id);
    void Add();
    void Remove();
    void Pick(int pickId);
    int Selected() const;

    std::vector<std::string> entries_, names_, values_, secondValues_, sizes_;
    std::string categories_;
    std::string secondCategories_;
    std::map<int, std::string> stored_; // each box's text as last filled (A1 form)
    fw::Bitmap pickImage_;
    int pickedBox_ = 0; // the box whose picker closed last
    bool loading_ = false;
    bool committing_ = false;
};

// Step 3 pages.
class CQVChartTitle : public ChartPage {
  public:
    explicit CQVChartTitle(CQVChart& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void Store(int id);
    std::array<frame::CQVScriptEdit, 4> boxes_;
};

class CQVChartAxisPage : public ChartPage {
  public:
    explicit CQVChartAxisPage(CQVChart& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;
};

class CQVChartGridline : public ChartPage {
  public:
    explicit CQVChartGridline(CQVChart& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;
};

class CQVChartLgnd : public ChartPage {
  public:
    explicit CQVChartLgnd(CQVChart& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void EnablePlacement(bool on);
};

class CQVChartDataLabel : public ChartPage {
  public:
    explicit CQVChartDataLabel(CQVChart& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;
};

class CQVChart : public fw::Sheet, public frame::RangeBarOwner {
  public:
    // The preview rectangle every page gives the chart.
    static constexpr RECT kPreviewRect{10, 15, 520, 220};

    CQVChart(ChartWizardRecord* record, CQVChartWrapperCtrl* chart);
    ~CQVChart() override;

    CQVChartWrapperCtrl& Chart() { return *chart_; }
    ChartWizardRecord& Record() { return *record_; }
    HWND HostWindow() const;
    int Step() const { return step_; }
    frame::MenuRefConverter& Refs() { return refs_; }

    // The series information the step-2 pages share, rebuilt from the chart.
    const SSChartSeries& SeriesInfo() const { return series_; }
    const std::string& Categories() const { return categories_; }
    const std::string& SecondCategories() const { return secondCategories_; }
    void RebuildSeriesInfo();
    bool HasSeries() const { return series_.entries.size > 0; }

    // The sheet's first words to the chart: its parents, then a rebuild.
    // Runs once, before any page speaks to the chart.
    void OpenChart(HWND sheetWindow);

    // The checks and moves of the Back, Next and Finish buttons.
    bool LeavePage();
    void Next();
    void Back();
    void Finish();

    // The range text of record field 2, and setting it (bounded).
    std::string RecordRange() const;
    void SetRecordRange(const std::string& text);

    // frame::RangeBarOwner
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;
    // Opens the range bar for a box of the active page.
    void PickFor(HWND edit, frame::RangeField field);

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    void OnInitSheet() override;
    bool OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    std::vector<ChartPage*> StepPages(int step) const;
    void Attach(int step);
    void Detach(int step);
    void RelabelTabs();
    void ShowStep(int step);
    void PlaceButtons();
    void UpdateButtons();

    ChartWizardRecord* record_;
    CQVChartWrapperCtrl* chart_;
    int32_t mode_;
    int step_ = 1;
    std::array<int, 3> remembered_{};
    fw::Font font_;
    frame::MenuRefConverter refs_;
    SSChartSeries series_{};
    std::string categories_;
    std::string secondCategories_;
    int attachedAxisPages_ = 0; // step 3 pages attached: 3 or 5
    bool changingStep_ = false;
    bool opened_ = false;

    CQVChartTypes types_;
    CQVDataRange range_;
    CQVChartSeriesIn seriesPage_;
    CQVChartTitle titles_;
    CQVChartAxisPage axes_;
    CQVChartGridline gridlines_;
    CQVChartLgnd legend_;
    CQVChartDataLabel labels_;
};

// A chart text read through one of the chart's getters.
std::string ChartText(CQVChartWrapperCtrl& chart,
                      void (QVCHART_CALL CQVChartWrapperCtrl::*getter)(QVString*));

// The chart's UpdateChart, its time counted as the chart's own.
void RebuildChart(CQVChartWrapperCtrl& chart);

// Whether `pointer` looks like a chart object: readable, with a readable
// table of operations.
bool IsUsableChart(const void* pointer);

} // namespace qv::charts
