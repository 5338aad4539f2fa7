// Insert Function: picks a worksheet function by category or by a short
// search, shows its syntax and description, and returns its name and id.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/library.h"
#include "qvcore/function_catalogue.h"
#include "qvssd/records.h"

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
    std::vector<int> RecentIds() const;

    fw::Library richEdit_; // the search box's window class
    fw::Font font_;
    fw::Font boldFont_;
    QVInsertFunctionRecord* record_;
    bool keyboardSwitched_ = false;
};

} // namespace qv::workbook
