// The Pattern page of the Format Cells sheet: the cell's fill colour from the
// host's palette (or none), one of 33 pattern styles chosen from a popup bar,
// the pattern colour, and a sample painted with the pattern brush.
#pragma once

#include "format/page_common.h"
#include "framework/accessible_controls.h"
#include "framework/colour_picker.h"
#include "framework/gdi.h"
#include "framework/popup_bar.h"
#include "framework/sheet.h"
#include "framework/subclass.h"
#include "qvssd/records.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qv::format {

class CQVFormatCells;

// The closed pattern drop-down: pressing it (mouse, F4, Alt+Down, arrows,
// Space) opens the popup bar instead of a list. Screen readers hear a combo
// box whose value is the chosen pattern's name.
class PatternDropDown : public fw::SubclassedWindow, public fw::AccessibleSource {
  public:
    bool Attach(HWND dialog, int id, std::function<void()> open);
    void SetAccessible(std::string name, std::function<std::string()> value);

    std::string AccessibleName() const override { return name_; }
    std::string AccessibleValue() const override { return value_ ? value_() : std::string(); }
    long AccessibleRole() const override;
    bool AnswersValue() const override { return true; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    std::function<void()> open_;
    std::string name_;
    std::function<std::string()> value_;
};

class CQVFmtCellsPattern : public fw::SheetPage {
  public:
    explicit CQVFmtCellsPattern(CQVFormatCells& sheet);

    // Copy-in: a copy of the block (a style outside 0..32 becomes -1) and the mode.
    void SetBlock(const PatternBlock& block, uint8_t mode);
    // Copy-out: the four fields with the page's changed flag.
    void GetBlock(PatternBlock& out) const;
    uint8_t Changed() const { return changed_ ? 1 : 0; }

    // A monochrome 8 x 8 bitmap of a pattern style (NULL outside 0..32).
    static HBITMAP PatternBitmap(int style);

    // Opens the popup bar under the drop-down and applies the chosen button.
    void ChoosePattern();

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void LoadPopup();
    void ShowBlock();
    void UpdateSample();
    void UpdateChanged();
    void SetStyle(int16_t style);
    // What screen readers call a pattern style (-1: none).
    std::string PatternName(int16_t style) const;
    void PaintSample(HDC dc, const RECT& client) const;
    void DrawGridItem(const DRAWITEMSTRUCT& item) const;
    void DrawStyleItem(const DRAWITEMSTRUCT& item) const;
    int GridIndexOf(uint32_t colour) const;

    CQVFormatCells& sheet_;
    fw::Font font_;
    fw::ColourPicker colour_;
    fw::AccessibleListBox grid_;
    PaintedStatic sample_;
    PatternDropDown dropDown_;
    fw::PopupBar popup_;
    std::vector<std::string> patternNames_; // by popup button
    PatternBlock block_{};
    uint8_t mode_ = 0;
    uint8_t incomingChanged_ = 0;
    bool changed_ = false;
};

} // namespace qv::format
