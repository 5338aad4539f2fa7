// Goal Seek Status: the outcome of the host's search, the goal cell and the
// value sought next to the value reached.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

namespace qv::datatools {

class CQVGoalSeekStatusDlg : public fw::Dialog {
  public:
    explicit CQVGoalSeekStatusDlg(const GoalSeekStatusRecord* record);

  protected:
    bool OnInitDialog() override;

  private:
    const GoalSeekStatusRecord* record_;
    fw::Font font_;
};

} // namespace qv::datatools
