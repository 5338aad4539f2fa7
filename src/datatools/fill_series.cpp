#include "datatools/fill_series.h"

#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/series_rules.h"
#include "resource.h"

#include <optional>

namespace qv::datatools {
namespace {

constexpr int kBoxChars = 255;

constexpr int kTypeButtons[] = {IDC_SERIES_LINEAR, IDC_SERIES_GROWTH, IDC_SERIES_DATE,
                                IDC_SERIES_AUTOFILL};
constexpr int kUnitButtons[] = {IDC_SERIES_DAY, IDC_SERIES_WEEKDAY, IDC_SERIES_MONTH,
                                IDC_SERIES_YEAR};
constexpr uint8_t kTypeDate = 2;

// The position of the ticked button of a group, 0 when none is ticked.
template <size_t N> uint8_t TickedIndex(const fw::Dialog& dialog, const int (&buttons)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (dialog.IsChecked(buttons[i])) {
            return static_cast<uint8_t>(i);
        }
    }
    return 0;
}

bool IsArrowKey(WPARAM key) {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

} // namespace

CQVFillSeriesDlg::CQVFillSeriesDlg(FillSeriesRecord* record)
    : Dialog(IDD_FILL_SERIES), record_(record) {}

void CQVFillSeriesDlg::EnableGroups(bool dateUnits, bool stepAndStop) {
    EnableItem(IDC_SERIES_UNIT_GROUP, dateUnits);
    for (int button : kUnitButtons) {
        EnableItem(button, dateUnits);
    }
    for (int id :
         {IDC_SERIES_STEP_LABEL, IDC_SERIES_STEP, IDC_SERIES_STOP_LABEL, IDC_SERIES_STOP}) {
        EnableItem(id, stepAndStop);
    }
}

bool CQVFillSeriesDlg::OnInitDialog() {
    const int seriesIn = record_->seriesIn != 0 ? IDC_SERIES_COLUMNS : IDC_SERIES_ROWS;
    CheckRadioButton(hwnd(), IDC_SERIES_ROWS, IDC_SERIES_COLUMNS, seriesIn);
    FocusItem(seriesIn);
    const bool date = record_->type == kTypeDate;
    EnableGroups(date, true);
    CheckRadioButton(hwnd(), IDC_SERIES_LINEAR, IDC_SERIES_AUTOFILL,
                     date ? IDC_SERIES_DATE : IDC_SERIES_LINEAR);
    CheckRadioButton(hwnd(), IDC_SERIES_DAY, IDC_SERIES_YEAR, IDC_SERIES_DAY);

    fw::Edit step(hwnd(), IDC_SERIES_STEP);
    step.LimitText(kBoxChars);
    fw::Edit(hwnd(), IDC_SERIES_STOP).LimitText(kBoxChars);
    step.SetText(core::SeriesStepText(record_->step));
    FocusItem(IDC_SERIES_STEP);
    step.SelectAll();

    static const int kControls[] = {IDC_SERIES_IN_GROUP,
                                    IDC_SERIES_TYPE_GROUP,
                                    IDC_SERIES_UNIT_GROUP,
                                    IDC_SERIES_STEP_LABEL,
                                    IDC_SERIES_STOP_LABEL,
                                    IDC_SERIES_ROWS,
                                    IDC_SERIES_COLUMNS,
                                    IDC_SERIES_LINEAR,
                                    IDC_SERIES_GROWTH,
                                    IDC_SERIES_DATE,
                                    IDC_SERIES_AUTOFILL,
                                    IDC_SERIES_DAY,
                                    IDC_SERIES_WEEKDAY,
                                    IDC_SERIES_MONTH,
                                    IDC_SERIES_YEAR,
                                    IDOK,
                                    IDCANCEL,
                                    IDC_SERIES_TREND,
                                    0};
    static const int kStrings[] = {1098,
                                   1101,
                                   1106,
                                   1111,
                                   1112,
                                   1099,
                                   1100,
                                   1102,
                                   1103,
                                   1104,
                                   1105,
                                   1107,
                                   1108,
                                   1109,
                                   1110,
                                   frame::kStrOK,
                                   frame::kStrCancel,
                                   1475,
                                   0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_SERIES_STEP, IDC_SERIES_STOP});
    return false;
}

bool CQVFillSeriesDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_SERIES_LINEAR:
    case IDC_SERIES_GROWTH:
        EnableGroups(false, true);
        EnableItem(IDC_SERIES_DATE, true);
        EnableItem(IDC_SERIES_AUTOFILL, true);
        return true;
    case IDC_SERIES_DATE:
        EnableGroups(true, true);
        return true;
    case IDC_SERIES_AUTOFILL:
        EnableGroups(false, false);
        return true;
    default:
        return false;
    }
}

bool CQVFillSeriesDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN || !IsArrowKey(msg.wParam)) {
        return false;
    }
    int other = 0;
    if (msg.hwnd == Item(IDC_SERIES_ROWS)) {
        other = IDC_SERIES_COLUMNS;
    } else if (msg.hwnd == Item(IDC_SERIES_COLUMNS)) {
        other = IDC_SERIES_ROWS;
    } else {
        return false;
    }
    CheckRadioButton(hwnd(), IDC_SERIES_ROWS, IDC_SERIES_COLUMNS, other);
    FocusItem(other);
    return true;
}

bool CQVFillSeriesDlg::ReadTested(int box, float& value) {
    const std::optional<float> number = core::SeriesNumberValue(ItemText(box));
    if (!number) {
        frame::QVMsgBoxEx(1189, frame::kOneButton, frame::kIconWarning);
        FocusItem(box);
        fw::Edit(hwnd(), box).SelectAll();
        return false;
    }
    value = *number;
    return true;
}

void CQVFillSeriesDlg::OnOK() {
    record_->seriesIn = IsChecked(IDC_SERIES_COLUMNS) ? 1 : 0;
    record_->type = TickedIndex(*this, kTypeButtons);
    if (fw::Control(hwnd(), IDC_SERIES_DAY).IsEnabled()) {
        record_->dateUnit = TickedIndex(*this, kUnitButtons);
    }
    record_->trend = IsChecked(IDC_SERIES_TREND) ? 1 : 0;

    const std::string step = ItemText(IDC_SERIES_STEP);
    if (!step.empty()) {
        float value = 0;
        if (fw::Control(hwnd(), IDC_SERIES_STEP).IsEnabled()) {
            if (!ReadTested(IDC_SERIES_STEP, value)) {
                return;
            }
        } else {
            value = core::LeadingSeriesNumber(step);
        }
        record_->step = value;
    }
    fw::Control stopBox(hwnd(), IDC_SERIES_STOP);
    if (stopBox.IsEnabled() && !stopBox.Text().empty()) {
        float value = 0;
        if (!ReadTested(IDC_SERIES_STOP, value)) {
            return;
        }
        record_->stopGiven = 1;
        record_->stop = value;
    }
    EndDialog(IDOK);
}

} // namespace qv::datatools
