#include "datatools/pivot_range.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "qvcore/cellref.h"
#include "qvcore/what_if.h"
#include "resource.h"

namespace qv::datatools {
namespace {

// A box holds what its field holds; in the local menu a column letter may
// take several characters, and the field receives the A1 form, which fits
// once it has passed the check.
constexpr int kLocalBoxLimit = 128;

} // namespace

CQVPivotInoutRangeDlg::CQVPivotInoutRangeDlg(PivotRangeRecord* record)
    : TwoRangeBoxDialog(IDD_PIVOT_RANGE,
                        {IDC_PR_INPUT, IDC_PR_INPUT_PICK, IDC_PR_OUTPUT, IDC_PR_OUTPUT_PICK}),
      record_(record) {}

CQVPivotInoutRangeDlg::~CQVPivotInoutRangeDlg() {
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

bool CQVPivotInoutRangeDlg::OnInitDialog() {
    static const int kControls[] = {IDC_PR_INPUT_LABEL, IDC_PR_OUTPUT_LABEL, IDOK, IDCANCEL};
    static const int kStrings[] = {1631, 1632, frame::kStrCountedOK, frame::kStrCountedCancel};
    if (frame::RelabelCounted(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()),
                              kControls, kStrings, 4, font_)) {
        for (int id : {IDC_PR_INPUT, IDC_PR_OUTPUT}) {
            fw::Control(hwnd(), id).SetFont(font_.get());
        }
    }
    SetPickImages(*this, pickImage_, {IDC_PR_INPUT_PICK, IDC_PR_OUTPUT_PICK});
    const bool local = frame::IsLocalMenu();
    fw::Edit(hwnd(), IDC_PR_INPUT)
        .LimitText(local ? kLocalBoxLimit : static_cast<int>(sizeof record_->inputRange) - 1);
    fw::Edit(hwnd(), IDC_PR_OUTPUT)
        .LimitText(local ? kLocalBoxLimit : static_cast<int>(sizeof record_->outputRange) - 1);
    SetItemText(IDC_PR_INPUT, refs_.ToShown(frame::ReadHostTextShown(
                                  record_->inputRange, sizeof record_->inputRange - 1)));
    if (local) {
        frame::SetInputLanguage(true);
        keyboardSwitched_ = true;
    }
    return true;
}

void CQVPivotInoutRangeDlg::OnOK() {
    const std::string input = core::FieldReference(refs_.FromShown(ItemText(IDC_PR_INPUT)));
    if (!core::IsRangeRef(input)) {
        ShowMessage({1187, true});
        FocusAndSelect(*this, IDC_PR_INPUT);
        return;
    }
    const std::string output = core::FieldReference(refs_.FromShown(ItemText(IDC_PR_OUTPUT)));
    if (!frame::IsCellOrRangeRef(output)) {
        ShowMessage({1187, true});
        FocusAndSelect(*this, IDC_PR_OUTPUT);
        return;
    }
    CopyToField(record_->inputRange, input);
    CopyToField(record_->outputRange, output);
    EndDialog(IDOK);
}

} // namespace qv::datatools
