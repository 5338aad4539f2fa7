// Goal Seek: the cell whose value is to reach a target, the target and the
// cell to change. The host checks both cell texts while the dialog is open
// and searches once it has closed.
#pragma once

#include "datatools/analysis_common.h"
#include "frame/script_edit.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <string>

namespace qv::datatools {

class CQVGoalSeekDlg : public TwoRangeBoxDialog {
  public:
    explicit CQVGoalSeekDlg(GoalSeekRecord* record);
    ~CQVGoalSeekDlg() override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool CanPick() const override { return !checking_; }

  private:
    // Asks the host about the text of one cell box (returned in `text`);
    // false (after telling the user and selecting the box) when it is
    // refused or the dialog ended meanwhile.
    bool HostAccepts(int box, bool goalCell, std::string& text);

    GoalSeekRecord* record_;
    fw::Font font_;
    fw::Bitmap pickImage_;
    frame::CQVScriptEdit setCell_;
    frame::CQVScriptEdit changingCell_;
    bool keyboardSwitched_ = false;
    // The host is checking a reference: OK and the pick buttons wait.
    bool checking_ = false;
};

} // namespace qv::datatools
