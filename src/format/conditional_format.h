// Conditional Formatting: up to three conditions on the selected cells, each
// with the format applied when it holds. Formats are edited with the reduced
// Format Cells sheet and previewed; the record is edited while the dialog is
// open. Delete Conditional Format picks the conditions to remove.
#pragma once

#include "format/page_common.h"
#include "frame/script_edit.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv::format {

// The conditions to delete.
class CQVDeleteCondFormat : public fw::Dialog {
  public:
    explicit CQVDeleteCondFormat(const std::array<bool, 3>& shown);
    const std::array<bool, 3>& Ticked() const { return ticked_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    fw::Font font_;
    std::array<bool, 3> shown_;
    std::array<bool, 3> ticked_{};
};

class CQVConditionalFormat : public fw::Dialog {
  public:
    // Pixels the dialog grows or shrinks by for each condition group.
    static constexpr int kGroupHeight = 90;

    CQVConditionalFormat(HWND hostWindow, ConditionalFormatRecord* record);

    // Before the dialog runs: each present one-value condition shows its
    // value 1 in the single value box, which holds value 2.
    static void CopyIn(ConditionalFormatRecord* record);

    int ShownGroups() const;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    struct GroupIds {
        int frame, kind, op, value1, pick1, andLabel, value2, pick2, label, preview, format;
    };
    static const GroupIds kGroups[3];

    void SnapGroups();
    void ShowGroup(int group, bool show);
    void OperatorLayout(int group);
    void PlacePick(int boxId, int pick);
    void Add();
    void RunFormat(int group);
    void Delete();
    void ClearGroup(int group);
    void PaintPreview(int group, HDC dc, const RECT& client) const;
    // The text preview `group` draws, which is also its window text.
    std::string PreviewText(int group) const;
    void RefreshPreview(int group);
    RECT ItemRect(int id) const;
    void MoveItem(int id, int dx, int dy);
    void MoveButtons(int dy);
    void Grow(int dy);

    HWND host_;
    ConditionalFormatRecord* record_;
    std::array<bool, 3> shown_{true, false, false};
    std::array<PaintedStatic, 3> previews_;
    std::array<frame::CQVScriptEdit, 6> edits_;
    std::array<int, 3> value2Right_{}; // the right edge of each value box 2
    std::array<HWND, 6> picks_{};      // the image buttons, children of their boxes
    fw::Font font_;
    fw::Bitmap pickImage_;
    std::string noFormatText_;
};

} // namespace qv::format
