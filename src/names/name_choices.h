// Create Names, Apply Names and Paste Name: the dialogs only choose; the host
// creates, applies or pastes.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "names/name_list.h"
#include "qvssd/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::names {

// From which edges of the selection the host takes the labels of new names.
class CQVNameCreateDlg : public fw::Dialog {
  public:
    enum Edge : uint8_t { kTopRow = 1, kLeftColumn = 2, kBottomRow = 4, kRightColumn = 8 };

    explicit CQVNameCreateDlg(uint8_t flags);
    uint8_t Flags() const { return flags_; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    fw::Font font_;
    uint8_t flags_;
};

// The names the host substitutes for references in formulas. The record's
// options change as their boxes are clicked; OK appends the list indexes of
// the chosen names to the record, in ascending order.
class CQVNameApplyDlg : public fw::Dialog {
  public:
    // `record` must be writable and its names array readable (the export checks).
    explicit CQVNameApplyDlg(NameApplyRecord* record);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void UpdateOK();

    NameApplyRecord* record_;
    CQVNameList list_;
    ScriptFonts fonts_;
    fw::Font font_;
};

// One name to paste into the cell being edited, or the whole list. OK writes
// the chosen name (and its language); Paste List only sets its flag.
class CQVNamePasteDlg : public fw::Dialog {
  public:
    // Flag of the record set by Paste List.
    static constexpr uint8_t kPasteList = 16;

    // `record` must be writable (the export checks).
    explicit CQVNamePasteDlg(NamePasteRecord* record);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void UpdateOK();

    NamePasteRecord* record_;
    std::vector<std::string> names_;
    std::vector<uint32_t> languages_;
    CQVNameList list_;
    ScriptFonts fonts_;
    fw::Font font_;
};

} // namespace qv::names
