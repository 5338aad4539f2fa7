// Inserts, edits or removes the hyperlink of a cell.
#pragma once

#include "frame/script_edit.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <cstdint>
#include <string>

namespace qv::workbook {

class CQVHyperLinkDlg : public fw::Dialog {
  public:
    explicit CQVHyperLinkDlg(QVHyperLinkRecord* record);

    // Writes the outcome into the record: new copies of both texts from the
    // shared heap (an empty address after Remove), the script and the
    // remove flag. Only after the dialog ended with OK or Remove.
    void CopyOut() const;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void Browse();
    void Remove();
    void UpdateOK();

    fw::Font font_;
    frame::CQVScriptEdit linkText_;
    QVHyperLinkRecord* record_;
    // The outcome, kept for the copy-out.
    std::string text_;
    std::string address_;
    uint8_t script_ = 1;
    bool removed_ = false;
};

} // namespace qv::workbook
