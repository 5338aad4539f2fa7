// Pivot Table: the source range of a new pivot table and where it goes.
#pragma once

#include "frame/range_bar.h"
#include "frame/refs.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <string>

namespace qv::datatools {

class CQVPivotInoutRangeDlg : public fw::Dialog, public frame::RangeBarOwner {
  public:
    explicit CQVPivotInoutRangeDlg(PivotRangeRecord* record);
    ~CQVPivotInoutRangeDlg() override;

    // frame::RangeBarOwner
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    PivotRangeRecord* record_;
    fw::Font font_;
    fw::Bitmap pickImage_;
    frame::MenuRefConverter refs_;
    bool keyboardSwitched_ = false;
};

} // namespace qv::datatools
