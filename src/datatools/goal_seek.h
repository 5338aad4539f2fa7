// Goal Seek: the cell whose value is to reach a target, the target and the
// cell to change. The host checks both cell texts while the dialog is open
// and searches once it has closed.
#pragma once

#include "frame/range_bar.h"
#include "frame/script_edit.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <string>

namespace qv::datatools {

class CQVGoalSeekDlg : public fw::Dialog, public frame::RangeBarOwner {
  public:
    explicit CQVGoalSeekDlg(GoalSeekRecord* record);
    ~CQVGoalSeekDlg() override;

    // frame::RangeBarOwner
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

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
