// Custom AutoFilter: up to two conditions on one column, joined by And or Or.
// The dialog edits the host's record; the host filters.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <cstddef>

namespace qv::datatools {

// The longest value list read from the host (65,536 rows of 256 characters).
inline constexpr size_t kValueListLimit = size_t{1} << 24;

class CQVCustomFilterDlg : public fw::Dialog {
  public:
    explicit CQVCustomFilterDlg(CustomFilterRecord* record);
    ~CQVCustomFilterDlg() override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    void FillValueLists();
    // Opens condition 1 (`first`) or 2 from the record.
    void OpenCondition(bool first);

    fw::Font font_;
    CustomFilterRecord* record_;
    bool keyboardSwitched_ = false;
};

} // namespace qv::datatools
