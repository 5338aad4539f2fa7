// Data Table: the row and column input cells of a one- or two-variable data
// table. Each field of the record is written as its box passes the check;
// Cancel empties both.
#pragma once

#include "datatools/analysis_common.h"
#include "frame/refs.h"
#include "frame/script_edit.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <string>

namespace qv::datatools {

class CQVDataTableDlg : public TwoRangeBoxDialog {
  public:
    explicit CQVDataTableDlg(DataTableRecord* record);
    ~CQVDataTableDlg() override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

  private:
    using InputField = char[sizeof(DataTableRecord::rowInput)];
    static_assert(sizeof(DataTableRecord::columnInput) == sizeof(InputField));

    // Checks one box and writes its field; false after a refusal.
    bool TakeInputCell(int box, InputField& field, bool& empty);

    DataTableRecord* record_;
    fw::Font font_;
    fw::Bitmap pickImage_;
    frame::CQVScriptEdit rowInput_;
    frame::CQVScriptEdit columnInput_;
    frame::MenuRefConverter refs_;
    bool keyboardSwitched_ = false;
};

} // namespace qv::datatools
