// Paste Special: what part of copied cells to paste, and the clipboard-format
// choice for data that comes from outside the sheet.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <cstdint>
#include <map>
#include <string>

namespace qv::workbook {

// Paste, operation, skip blanks, transpose or a paste link; the OK handler
// writes the record.
class CQVPasteSpecialDlg : public fw::Dialog {
  public:
    explicit CQVPasteSpecialDlg(QVPasteSpecialRecord* record);

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    // The checked radio of a group as its index from `first`, 0 when none.
    int CheckedIndex(int first, int last) const;
    int PasteChoice() const;
    int Operation() const;
    bool LinkAllowed() const { return record_->linkAllowed != 0; }
    // "Paste Link" is enabled exactly when the whole rule holds.
    void UpdatePasteLink();
    void EnableOperations(bool enable);
    void OnPasteChoice();

    fw::Font font_;
    QVPasteSpecialRecord* record_;
};

// Lists the clipboard formats the host can paste (mode 2) and returns the
// chosen format's number.
class CQVExtPasteSpecialDlg : public fw::Dialog {
  public:
    explicit CQVExtPasteSpecialDlg(int32_t mode);
    ~CQVExtPasteSpecialDlg() override;

    // The chosen format (0 when none was selected), or -1 after Cancel.
    int32_t Result() const { return result_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void FillFormats();
    void ShowIcon();
    void ShowDescription();

    int32_t mode_;
    int32_t result_ = -1;
    std::map<std::string, std::string> descriptions_; // listed name -> description
    HICON icon_ = nullptr;
    fw::Font font_;
};

} // namespace qv::workbook
