// A colour button: it holds one colour value and a default colour, shows the
// colour, drops down a palette to choose another, and tells its dialog when
// the colour changes (WM_COMMAND with ColourPicker::kChanged).
#pragma once

#include "framework/subclass.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::fw {

//
// Screen readers hear a drop-down button named by its dialog whose value is
// the colour's name (the default entry's text, a palette colour's name, or
// its red, green and blue); the drop-down is a list of the colours.
class ColourPicker : public SubclassedWindow, public AccessibleSource {
  public:
    // WM_COMMAND notification code sent to the parent after the user chose a colour.
    static constexpr WORD kChanged = 0x0F01;
    static constexpr int kPaletteSize = 40;

    ColourPicker();

    // Takes over the push button `id` of a dialog (it becomes owner-drawn).
    bool Attach(HWND dialog, int id);

    // The 40 colours of the drop-down, in order (fewer leaves the rest black).
    void SetPalette(const COLORREF* colours, int count);
    // The colour the first entry of the drop-down stands for, and its text.
    void SetDefaultColour(COLORREF colour) { default_ = colour; }
    void SetDefaultText(std::string text) { defaultText_ = std::move(text); }
    // The names of the palette's colours, in order, and the picker's name,
    // as screen readers say them.
    void SetColourNames(std::vector<std::string> names) { names_ = std::move(names); }
    void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    // The name of the colour shown, or of palette colour `index` (-1: the default entry).
    std::string ColourName() const;
    std::string PaletteName(int index) const;

    std::string AccessibleName() const override { return accessibleName_; }
    std::string AccessibleValue() const override { return ColourName(); }
    long AccessibleRole() const override;

    // An explicit colour, or back to the default.
    void SetColour(COLORREF colour);
    void Reset();
    bool IsDefault() const { return isDefault_; }
    // The colour shown: the explicit colour, or the default colour.
    COLORREF Colour() const { return isDefault_ ? default_ : colour_; }

    // Data exchange with a 32-bit member: `defaultValue` stands for the
    // default colour both ways.
    void Exchange(bool save, uint32_t& member, uint32_t defaultValue = 0);

    // Opens the drop-down and tracks it; true when the user chose a colour
    // (the parent has then been notified).
    bool DropDown();

    // The drop-down's cell under the keyboard (tests): -1 the default entry,
    // 0..39 the palette.
    int HotCell() const { return hot_; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    friend class ColourPopup;
    void Paint(HDC dc);
    void Notify();

    std::array<COLORREF, kPaletteSize> palette_{};
    COLORREF default_ = 0;
    COLORREF colour_ = 0;
    bool isDefault_ = true;
    std::string defaultText_ = "Automatic";
    std::vector<std::string> names_;
    std::string accessibleName_;
    bool dropped_ = false;
    int hot_ = -1;
};

} // namespace qv::fw
