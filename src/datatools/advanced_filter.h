// Advanced Filter: a list range, a criteria range and an optional copy-to
// range, typed or picked in the sheet, and whether only unique records are
// kept. The dialog edits the host's record; the host filters.
#pragma once

#include "frame/range_bar.h"
#include "frame/refs.h"
#include "frame/script_edit.h"
#include "framework/accessible.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/subclass.h"
#include "qvssd/records.h"

#include <array>
#include <string>

namespace qv::datatools {

// A picture button beside a range box: screen readers hear it by the box's
// label, since its picture has no text.
class PickButton : public fw::SubclassedWindow, public fw::AccessibleSource {
  public:
    bool Attach(HWND dialog, int id, std::string name);
    std::string AccessibleName() const override { return name_; }
    long AccessibleRole() const override;

  private:
    std::string name_;
};

class CQVAdvancedFilterDlg : public fw::Dialog, public frame::RangeBarOwner {
  public:
    explicit CQVAdvancedFilterDlg(AdvancedFilterRecord* record);

    // frame::RangeBarOwner
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void EnableCopyTo(bool enable);
    // Shows the message, focuses the box and selects its text.
    void Refuse(UINT message, int box);

    fw::Font font_;
    fw::Bitmap pickImage_;
    std::array<frame::CQVScriptEdit, 3> boxes_;
    std::array<PickButton, 3> picks_;
    frame::MenuRefConverter refs_;
    AdvancedFilterRecord* record_;
};

} // namespace qv::datatools
