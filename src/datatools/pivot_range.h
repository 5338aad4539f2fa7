// Pivot Table: the source range of a new pivot table and where it goes.
#pragma once

#include "datatools/analysis_common.h"
#include "frame/refs.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <string>

namespace qv::datatools {

class CQVPivotInoutRangeDlg : public TwoRangeBoxDialog {
  public:
    explicit CQVPivotInoutRangeDlg(PivotRangeRecord* record);
    ~CQVPivotInoutRangeDlg() override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    PivotRangeRecord* record_;
    fw::Font font_;
    fw::Bitmap pickImage_;
    frame::MenuRefConverter refs_;
    bool keyboardSwitched_ = false;
};

} // namespace qv::datatools
