// Insert Function: picks a worksheet function by category or by a short
// search, shows its syntax and description, and returns its name and id.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/library.h"
#include "qvcore/function_catalogue.h"
#include "qvssd/records.h"

#include <string>
#include <vector>

namespace qv::workbook {

class CQVInsertFunctionDlg : public fw::Dialog {
  public:
    explicit CQVInsertFunctionDlg(QVInsertFunctionRecord* record);
    ~CQVInsertFunctionDlg() override;

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    // The category combo: the nine categories, plus the search item.
    void FillCategories(bool withSearch);
    // The function list of the selected category.
    void FillFunctions();
    void ShowEntries(const std::vector<core::CatalogueEntry>& entries);
    void ShowSyntax();
    void Go();
    // A string of the catalogue; empty for id 0 or without the library.
    std::string Load(int id) const;

    fw::Library richEdit_;    // the search box's window class
    fw::Library catalogue_;   // the dialog-string library of the menu language
    std::vector<int> recent_; // the profile's recent function ids, most recent first
    fw::Font font_;
    fw::Font boldFont_;
    QVInsertFunctionRecord* record_;
    bool keyboardSwitched_ = false;
};

} // namespace qv::workbook
