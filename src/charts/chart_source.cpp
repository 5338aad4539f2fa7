// Step 2 of the Chart Wizard: the Data Range page and the Series page.
#include "charts/chart_wizard.h"

#include "format/page_common.h"
#include "frame/host_data.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/cellref.h"
#include "qvcore/chart_rules.h"
#include "qvcore/chart_types.h"
#include "qvcore/numbers.h"
#include "resource.h"

#include <algorithm>

namespace qv::charts {
namespace {

// The picture of the range buttons.
constexpr int kPickImage = 13047;
constexpr int kPickImageSize = 18;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool IsReference(const std::string& text) {
    return core::IsCellRef(text) || core::IsRangeRef(text);
}

std::vector<std::string> Strings(const QVStringArray& array) {
    std::vector<std::string> out;
    if (array.data == nullptr) {
        return out;
    }
    for (int32_t i = 0; i < array.size; ++i) {
        out.push_back(frame::ReadHostText(array.data[i].text, frame::kHostTextLimit));
    }
    return out;
}

// The boxes of a series row: label, box and range button.
struct Row {
    int label;
    int box;
    int pick;
};
constexpr Row kRows[] = {
    {IDC_SERIES_NAME_LABEL, IDC_SERIES_NAME, IDC_SERIES_NAME_PICK},
    {IDC_SERIES_VALUES_LABEL, IDC_SERIES_VALUES, IDC_SERIES_VALUES_PICK},
    {IDC_SERIES_Y_LABEL, IDC_SERIES_Y, IDC_SERIES_Y_PICK},
    {IDC_SERIES_SIZE_LABEL, IDC_SERIES_SIZE, IDC_SERIES_SIZE_PICK},
    {IDC_SERIES_CATEGORY_LABEL, IDC_SERIES_CATEGORY, IDC_SERIES_CATEGORY_PICK},
    {IDC_SERIES_SECOND_LABEL, IDC_SERIES_SECOND, IDC_SERIES_SECOND_PICK},
};

int PickOf(int box) {
    for (const Row& row : kRows) {
        if (row.box == box) {
            return row.pick;
        }
    }
    return 0;
}

} // namespace

// ---- CQVDataRange -------------------------------------------------------------------------

CQVDataRange::CQVDataRange(CQVChart& sheet) : ChartPage(sheet, IDD_CHART_DATA_RANGE) {}

bool CQVDataRange::OnInitDialog() {
    static const int kControls[] = {IDC_RANGE_LABEL,   IDC_RANGE_SERIES_IN, IDC_RANGE_ROWS,
                                    IDC_RANGE_COLUMNS, IDC_RANGE_MESSAGE,   0};
    static const int kStrings[] = {1161, 1162, 1163, 1164, 1967, 0};
    SetUpPage(kControls, kStrings, {IDC_RANGE_EDIT});
    pickImage_.Reset(frame::LoadRangeImage(kPickImage, kPickImageSize));
    if (pickImage_) {
        fw::Button(hwnd(), IDC_RANGE_PICK).SetImage(pickImage_.get());
    }
    fw::Edit(hwnd(), IDC_RANGE_EDIT)
        .LimitText(static_cast<int>(sizeof(ChartWizardRecord::sourceRange) - 1));
    return true;
}

void CQVDataRange::SetRangeText(const std::string& text) {
    settingText_ = true;
    SetItemText(IDC_RANGE_EDIT, text);
    settingText_ = false;
}

bool CQVDataRange::OnSetActive() {
    SetRangeText(sheet_.Refs().ToShown(sheet_.RecordRange()));
    TellChartItsParents();
    const bool rows = sheet_.Chart().GetChartDataSeriesType() != QVCHART_SERIES_IN_COLUMNS;
    SetChecked(IDC_RANGE_ROWS, rows);
    SetChecked(IDC_RANGE_COLUMNS, !rows);
    broken_ = sheet_.Chart().IsRngBroken(0) != 0;
    Refresh();
    return true;
}

void CQVDataRange::Refresh() {
    if (!HasWindow()) {
        return;
    }
    RefreshPreview();
    broken_ = sheet_.Chart().IsRngBroken(0) != 0;
    sheet_.RebuildSeriesInfo();
    if (broken_) {
        SetRangeText({});
    }
    for (int id : {IDC_RANGE_EDIT, IDC_RANGE_ROWS, IDC_RANGE_COLUMNS}) {
        EnableItem(id, !broken_);
    }
    edited_ = false;
    ShowPreviewOrMessage();
}

void CQVDataRange::ShowPreviewOrMessage() {
    const bool series = sheet_.HasSeries();
    ShowItem(IDC_RANGE_MESSAGE, !series);
    preview_.SetOn(series);
}

void CQVDataRange::AcceptedRange() {
    Refresh();
}

void CQVDataRange::Apply() {
    const std::string text = sheet_.Refs().FromShown(ItemText(IDC_RANGE_EDIT));
    if (!text.empty() && !IsReference(text)) {
        HWND focus = GetFocus();
        if (focus == nullptr || focus == sheet_.Button(IDCANCEL)) {
            return;
        }
        frame::QVMsgBoxEx(1193, frame::kOneButton, frame::kIconWarning);
        fw::Edit(hwnd(), IDC_RANGE_EDIT).SelectAll();
        FocusItem(IDC_RANGE_EDIT);
        return;
    }
    if (armed_ && Lower(text) != Lower(sheet_.RecordRange())) {
        sheet_.SetRecordRange(text);
        sheet_.Chart().SetDataSourceRangeInText(
            text.c_str(), IsChecked(IDC_RANGE_ROWS) ? QVCHART_HINT_ROWS : QVCHART_HINT_COLUMNS, 0);
        armed_ = false;
        Refresh();
    }
}

void CQVDataRange::ChooseDirection(int32_t seriesIn) {
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    if (seriesIn != chart.GetChartDataSeriesType()) {
        chart.SetChartDataSeriesType(seriesIn);
        armed_ = true;
        Apply();
        Refresh();
    }
    const bool rows = chart.GetChartDataSeriesType() != QVCHART_SERIES_IN_COLUMNS;
    SetChecked(IDC_RANGE_ROWS, rows);
    SetChecked(IDC_RANGE_COLUMNS, !rows);
}

bool CQVDataRange::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_RANGE_EDIT:
        if (code == EN_CHANGE && !settingText_) {
            edited_ = true;
            if (armed_) {
                EnableItem(IDC_RANGE_ROWS, true);
                EnableItem(IDC_RANGE_COLUMNS, true);
            }
            return true;
        }
        if (code == EN_SETFOCUS) {
            pickerReturned_ = false;
            if (armed_) {
                Apply();
            }
            return true;
        }
        return false;
    case IDC_RANGE_PICK:
        if (code == BN_CLICKED) {
            armed_ = true;
            sheet_.PickFor(Item(IDC_RANGE_EDIT), frame::RangeField{});
            pickerReturned_ = true;
            return true;
        }
        return false;
    case IDC_RANGE_COLUMNS:
        if (code == BN_CLICKED) {
            ChooseDirection(QVCHART_SERIES_IN_COLUMNS);
            return true;
        }
        return false;
    case IDC_RANGE_ROWS:
        if (code == BN_CLICKED) {
            ChooseDirection(QVCHART_SERIES_IN_ROWS);
            return true;
        }
        return false;
    default:
        return false;
    }
}

// ---- CQVChartSeriesIn -----------------------------------------------------------------------

CQVChartSeriesIn::CQVChartSeriesIn(CQVChart& sheet) : ChartPage(sheet, IDD_CHART_SERIES) {}

bool CQVChartSeriesIn::OnInitDialog() {
    static const int kControls[] = {IDC_SERIES_LIST_LABEL,
                                    IDC_SERIES_NAME_LABEL,
                                    IDC_SERIES_VALUES_LABEL,
                                    IDC_SERIES_ADD,
                                    IDC_SERIES_REMOVE,
                                    IDC_SERIES_CATEGORY_LABEL,
                                    IDC_SERIES_Y_LABEL,
                                    IDC_SERIES_SIZE_LABEL,
                                    IDC_SERIES_MESSAGE,
                                    IDC_SERIES_SECOND_LABEL,
                                    0};
    static const int kStrings[] = {1155, 1158, 1159, 1362, 1157, 1160, 1852, 1853, 1968, 5604, 0};
    SetUpPage(kControls, kStrings,
              {IDC_SERIES_LIST, IDC_SERIES_NAME, IDC_SERIES_VALUES, IDC_SERIES_Y, IDC_SERIES_SIZE,
               IDC_SERIES_CATEGORY, IDC_SERIES_SECOND});
    pickImage_.Reset(frame::LoadRangeImage(kPickImage, kPickImageSize));
    for (const Row& row : kRows) {
        if (pickImage_) {
            fw::Button(hwnd(), row.pick).SetImage(pickImage_.get());
        }
    }
    return true;
}

bool CQVChartSeriesIn::OnSetActive() {
    TellChartItsParents();
    ReadSeries();
    if (!entries_.empty()) {
        SetBox(IDC_SERIES_CATEGORY, categories_);
    }
    FillList(0);
    ShowSelected();
    LayOutFields();
    RefreshPreview();
    return true;
}

void CQVChartSeriesIn::ReadSeries() {
    sheet_.RebuildSeriesInfo();
    const SSChartSeries& info = sheet_.SeriesInfo();
    entries_ = Strings(info.entries);
    names_ = Strings(info.names);
    values_ = Strings(info.values);
    secondValues_ = Strings(info.secondValues);
    sizes_ = Strings(info.sizes);
    categories_ = sheet_.Categories();
    secondCategories_ = sheet_.SecondCategories();
}

void CQVChartSeriesIn::FillList(int select) {
    fw::ListBox list(hwnd(), IDC_SERIES_LIST);
    // Up to 256 entries: drawn once, at the end.
    list.Send(WM_SETREDRAW, FALSE, 0);
    list.Clear();
    list.Send(LB_INITSTORAGE, entries_.size(), entries_.size() * 16);
    const std::string unnamed = frame::LoadLangString(1710, true);
    for (size_t i = 0; i < entries_.size(); ++i) {
        const int index = list.Add(entries_[i].empty() ? unnamed : entries_[i]);
        list.SetData(index, static_cast<LPARAM>(i));
    }
    if (!entries_.empty()) {
        list.Select(std::clamp(select, 0, static_cast<int>(entries_.size()) - 1));
    }
    list.Send(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list.hwnd(), nullptr, TRUE);
}

int CQVChartSeriesIn::Selected() const {
    const int index = fw::ListBox(hwnd(), IDC_SERIES_LIST).Selection();
    return index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
}

void CQVChartSeriesIn::SetBox(int id, const std::string& a1) {
    loading_ = true;
    SetItemText(id, sheet_.Refs().ToShown(a1));
    stored_[id] = a1;
    loading_ = false;
}

void CQVChartSeriesIn::LayOutFields() {
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    const core::SeriesBoxes boxes =
        core::ChartSeriesBoxes(chart.GetChartMainType(), chart.GetChartSubType());
    const bool any = !entries_.empty();
    const bool shown[] = {any,
                          any && boxes.values,
                          any && boxes.yValues,
                          any && boxes.sizes,
                          any && boxes.categories,
                          any && boxes.secondCategories};
    for (size_t i = 0; i < std::size(kRows); ++i) {
        for (int id : {kRows[i].label, kRows[i].box, kRows[i].pick}) {
            ShowItem(id, shown[i]);
        }
    }
    ShowItem(IDC_SERIES_MESSAGE, !any);
    const format::MenuStrings strings;
    const std::string values = strings(boxes.valuesCaption != 0 ? boxes.valuesCaption : 1159);
    if (!values.empty()) {
        SetItemText(IDC_SERIES_VALUES_LABEL, values);
    }
    const std::string category = strings(boxes.categoryCaption != 0 ? boxes.categoryCaption : 1160);
    if (!category.empty()) {
        SetItemText(IDC_SERIES_CATEGORY_LABEL, category);
    }
}

void CQVChartSeriesIn::ShowSelected() {
    const int i = Selected();
    if (i < 0) {
        for (const Row& row : kRows) {
            SetBox(row.box, {});
        }
        return;
    }
    const size_t k = static_cast<size_t>(i);
    auto at = [k](const std::vector<std::string>& list) {
        return k < list.size() ? list[k] : std::string();
    };
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    const int32_t mainType = chart.GetChartMainType();
    const int32_t subtype = chart.GetChartSubType();
    SetBox(IDC_SERIES_NAME, at(names_));
    SetBox(IDC_SERIES_Y, at(values_));
    if (mainType == core::kChartXY) {
        SetBox(IDC_SERIES_VALUES, categories_);
        SetBox(IDC_SERIES_Y, at(secondValues_));
    } else if (mainType == core::kChartBubble) {
        SetBox(IDC_SERIES_VALUES, categories_);
        SetBox(IDC_SERIES_SIZE, at(sizes_));
    } else if (mainType == core::kChartStock && (subtype == 3 || subtype == 4)) {
        SetBox(IDC_SERIES_SECOND, secondCategories_);
    }
}

void CQVChartSeriesIn::Commit(int id) {
    if (!HasWindow() || loading_) {
        return;
    }
    const std::string text = sheet_.Refs().FromShown(ItemText(id));
    if (Lower(text) == Lower(stored_[id])) {
        return;
    }
    if (!IsReference(text) && !core::IsSizeNumber(text)) {
        SetBox(id, {});
        fw::Edit(hwnd(), id).SelectAll();
        frame::QVMsgBoxEx(1187, frame::kOneButton, frame::kIconWarning);
        FocusItem(id);
        return;
    }
    const int selected = std::max(0, Selected());
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    if (id == IDC_SERIES_NAME || id == IDC_SERIES_Y) {
        if (Selected() < 0) {
            return;
        }
        const std::string name = sheet_.Refs().FromShown(ItemText(IDC_SERIES_NAME));
        const std::string values = sheet_.Refs().FromShown(ItemText(IDC_SERIES_Y));
        chart.UpdateSeries(selected, name.c_str(), values.c_str(), "", 0);
    } else {
        chart.UpdateSeries(-2, text.c_str(), "", "", 0);
    }
    stored_[id] = text;
    ReadSeries();
    FillList(selected);
    RefreshPreview();
}

void CQVChartSeriesIn::Add() {
    fw::ListBox list(hwnd(), IDC_SERIES_LIST);
    if (list.Count() > core::kWizardMaxSeries - 1) {
        return;
    }
    const bool wasEmpty = entries_.empty();
    sheet_.Chart().AddSeries(-1, "", "", "", 0);
    ReadSeries();
    FillList(static_cast<int>(entries_.size()) - 1);
    RefreshPreview();
    if (wasEmpty) {
        LayOutFields();
    }
    ShowSelected();
}

void CQVChartSeriesIn::Remove() {
    const int selected = Selected();
    if (selected < 0) {
        return;
    }
    sheet_.Chart().RemoveSeries(selected, 0);
    ReadSeries();
    RefreshPreview();
    FillList(std::min(selected, static_cast<int>(entries_.size()) - 1));
    ShowSelected();
    if (entries_.empty()) {
        LayOutFields();
    }
}

void CQVChartSeriesIn::Pick(int pickId) {
    struct Target {
        int pick;
        int box;
        uint8_t selector;
    };
    static const Target kTargets[] = {{IDC_SERIES_NAME_PICK, IDC_SERIES_NAME, 0},
                                      {IDC_SERIES_VALUES_PICK, IDC_SERIES_VALUES, 1},
                                      {IDC_SERIES_CATEGORY_PICK, IDC_SERIES_CATEGORY, 2},
                                      {IDC_SERIES_Y_PICK, IDC_SERIES_Y, 3}};
    for (const Target& t : kTargets) {
        if (t.pick == pickId) {
            frame::RangeField field;
            field.series = t.selector;
            sheet_.PickFor(Item(t.box), field);
            return;
        }
    }
}

void CQVChartSeriesIn::TakePicked(int boxId) {
    pickedBox_ = boxId;
}

bool CQVChartSeriesIn::ValidateForNext() {
    if (!HasWindow() || Selected() < 0) {
        return true;
    }
    for (int id :
         {IDC_SERIES_NAME, IDC_SERIES_VALUES, IDC_SERIES_Y, IDC_SERIES_SIZE, IDC_SERIES_CATEGORY}) {
        const std::string text = sheet_.Refs().FromShown(ItemText(id));
        if (text.empty() || IsReference(text) || Lower(text) == Lower(stored_[id])) {
            continue;
        }
        fw::Edit(hwnd(), id).SelectAll();
        FocusItem(id);
        frame::QVMsgBoxEx(1187, frame::kOneButton, frame::kIconWarning);
        FocusItem(id); // back in the box once the message is read
        return false;
    }
    return true;
}

bool CQVChartSeriesIn::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_SERIES_LIST:
        if (code == LBN_SELCHANGE) {
            ShowSelected();
            return true;
        }
        return false;
    case IDC_SERIES_ADD:
        if (code == BN_CLICKED) {
            Add();
            return true;
        }
        return false;
    case IDC_SERIES_REMOVE:
        if (code == BN_CLICKED) {
            Remove();
            return true;
        }
        return false;
    case IDC_SERIES_NAME_PICK:
    case IDC_SERIES_VALUES_PICK:
    case IDC_SERIES_CATEGORY_PICK:
    case IDC_SERIES_Y_PICK:
        if (code == BN_CLICKED) {
            Pick(id);
            return true;
        }
        return false;
    case IDC_SERIES_NAME:
    case IDC_SERIES_VALUES:
    case IDC_SERIES_Y:
    case IDC_SERIES_CATEGORY:
        if (code == EN_KILLFOCUS && !loading_ && !committing_) {
            // The focus has moved on already. Going to the box's own range
            // button is not leaving the box, nor is a window outside the
            // wizard taking the focus (a message box, another program).
            HWND focus = GetFocus();
            if (focus != Item(PickOf(id)) && focus != nullptr && IsChild(sheet_.hwnd(), focus)) {
                committing_ = true;
                Commit(id);
                committing_ = false;
            }
            return true;
        }
        if (code == EN_SETFOCUS && pickedBox_ == id) {
            // Back from the range bar: the picked text is committed at once.
            pickedBox_ = 0;
            Commit(id);
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace qv::charts
