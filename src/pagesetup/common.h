// What the Page Setup pages and the Print dialog share: the spin buttons that
// step a number in its box, pictures that take the keyboard focus, pictures
// from the image library, and what the default printer offers.
#pragma once

#include "format/page_common.h"
#include "framework/accessible.h"
#include "framework/gdi.h"
#include "framework/painted_control.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::pagesetup {

// A spin button that steps the number in its box: it reads the box, adds
// the step, keeps the value in its range and writes it back with the given
// number of decimals. The box may hold anything; a text that is not a number
// steps from the low end of the range.
class NumericSpin {
  public:
    void Attach(HWND dialog, int spinId, int boxId, double low, double high, double step,
                int decimals);
    // Handles the spin's UDN_DELTAPOS; false for any other notification.
    bool OnNotify(const NMHDR* header, LRESULT& result) const;
    // Steps the box by `steps` (negative: down).
    void Step(int steps) const;
    // The box's text for a value.
    std::string Format(double value) const;

  private:
    HWND spin_ = nullptr;
    HWND box_ = nullptr;
    double low_ = 0;
    double high_ = 0;
    double step_ = 1;
    int decimals_ = 0;
};

// A picture static that draws a bitmap centred (and whatever its dialog adds
// on top) and can take the keyboard focus, showing a focus rectangle. Screen
// readers hear it as a graphic with the name and the value (what it shows)
// that its dialog gives.
class PictureStatic : public fw::PaintedControl, public fw::AccessibleSource {
  public:
    using Overlay = std::function<void(HDC dc, const RECT& picture)>;

    PictureStatic() : PaintedControl(Focus::TabStop) {}
    bool Attach(HWND dialog, int id, Overlay overlay = {});
    // Shows `bitmap` (the static keeps it, as STM_SETIMAGE gives it) and
    // frees the one shown before.
    void SetBitmap(HBITMAP bitmap);
    // Shows a bitmap its dialog keeps (and frees).
    void ShowBitmap(HBITMAP bitmap);
    HBITMAP Bitmap() const { return shown_; }
    void Redraw() const;
    // What the picture is and what it now shows; a new value is announced.
    void Describe(std::string name, std::string value);

    std::string AccessibleName() const override { return name_; }
    std::string AccessibleValue() const override { return value_; }
    long AccessibleRole() const override;

  protected:
    void Paint(HDC dc, const RECT& client) override;

  private:
    fw::Bitmap bitmap_;
    HBITMAP shown_ = nullptr;
    Overlay overlay_;
    std::string name_;
    std::string value_;
};

// A picture of the image library QVSSG.dll, loaded at the given size through
// the common services; NULL when either library or the picture is missing.
HBITMAP LoadPicture(int id, int width, int height);
// Several pictures in one opening of the image library.
std::vector<HBITMAP> LoadPictures(const std::vector<format::ImageRequest>& pictures);

// What the default printer reports, as a default print-dialog set-up names
// it: device and port, its papers (names and identifiers, in its order) and
// its resolutions. Empty when there is no printer.
struct PrinterCaps {
    std::string device;
    std::string port;
    std::vector<std::string> paperNames;
    std::vector<std::uint16_t> papers;
    std::vector<POINT> resolutions; // x: horizontal dpi, y: vertical dpi
};
PrinterCaps DefaultPrinterCaps();

} // namespace qv::pagesetup
