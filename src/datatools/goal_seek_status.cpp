#include "datatools/goal_seek_status.h"

#include "frame/host_data.h"
#include "frame/localize.h"
#include "qvcore/what_if.h"
#include "resource.h"

namespace qv::datatools {
namespace {

// The sentence of each status; another status keeps the template's.
int StatusString(uint8_t status) {
    switch (status) {
    case 0:
        return 1443;
    case 1:
        return 1444;
    case 2:
        return 1447;
    default:
        return 0;
    }
}

} // namespace

CQVGoalSeekStatusDlg::CQVGoalSeekStatusDlg(const GoalSeekStatusRecord* record)
    : Dialog(IDD_GOAL_SEEK_STATUS), record_(record) {}

bool CQVGoalSeekStatusDlg::OnInitDialog() {
    static const int kControls[] = {
        IDC_GSS_CELL, IDC_GSS_STATUS, IDC_GSS_TARGET, IDC_GSS_CURRENT, IDOK, IDCANCEL, 0};
    const int strings[] = {
        1442, StatusString(record_->status), 1445, 1446, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, strings, font_);

    const auto follow = [this](int id, const std::string& value) {
        SetItemText(id, ItemText(id) + " " + value);
    };
    follow(IDC_GSS_CELL, frame::ReadHostTextShown(record_->cell, sizeof record_->cell));
    follow(IDC_GSS_TARGET, core::StatusValueText(record_->targetValue));
    follow(IDC_GSS_CURRENT, core::StatusValueText(record_->currentValue));
    return true;
}

} // namespace qv::datatools
