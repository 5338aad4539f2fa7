#include "datatools/top10_filter.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/filter_rules.h"
#include "resource.h"

#include <iterator>
#include <string>
#include <vector>

namespace qv::datatools {
namespace {

// The spin button reaches further than OK accepts: 501 to 1000 are refused.
constexpr int kSpinLow = 1;
constexpr int kSpinHigh = 1000;
constexpr int kSpinStart = 10;
constexpr int kCountChars = 4;

} // namespace

CQVTop10FilterDlg::CQVTop10FilterDlg(Top10FilterRecord* record)
    : Dialog(IDD_TOP10_FILTER), record_(record) {}

bool CQVTop10FilterDlg::OnInitDialog() {
    static const int kControls[] = {
        IDC_TOP10_SHOW, IDC_TOP10_DIRECTION, IDC_TOP10_UNIT, IDC_TOP10_COUNT, IDOK, IDCANCEL};
    static const int kStrings[] = {1437, 0, 0, 0, frame::kStrCountedOK, frame::kStrCountedCancel};
    frame::RelabelCounted(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                          kStrings, static_cast<int>(std::size(kControls)), font_);

    // Top, bottom; items, percent.
    const std::vector<std::string> entries =
        frame::LoadLangStrings({1438, 1439, 1440, 1441}, true, frame::HostMenuLanguage());
    fw::ComboBox direction(hwnd(), IDC_TOP10_DIRECTION);
    direction.Add(entries[0]);
    direction.Add(entries[1]);
    fw::ComboBox unit(hwnd(), IDC_TOP10_UNIT);
    unit.Add(entries[2]);
    unit.Add(entries[3]);
    direction.Select(0);
    unit.Select(0);

    fw::UpDown spin(hwnd(), IDC_TOP10_SPIN);
    spin.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_TOP10_COUNT)), 0);
    spin.SetRange(kSpinLow, kSpinHigh);
    spin.SetPos(kSpinStart);
    fw::Edit count(hwnd(), IDC_TOP10_COUNT);
    count.LimitText(kCountChars);
    count.SetText(std::to_string(record_->count));
    FocusItem(IDC_TOP10_COUNT);

    if (record_->top == 0) {
        direction.Select(1);
    }
    if (record_->firstUnit == 0) {
        unit.Select(1);
    }
    return false;
}

void CQVTop10FilterDlg::RefuseCount(UINT message) {
    frame::QVMsgBox(message, frame::kOneButton);
    FocusItem(IDC_TOP10_COUNT);
    fw::Edit(hwnd(), IDC_TOP10_COUNT).SelectAll();
}

void CQVTop10FilterDlg::OnOK() {
    const core::Top10Count count = core::CheckTop10Count(ItemText(IDC_TOP10_COUNT));
    if (count.verdict == core::Top10Verdict::NotWhole) {
        RefuseCount(1192);
        return;
    }
    if (count.verdict == core::Top10Verdict::OutOfRange) {
        RefuseCount(1250);
        return;
    }
    record_->count = static_cast<uint16_t>(count.value);
    record_->top = fw::ComboBox(hwnd(), IDC_TOP10_DIRECTION).Selection() == 0 ? 1 : 0;
    record_->firstUnit = fw::ComboBox(hwnd(), IDC_TOP10_UNIT).Selection() == 0 ? 1 : 0;
    EndDialog(IDOK);
}

} // namespace qv::datatools
