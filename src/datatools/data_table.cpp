#include "datatools/data_table.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/what_if.h"
#include "resource.h"

namespace qv::datatools {
namespace {

// A box holds what its field holds. In the local menu a column letter may
// take several characters; the field then receives the A1 form, which
// always fits once it has passed the check.
constexpr int kEnglishBoxLimit = static_cast<int>(sizeof(DataTableRecord::rowInput)) - 1;
constexpr int kLocalBoxLimit = 64;

} // namespace

CQVDataTableDlg::CQVDataTableDlg(DataTableRecord* record)
    : TwoRangeBoxDialog(IDD_DATA_TABLE, {IDC_DT_ROW_INPUT, IDC_DT_ROW_PICK, IDC_DT_COLUMN_INPUT,
                                         IDC_DT_COLUMN_PICK}),
      record_(record) {}

CQVDataTableDlg::~CQVDataTableDlg() {
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

bool CQVDataTableDlg::OnInitDialog() {
    static const int kControls[] = {IDC_DT_ROW_LABEL, IDC_DT_COLUMN_LABEL, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {1629, 1630, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_,
                         {IDC_DT_ROW_INPUT, IDC_DT_COLUMN_INPUT}, true);
    keyboardSwitched_ = frame::IsLocalMenu();
    SetPickImages(*this, pickImage_, {IDC_DT_ROW_PICK, IDC_DT_COLUMN_PICK});
    rowInput_.Attach(hwnd(), IDC_DT_ROW_INPUT);
    columnInput_.Attach(hwnd(), IDC_DT_COLUMN_INPUT);
    const int limit = frame::IsLocalMenu() ? kLocalBoxLimit : kEnglishBoxLimit;
    for (int id : {IDC_DT_ROW_INPUT, IDC_DT_COLUMN_INPUT}) {
        fw::Edit(hwnd(), id).LimitText(limit);
    }
    return true;
}

bool CQVDataTableDlg::TakeInputCell(int box, InputField& field, bool& empty) {
    const std::string a1 = refs_.FromShown(ItemText(box));
    switch (core::CheckInputCell(a1)) {
    case core::InputCellCheck::Empty:
    case core::InputCellCheck::Cell:
        CopyToField(field, core::FieldReference(a1));
        empty = field[0] == '\0';
        return true;
    case core::InputCellCheck::NotSingleCell:
        ShowMessage({1290, true});
        break;
    case core::InputCellCheck::NotACell:
        ShowMessage({1193, true});
        break;
    }
    FocusAndSelect(*this, box);
    return false;
}

void CQVDataTableDlg::OnOK() {
    bool rowEmpty = false;
    bool columnEmpty = false;
    if (!TakeInputCell(IDC_DT_ROW_INPUT, record_->rowInput, rowEmpty) ||
        !TakeInputCell(IDC_DT_COLUMN_INPUT, record_->columnInput, columnEmpty)) {
        return;
    }
    if (rowEmpty && columnEmpty) {
        ShowMessage({1290, false});
        FocusItem(IDC_DT_ROW_INPUT);
        return;
    }
    EndDialog(IDOK);
}

void CQVDataTableDlg::OnCancel() {
    record_->rowInput[0] = '\0';
    record_->columnInput[0] = '\0';
    EndDialog(IDCANCEL);
}

} // namespace qv::datatools
