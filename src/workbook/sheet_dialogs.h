// Dialogs of the host's sheet and file commands: Move or Copy, Unhide,
// Password and the file-feature details box.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"
#include "workbook/sheet_texts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::workbook {

// Where the selected sheets go and whether they are copied.
class CQVMoveOrCopyDlg : public fw::Dialog {
  public:
    explicit CQVMoveOrCopyDlg(QVMoveOrCopyRecord* record);

    // The most workbooks taken from the record.
    static constexpr int32_t kMaxBooks = 4096;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void ReadBooks();
    void FillSheets();

    fw::Font font_;
    QVMoveOrCopyRecord* record_;
    std::vector<PackedBook> books_;
};

// Picks one hidden sheet to show again; OK writes its name into the buffer.
class CQVUnhideSheetDlg : public fw::Dialog {
  public:
    explicit CQVUnhideSheetDlg(char* buffer);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    fw::Font font_;
    char* buffer_;
    size_t bufferText_ = 0; // length of the text the buffer held
};

// Asks for the password of a protected workbook.
class CQVPasswordDlg : public fw::Dialog {
  public:
    explicit CQVPasswordDlg(const char* path);

    // The longest password the box takes.
    static constexpr int kMaxPassword = 255;

    const std::string& Password() const { return password_; }
    const std::string& Prompt() const { return prompt_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    fw::Font font_;
    std::string password_;
    std::string prompt_;
};

// Tells the user which features of an opened file are not supported.
class CQVErrorDetailsDlg : public fw::Dialog {
  public:
    explicit CQVErrorDetailsDlg(std::string message);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void Toggle();

    std::string message_;
    bool expanded_ = true;
};

} // namespace qv::workbook
