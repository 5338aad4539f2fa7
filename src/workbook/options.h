// The Options sheet: a General page of view options that travel in the
// host's record, and a Custom Lists page that keeps the user's custom lists
// in the store the host's auto-fill reads.
#pragma once

#include "frame/range_bar.h"
#include "frame/refs.h"
#include "frame/sheet_buttons.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvssd/records.h"
#include "qvstore/custom_list_store.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::workbook {

class CQVSSOptionsSheet;

// View flags, comments, outline symbols and the user name.
class CQVOptionGeneral : public fw::SheetPage {
  public:
    CQVOptionGeneral(CQVSSOptionsSheet& sheet, const QVOptionsRecord& record);

    // Writes the page's choices into the record; bits the page does not
    // show pass through.
    void WriteTo(QVOptionsRecord& record) const;

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;

  private:
    CQVSSOptionsSheet& sheet_;
    uint8_t viewFlags_;
    uint8_t comments_;
    uint8_t outline_;
    std::string userName_;
    bool layoutBarShown_ = true;
    fw::Font font_;
};

// The custom lists of the menu language: the new-list item, the built-in
// lists (shown, never changed) and the user's lists, in table order.
class CQVSSCustomLists : public fw::SheetPage {
  public:
    CQVSSCustomLists(CQVSSOptionsSheet& sheet, std::string selection);

    // The sheet's OK: false (after a message, with the focus in the import
    // box) when the import box holds no valid range.
    bool CheckImportRange();
    // The sheet's OK: saves the entries box as a list; false when a rule or
    // the store refused it (after its message).
    bool SaveEntries();

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    enum class Saved { Added, Duplicate, Refused };

    void FillLists();
    void ShowSelected();
    void SelectList(int index);
    bool IsBuiltIn(int index) const;
    void Add();
    void Delete();
    void Import();
    // Saves entries as a list; `replace` deletes the selected list in the
    // same change. Shows the message of a broken rule or a store failure.
    Saved SaveList(const std::vector<std::string>& entries, bool replace);
    std::string ImportRangeAsA1();

    CQVSSOptionsSheet& sheet_;
    std::string selection_;
    std::string newListText_;
    std::vector<store::StoredList> lists_; // list box item i + 1
    store::ListLanguage language_;
    frame::MenuRefConverter refs_;
    fw::Bitmap pickImage_;
    fw::Font font_;
};

// Import Custom Lists: whether a block of cells makes its list along rows
// or down columns.
class CQVImportListsDlg : public fw::Dialog {
  public:
    CQVImportListsDlg();
    bool Columns() const { return columns_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    bool columns_ = true;
    fw::Font font_;
};

class CQVSSOptionsSheet : public fw::Sheet, public frame::RangeBarOwner {
  public:
    explicit CQVSSOptionsSheet(QVOptionsRecord* record);

    // Runs the sheet; the record holds the choices after OK and the active
    // page after OK or Cancel.
    INT_PTR Run();

    void PageShown(int index) { activePage_ = index; }
    void PickImportRange(HWND edit);

    // frame::RangeBarOwner
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    void OnInitSheet() override;
    bool OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    // OK: false keeps the sheet open.
    bool Accept();

    QVOptionsRecord* record_;
    int activePage_;
    frame::SheetButtonLabels buttons_;
    CQVOptionGeneral general_;
    CQVSSCustomLists lists_;
};

} // namespace qv::workbook
