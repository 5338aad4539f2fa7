// Step 3 of the Chart Wizard: Titles, Axes, Gridlines, Legend and Data Labels.
// Each page reads the chart when it becomes active and writes every change
// to the chart at once.
#include "charts/chart_wizard.h"

#include "frame/localize.h"
#include "framework/controls.h"
#include "qvcore/chart_rules.h"
#include "qvcore/chart_types.h"
#include "resource.h"

namespace qv::charts {
namespace {

using Getter = int32_t (QVCHART_CALL CQVChartWrapperCtrl::*)();
using Setter = void (QVCHART_CALL CQVChartWrapperCtrl::*)(int32_t);

struct Flag {
    int id;
    Getter get;
    Setter set;
};

void ReadFlag(fw::Dialog& page, CQVChartWrapperCtrl& chart, const Flag& flag) {
    page.SetChecked(flag.id, (chart.*flag.get)() != 0);
}

bool WriteFlag(fw::Dialog& page, CQVChartWrapperCtrl& chart, const Flag* flags, size_t count,
               int id) {
    for (size_t i = 0; i < count; ++i) {
        if (flags[i].id == id) {
            (chart.*flags[i].set)(page.IsChecked(id) ? 1 : 0);
            return true;
        }
    }
    return false;
}

struct TitleBox {
    int label;
    int box;
    void (QVCHART_CALL CQVChartWrapperCtrl::*get)(QVString*);
    void (QVCHART_CALL CQVChartWrapperCtrl::*set)(const char*);
    void (QVCHART_CALL CQVChartWrapperCtrl::*setFace)(const char*);
};
const TitleBox kTitles[] = {
    {IDC_TITLE_CHART_LABEL, IDC_TITLE_CHART, &CQVChartWrapperCtrl::GetChartTitleText,
     &CQVChartWrapperCtrl::SetChartTitleText, &CQVChartWrapperCtrl::SetChartTitleFont},
    {IDC_TITLE_X_LABEL, IDC_TITLE_X, &CQVChartWrapperCtrl::GetChartXAxisTitle,
     &CQVChartWrapperCtrl::SetChartXAxisTitle, &CQVChartWrapperCtrl::SetChartXAxisTitleFont},
    {IDC_TITLE_Y_LABEL, IDC_TITLE_Y, &CQVChartWrapperCtrl::GetChartYAxisTitle,
     &CQVChartWrapperCtrl::SetChartYAxisTitle, &CQVChartWrapperCtrl::SetChartYAxisTitleFont},
    {IDC_TITLE_Z_LABEL, IDC_TITLE_Z, &CQVChartWrapperCtrl::GetChartZAxisTitle,
     &CQVChartWrapperCtrl::SetChartZAxisTitle, &CQVChartWrapperCtrl::SetChartZAxisTitleFont},
};

} // namespace

// ---- Titles ------------------------------------------------------------------------------

CQVChartTitle::CQVChartTitle(CQVChart& sheet) : ChartPage(sheet, IDD_CHART_TITLES) {}

bool CQVChartTitle::OnInitDialog() {
    static const int kControls[] = {IDC_TITLE_CHART_LABEL,
                                    IDC_TITLE_X_LABEL,
                                    IDC_TITLE_Y_LABEL,
                                    IDC_TITLE_SECOND_X_LABEL,
                                    IDC_TITLE_Z_LABEL,
                                    IDC_TITLE_SECOND_Y_LABEL,
                                    0};
    static const int kStrings[] = {5610, 5611, 5612, 5613, 5614, 5615, 0};
    // Titles may be typed in either script: the boxes switch the keyboard.
    SetUpPage(kControls, kStrings, {IDC_TITLE_CHART, IDC_TITLE_X, IDC_TITLE_Y, IDC_TITLE_Z}, true);
    for (size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i].Attach(hwnd(), kTitles[i].box);
        boxes_[i].SetClearOnToggle(false);
    }
    return true;
}

bool CQVChartTitle::OnSetActive() {
    TellChartItsParents();
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    const core::TitleBoxes enabled =
        core::ChartTitleBoxes(chart.GetChartMainType(), chart.GetChartSubType());
    const bool on[] = {enabled.chart, enabled.x, enabled.y, enabled.z};
    for (size_t i = 0; i < std::size(kTitles); ++i) {
        SetItemText(kTitles[i].box, ChartText(chart, kTitles[i].get));
        EnableItem(kTitles[i].label, on[i]);
        EnableItem(kTitles[i].box, on[i]);
    }
    RefreshPreview();
    return true;
}

void CQVChartTitle::Store(int id) {
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    for (const TitleBox& title : kTitles) {
        if (title.box != id) {
            continue;
        }
        const std::string text = ItemText(id);
        if (text == ChartText(chart, title.get)) {
            return; // unchanged: the chart is not told
        }
        (chart.*title.set)(text.c_str());
        (chart.*title.setFace)(frame::FontFaceOf(Item(id)).c_str());
        RefreshPreview();
        return;
    }
}

bool CQVChartTitle::OnCommand(int id, int code, HWND) {
    for (const TitleBox& title : kTitles) {
        if (title.box == id && code == EN_KILLFOCUS) {
            Store(id);
            return true;
        }
    }
    return false;
}

// ---- Axes ----------------------------------------------------------------------------------

namespace {
const Flag kAxes[] = {
    {IDC_AXES_X, &CQVChartWrapperCtrl::GetXAxisLabelDisplay,
     &CQVChartWrapperCtrl::SetXAxisLabelDisplay},
    {IDC_AXES_Y, &CQVChartWrapperCtrl::GetYAxisLabelDisplay,
     &CQVChartWrapperCtrl::SetYAxisLabelDisplay},
    {IDC_AXES_Z, &CQVChartWrapperCtrl::GetZAxisLabelDisplay,
     &CQVChartWrapperCtrl::SetZAxisLabelDisplay},
};
} // namespace

CQVChartAxisPage::CQVChartAxisPage(CQVChart& sheet) : ChartPage(sheet, IDD_CHART_AXES) {}

bool CQVChartAxisPage::OnInitDialog() {
    static const int kControls[] = {
        IDC_AXES_GROUP,     IDC_AXES_X,        IDC_AXES_Y,          IDC_AXES_Z,
        IDC_AXES_AUTOMATIC, IDC_AXES_CATEGORY, IDC_AXES_TIME_SCALE, 0};
    static const int kStrings[] = {5620, 5621, 5622, 5623, 5624, 5625, 5626, 0};
    SetUpPage(kControls, kStrings);
    return true;
}

bool CQVChartAxisPage::OnSetActive() {
    TellChartItsParents();
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    for (const Flag& flag : kAxes) {
        ReadFlag(*this, chart, flag);
    }
    const core::AxisBoxes boxes =
        core::ChartAxisBoxes(chart.GetChartMainType(), chart.GetChartSubType());
    ShowItem(IDC_AXES_Z, boxes.zShown);
    if (boxes.yDisabled) {
        SetChecked(IDC_AXES_Y, false);
    }
    EnableItem(IDC_AXES_Y, !boxes.yDisabled);
    RefreshPreview();
    return true;
}

bool CQVChartAxisPage::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || !WriteFlag(*this, sheet_.Chart(), kAxes, std::size(kAxes), id)) {
        return false;
    }
    RefreshPreview();
    return true;
}

// ---- Gridlines -------------------------------------------------------------------------------

namespace {
const Flag kGridlines[] = {
    {IDC_GRID_X_MAJOR, &CQVChartWrapperCtrl::GetXMajorAxis, &CQVChartWrapperCtrl::SetXMajorAxis},
    {IDC_GRID_X_MINOR, &CQVChartWrapperCtrl::GetXMinorAxis, &CQVChartWrapperCtrl::SetXMinorAxis},
    {IDC_GRID_Y_MAJOR, &CQVChartWrapperCtrl::GetYMajorAxis, &CQVChartWrapperCtrl::SetYMajorAxis},
    {IDC_GRID_Y_MINOR, &CQVChartWrapperCtrl::GetYMinorAxis, &CQVChartWrapperCtrl::SetYMinorAxis},
    {IDC_GRID_Z_MAJOR, &CQVChartWrapperCtrl::GetZMajorAxis, &CQVChartWrapperCtrl::SetZMajorAxis},
    {IDC_GRID_Z_MINOR, &CQVChartWrapperCtrl::GetZMinorAxis, &CQVChartWrapperCtrl::SetZMinorAxis},
};
} // namespace

CQVChartGridline::CQVChartGridline(CQVChart& sheet) : ChartPage(sheet, IDD_CHART_GRIDLINES) {}

bool CQVChartGridline::OnInitDialog() {
    static const int kControls[] = {
        IDC_GRID_X_GROUP, IDC_GRID_X_MAJOR, IDC_GRID_X_MINOR, IDC_GRID_Y_GROUP, IDC_GRID_Y_MAJOR,
        IDC_GRID_Y_MINOR, IDC_GRID_Z_GROUP, IDC_GRID_Z_MAJOR, IDC_GRID_Z_MINOR, 0};
    static const int kStrings[] = {5630, 5631, 5632, 5633, 5634, 5635, 5636, 5637, 5638, 0};
    SetUpPage(kControls, kStrings);
    return true;
}

bool CQVChartGridline::OnSetActive() {
    TellChartItsParents();
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    const core::GridlineGroups groups =
        core::ChartGridlineGroups(chart.GetChartMainType(), chart.GetChartSubType());
    for (size_t i = 0; i < 4; ++i) {
        ReadFlag(*this, chart, kGridlines[i]);
    }
    if (groups.zEnabled) {
        ReadFlag(*this, chart, kGridlines[4]);
        ReadFlag(*this, chart, kGridlines[5]);
    }
    for (int id : {IDC_GRID_Z_GROUP, IDC_GRID_Z_MAJOR, IDC_GRID_Z_MINOR}) {
        EnableItem(id, groups.zEnabled);
    }
    for (int id : {IDC_GRID_Y_GROUP, IDC_GRID_Y_MAJOR, IDC_GRID_Y_MINOR}) {
        EnableItem(id, !groups.yDisabled);
    }
    for (int id : {IDC_GRID_X_GROUP, IDC_GRID_X_MAJOR, IDC_GRID_X_MINOR}) {
        EnableItem(id, !groups.xDisabled);
    }
    RefreshPreview();
    return true;
}

bool CQVChartGridline::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED ||
        !WriteFlag(*this, sheet_.Chart(), kGridlines, std::size(kGridlines), id)) {
        return false;
    }
    RefreshPreview();
    return true;
}

// ---- Legend ---------------------------------------------------------------------------------

namespace {
constexpr int kPlacements[] = {IDC_LEGEND_BOTTOM, IDC_LEGEND_CORNER, IDC_LEGEND_TOP,
                               IDC_LEGEND_RIGHT, IDC_LEGEND_LEFT}; // codes 1 to 5
} // namespace

CQVChartLgnd::CQVChartLgnd(CQVChart& sheet) : ChartPage(sheet, IDD_CHART_LEGEND) {}

bool CQVChartLgnd::OnInitDialog() {
    static const int kControls[] = {
        IDC_LEGEND_SHOW, IDC_LEGEND_GROUP, IDC_LEGEND_BOTTOM, IDC_LEGEND_CORNER,
        IDC_LEGEND_TOP,  IDC_LEGEND_RIGHT, IDC_LEGEND_LEFT,   0};
    static const int kStrings[] = {5640, 5641, 5642, 5643, 5644, 5645, 5646, 0};
    SetUpPage(kControls, kStrings);
    return true;
}

void CQVChartLgnd::EnablePlacement(bool on) {
    for (int id : kPlacements) {
        EnableItem(id, on);
    }
}

bool CQVChartLgnd::OnSetActive() {
    TellChartItsParents();
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    const bool shown = chart.GetChartLegend() != 0;
    SetChecked(IDC_LEGEND_SHOW, shown);
    const int32_t code = chart.GetChartLegendLocationType();
    const int selected = code >= 1 && code <= 5 ? kPlacements[code - 1] : IDC_LEGEND_RIGHT;
    CheckRadioButton(hwnd(), IDC_LEGEND_BOTTOM, IDC_LEGEND_LEFT, selected);
    EnablePlacement(shown);
    RefreshPreview();
    return true;
}

bool CQVChartLgnd::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    if (id == IDC_LEGEND_SHOW) {
        const bool on = IsChecked(IDC_LEGEND_SHOW);
        chart.SetChartLegend(on ? 1 : 0);
        EnablePlacement(on);
        RefreshPreview();
        return true;
    }
    for (int32_t i = 0; i < 5; ++i) {
        if (kPlacements[i] == id) {
            chart.SetChartLegendLocationType(i + 1);
            RefreshPreview();
            return true;
        }
    }
    return false;
}

// ---- Data Labels -----------------------------------------------------------------------------

namespace {
const Flag kLabels[] = {
    {IDC_LABELS_SERIES, &CQVChartWrapperCtrl::GetLabelSeries, &CQVChartWrapperCtrl::SetLabelSeries},
    {IDC_LABELS_CATEGORY, &CQVChartWrapperCtrl::GetLabelCategory,
     &CQVChartWrapperCtrl::SetLabelCategory},
    {IDC_LABELS_VALUE, &CQVChartWrapperCtrl::GetLabelValue, &CQVChartWrapperCtrl::SetLabelValue},
    {IDC_LABELS_PERCENTAGE, &CQVChartWrapperCtrl::GetLabelPercentage,
     &CQVChartWrapperCtrl::SetLabelPercentage},
    {IDC_LABELS_BUBBLE, &CQVChartWrapperCtrl::GetLabelBubbleSize,
     &CQVChartWrapperCtrl::SetLabelBubbleSize},
    {IDC_LABELS_LEGEND_KEY, &CQVChartWrapperCtrl::GetLabelLegendKey,
     &CQVChartWrapperCtrl::SetLabelLegendKey},
};
} // namespace

CQVChartDataLabel::CQVChartDataLabel(CQVChart& sheet) : ChartPage(sheet, IDD_CHART_DATA_LABELS) {}

bool CQVChartDataLabel::OnInitDialog() {
    static const int kControls[] = {
        IDC_LABELS_GROUP,      IDC_LABELS_SERIES,          IDC_LABELS_CATEGORY,
        IDC_LABELS_VALUE,      IDC_LABELS_PERCENTAGE,      IDC_LABELS_BUBBLE,
        IDC_LABELS_LEGEND_KEY, IDC_LABELS_SEPARATOR_LABEL, 0};
    static const int kStrings[] = {5650, 5651, 5652, 5653, 5654, 5655, 5656, 5657, 0};
    SetUpPage(kControls, kStrings);
    return true;
}

bool CQVChartDataLabel::OnSetActive() {
    TellChartItsParents();
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    const int32_t mainType = chart.GetChartMainType();
    const core::LabelBoxes boxes = core::ChartLabelBoxes(mainType);
    for (size_t i = 0; i < 3; ++i) {
        ReadFlag(*this, chart, kLabels[i]);
    }
    if (boxes.percentage) {
        ReadFlag(*this, chart, kLabels[3]);
    }
    if (boxes.bubbleSize) {
        ReadFlag(*this, chart, kLabels[4]);
    }
    EnableItem(IDC_LABELS_PERCENTAGE, boxes.percentage);
    EnableItem(IDC_LABELS_BUBBLE, boxes.bubbleSize);
    if (boxes.xyCaptions) {
        SetItemText(IDC_LABELS_CATEGORY, core::kXValueCaption);
        SetItemText(IDC_LABELS_VALUE, core::kYValueCaption);
    } else {
        const std::string category = frame::LoadLangString(5652, true);
        const std::string value = frame::LoadLangString(5653, true);
        if (!category.empty()) {
            SetItemText(IDC_LABELS_CATEGORY, category);
        }
        if (!value.empty()) {
            SetItemText(IDC_LABELS_VALUE, value);
        }
    }
    RefreshPreview();
    return true;
}

bool CQVChartDataLabel::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || !WriteFlag(*this, sheet_.Chart(), kLabels, std::size(kLabels), id)) {
        return false;
    }
    RefreshPreview();
    return true;
}

} // namespace qv::charts
