// The Print dialog: the system print dialog on the library's template, with a
// hook that relabels it and adds "Print what", a collate picture, our own
// "Print to file" and the Print To File dialog; and the record it fills.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <commdlg.h>

#include <string>

namespace qv::pagesetup {

// The name of the file to print to; the file is created (emptied) on OK.
class CQVPrintToFileDlg : public fw::Dialog {
  public:
    CQVPrintToFileDlg();
    const std::string& FileName() const { return fileName_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    fw::Font font_;
    std::string fileName_;
};

class CQVPrintDialog {
  public:
    // Keeps the record's address and sets its collate bit.
    explicit CQVPrintDialog(PrintRecord* record);
    ~CQVPrintDialog();
    CQVPrintDialog(const CQVPrintDialog&) = delete;
    CQVPrintDialog& operator=(const CQVPrintDialog&) = delete;

    // Runs the system dialog: IDOK or IDCANCEL.
    INT_PTR DoModal();
    // The dialog ended through "Preview".
    bool Preview() const { return preview_; }
    // After OK: printer, port, range, a copy of the dialog's data and a
    // printer device context into the record.
    void CopyOut();

  private:
    static UINT_PTR CALLBACK PrintHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT_PTR CALLBACK SetupHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    void OnInit(HWND dialog);
    // True when the command is handled here (the system dialog skips it).
    bool OnCommand(HWND dialog, int id, int code);
    bool CheckPagesAndCopies(HWND dialog, bool storeCopies);
    bool OnOK(HWND dialog);
    void Relabel(HWND dialog);
    void ShowCollate(HWND dialog);

    PrintRecord* record_;
    PRINTDLGA pd_{};
    fw::Font font_;
    fw::Bitmap collated_;
    fw::Bitmap notCollated_;
    bool preview_ = false;
};

} // namespace qv::pagesetup
