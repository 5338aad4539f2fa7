// Pivot Table Field: the summary function of a data field.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <string>
#include <vector>

namespace qv::datatools {

class CQVPivotTableFieldDlg : public fw::Dialog {
  public:
    explicit CQVPivotTableFieldDlg(PivotFieldRecord* record);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void ShowName();

    PivotFieldRecord* record_;
    int language_;
    fw::Font font_;
    std::string field_;
    std::vector<std::string> functions_;
};

} // namespace qv::datatools
