// Top 10 AutoFilter: the top or bottom N entries of a column, N counted in
// items or in percent. The dialog edits the host's record; the host filters.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

namespace qv::datatools {

class CQVTop10FilterDlg : public fw::Dialog {
  public:
    explicit CQVTop10FilterDlg(Top10FilterRecord* record);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    void RefuseCount(UINT message);

    fw::Font font_;
    Top10FilterRecord* record_;
};

} // namespace qv::datatools
