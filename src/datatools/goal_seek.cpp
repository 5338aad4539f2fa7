#include "datatools/goal_seek.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "qvcore/numbers.h"
#include "qvcore/what_if.h"
#include "resource.h"

namespace qv::datatools {
namespace {

// The longest cell text the record's fields hold.
constexpr size_t kCellLimit = sizeof(GoalSeekRecord::setCell) - 1;
static_assert(sizeof(GoalSeekRecord::changingCell) - 1 == kCellLimit);

} // namespace

CQVGoalSeekDlg::CQVGoalSeekDlg(GoalSeekRecord* record)
    : TwoRangeBoxDialog(IDD_GOAL_SEEK, {IDC_GS_SET_CELL, IDC_GS_SET_CELL_PICK, IDC_GS_CHANGING_CELL,
                                        IDC_GS_CHANGING_CELL_PICK}),
      record_(record) {}

CQVGoalSeekDlg::~CQVGoalSeekDlg() {
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

bool CQVGoalSeekDlg::OnInitDialog() {
    static const int kControls[] = {IDC_GS_SET_CELL_LABEL,
                                    IDC_GS_TO_VALUE_LABEL,
                                    IDC_GS_CHANGING_CELL_LABEL,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {1417, 1418, 1419, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_,
                         {IDC_GS_SET_CELL, IDC_GS_TO_VALUE, IDC_GS_CHANGING_CELL}, true);
    keyboardSwitched_ = frame::IsLocalMenu();
    SetPickImages(*this, pickImage_, {IDC_GS_SET_CELL_PICK, IDC_GS_CHANGING_CELL_PICK});

    setCell_.Attach(hwnd(), IDC_GS_SET_CELL);
    changingCell_.Attach(hwnd(), IDC_GS_CHANGING_CELL);
    for (int id : {IDC_GS_SET_CELL, IDC_GS_CHANGING_CELL}) {
        fw::Edit(hwnd(), id).LimitText(static_cast<int>(kCellLimit));
    }
    SetItemText(IDC_GS_SET_CELL, frame::ReadHostTextShown(record_->setCell, kCellLimit));
    SetItemText(IDC_GS_CHANGING_CELL, frame::ReadHostTextShown(record_->changingCell, kCellLimit));
    return true;
}

bool CQVGoalSeekDlg::HostAccepts(int box, bool goalCell, std::string& text) {
    // The host checks, and the record receives, the host's form of the text.
    text = frame::ToHostText(ItemText(box));
    core::RefVerdict verdict;
    if (text.size() > kCellLimit) {
        // A picked text longer than the record holds is no cell of ours.
        verdict.message = {1187, true};
    } else {
        // Cleared after the answer; kept with its text when none came.
        frame::HostParcel<QVString> reference(QVString{nullptr});
        QVStringAssign(reference.get(), text.c_str());
        checking_ = true;
        bool answered = false;
        const LRESULT answer = frame::SendToFrame(
            WM_QV_CHECKREF, reinterpret_cast<WPARAM>(reference.get()), goalCell ? 1 : 0, &answered);
        checking_ = false;
        reference.Sent(answered);
        if (answered) {
            QVStringClear(reference.get());
        }
        if (IsEnded() || hwnd() == nullptr) {
            return false; // cancelled while the host was checking
        }
        verdict = core::GoalSeekVerdict(static_cast<uint8_t>(answer & 0xFF), goalCell, text);
    }
    if (verdict.accepted) {
        return true;
    }
    ShowMessage(verdict.message);
    if (!IsEnded() && hwnd() != nullptr) {
        FocusAndSelect(*this, box);
    }
    return false;
}

void CQVGoalSeekDlg::OnOK() {
    if (checking_) {
        return; // the host has not answered the first OK yet
    }
    // What the host checked is what the record receives, whatever the user
    // typed while the host was busy.
    std::string setCell;
    std::string changingCell;
    if (!HostAccepts(IDC_GS_SET_CELL, true, setCell)) {
        return;
    }
    const std::string toValue = ItemText(IDC_GS_TO_VALUE);
    if (!core::IsPlainNumber(toValue)) {
        ShowMessage({1186, false});
        FocusAndSelect(*this, IDC_GS_TO_VALUE);
        return;
    }
    if (!HostAccepts(IDC_GS_CHANGING_CELL, false, changingCell)) {
        return;
    }
    CopyToField(record_->setCell, setCell);
    record_->toValue = core::SizeNumberValue(toValue);
    CopyToField(record_->changingCell, changingCell);
    EndDialog(IDOK);
}

} // namespace qv::datatools
