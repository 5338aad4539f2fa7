// The field drop-down of a pivot table: pops up under the field's button and
// lets the user tick which of the field's items are shown. The list is
// virtual (the dialog answers for every row), so that fields with many
// thousands of items open and toggle at once.
#pragma once

#include "framework/accessible.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/subclass.h"
#include "qvcore/pivot.h"
#include "qvssd/records.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::datatools {

// The list view of the drop-down with its tick boxes in the dialog's hands:
// a click on a box or a double click on a row, and Space on the focused row,
// ask the dialog to toggle that row; the list itself keeps no ticks.
class PivotCheckList : public fw::SubclassedWindow {
  public:
    void SetToggle(std::function<void(int row)> toggle) { toggle_ = std::move(toggle); }
    int FocusedRow() const;
    void FocusRow(int row) const;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // The row under a point of the client area, or -1; `onBox` when the point
    // is on the row's tick box.
    int RowAt(LPARAM point, bool& onBox) const;

    std::function<void(int row)> toggle_;
};

class CQVPivotDropDownDlg : public fw::Dialog, public fw::AccessibleSource {
  public:
    // `items` is the record's field object, already found readable and writable.
    CQVPivotDropDownDlg(const PivotFieldRecord* record, QVPivotFieldItems* items);

    // What a screen reader hears of the list: the field's name, and the
    // focused item with its tick.
    std::string AccessibleName() const override { return fieldName_; }
    std::string AccessibleValue() const override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

  private:
    void ReadItems();
    void PlaceAt(int left, int top);
    void ToggleRow(int row);
    void ShowChange(const core::PivotItemTicks::Change& change);
    const std::string& RowText(int row) const;
    int FindRow(const std::string& prefix, int start) const;

    const PivotFieldRecord* record_;
    QVPivotFieldItems* items_;
    int language_;
    fw::Font font_;
    std::string fieldName_;
    std::string allItems_;
    std::string tickedWord_;
    std::string clearWord_;
    std::vector<std::string> texts_;      // as the host holds them
    std::vector<std::string> shownTexts_; // as the list shows them
    core::PivotItemTicks ticks_;
    PivotCheckList list_;
};

} // namespace qv::datatools
