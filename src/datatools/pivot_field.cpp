#include "datatools/pivot_field.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "qvcore/pivot.h"
#include "resource.h"

namespace qv::datatools {

CQVPivotTableFieldDlg::CQVPivotTableFieldDlg(PivotFieldRecord* record)
    : Dialog(IDD_PIVOT_FIELD), record_(record),
      language_(record->language == frame::kEnglish ? frame::kEnglish : frame::kLocal) {}

bool CQVPivotTableFieldDlg::OnInitDialog() {
    static const int kControls[] = {IDC_PF_SOURCE_LABEL, IDC_PF_NAME_LABEL, IDC_PF_FUNCTIONS_LABEL,
                                    IDOK, IDCANCEL};
    static const int kStrings[] = {1633, 1634, 1635, frame::kStrCountedOK,
                                   frame::kStrCountedCancel};
    if (frame::RelabelCounted(hwnd(), frame::DialogStringsPath(language_), kControls, kStrings, 5,
                              font_)) {
        for (int id : {IDC_PF_SOURCE, IDC_PF_NAME, IDC_PF_FUNCTIONS}) {
            fw::Control(hwnd(), id).SetFont(font_.get());
        }
    }
    field_ = frame::ReadHostTextShown(record_->fieldName, sizeof record_->fieldName - 1);
    SetItemText(IDC_PF_SOURCE, field_);

    fw::ListBox list(hwnd(), IDC_PF_FUNCTIONS);
    for (unsigned id : core::kSummaryFunctionStrings) {
        std::string name = frame::LoadLangString(id, true, language_);
        if (name.empty()) {
            name = frame::LoadLangString(id, true, frame::kEnglish);
        }
        list.Add(name);
        functions_.push_back(std::move(name));
    }
    list.Select(static_cast<int>(core::SummaryFunctionEntry(record_->summaryFunction)));
    ShowName();
    list.Focus();
    return false;
}

void CQVPivotTableFieldDlg::ShowName() {
    const int selected = fw::ListBox(hwnd(), IDC_PF_FUNCTIONS).Selection();
    if (selected >= 0 && static_cast<size_t>(selected) < functions_.size()) {
        SetItemText(IDC_PF_NAME,
                    core::SummaryName(functions_[static_cast<size_t>(selected)], field_));
    }
}

bool CQVPivotTableFieldDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_PF_FUNCTIONS && code == LBN_SELCHANGE) {
        ShowName();
        return true;
    }
    if (id == IDC_PF_FUNCTIONS && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return false;
}

void CQVPivotTableFieldDlg::OnOK() {
    const int selected = fw::ListBox(hwnd(), IDC_PF_FUNCTIONS).Selection();
    if (selected >= 0) {
        record_->summaryFunction = static_cast<uint32_t>(selected);
    }
    EndDialog(IDOK);
}

} // namespace qv::datatools
