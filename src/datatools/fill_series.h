// Fill Series: along rows or columns, the type of series, the date unit, the
// step and an optional stop value. The dialog fills the host's record; the
// host fills the cells.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

namespace qv::datatools {

class CQVFillSeriesDlg : public fw::Dialog {
  public:
    explicit CQVFillSeriesDlg(FillSeriesRecord* record);

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    // The date-unit group, and the step and stop boxes with their labels.
    void EnableGroups(bool dateUnits, bool stepAndStop);
    // The value of a tested box; shows message 1189 on it when it fails.
    bool ReadTested(int box, float& value);

    fw::Font font_;
    FillSeriesRecord* record_;
};

} // namespace qv::datatools
