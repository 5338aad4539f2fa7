// Subtotal: the column whose changes start a group, the summary function, the
// columns that receive subtotals and three options, or removing all
// subtotals. The dialog edits the host's record in place: its check boxes
// and function as they are clicked, the selection array on OK.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::datatools {

class CQVSubtotalDlg : public fw::Dialog {
  public:
    explicit CQVSubtotalDlg(SubtotalRecord* record);

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

  private:
    void FillLists(const std::vector<std::string>& names, int language);
    void SetFlag(uint8_t bit, bool on);
    // "Summary below data" follows "Replace current subtotals" when the
    // options say so.
    void UpdateSummaryBelow();
    void UpdateOK();
    std::vector<bool> Ticked() const;
    // Writes the selection array and closes with OK.
    void Accept();
    // Focuses a drop-down list and opens it.
    void DropDown(int id);

    fw::Font font_;
    fw::Font englishFont_;
    fw::Font localFont_;
    SubtotalRecord* record_;
};

} // namespace qv::datatools
