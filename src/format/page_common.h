// What the Format Cells sheet, its pages and Conditional Formatting share:
// relabelling with the shared routine, strings of the menu language, images
// from the image libraries, bounded copies into records.
#pragma once

#include "framework/gdi.h"
#include "framework/library.h"
#include "framework/painted_control.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace qv::format {

// A static control painted by a function of its dialog (previews and
// samples); an optional function hears left clicks in client coordinates.
// Screen readers hear its accessible name and, as its value, its window text:
// a preview that draws a text keeps its window text equal to it.
class PaintedStatic : public fw::PaintedControl, public fw::AccessibleSource {
  public:
    using Painter = std::function<void(HDC dc, const RECT& client)>;
    using Clicker = std::function<void(POINT client)>;
    bool Attach(HWND dialog, int id, Painter painter, Clicker clicker = {});
    void Redraw() const;
    // Sets the window text (announced as the value) and repaints.
    void SetText(const std::string& text);
    void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }

    std::string AccessibleName() const override { return accessibleName_; }
    std::string AccessibleValue() const override;

  protected:
    void Paint(HDC dc, const RECT& client) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Painter painter_;
    Clicker clicker_;
    std::string accessibleName_;
};

// An item of an owner-drawn colour list (its item data the colour): a swatch
// inset by 3 pixels in a grey frame on the button face; the selected item
// sunken, the focused one with a focus rectangle.
void DrawSwatchItem(const DRAWITEMSTRUCT& item);

// Relabels a page with the shared routine (every "." removed) from the
// dialog strings of the menu language and gives the font to `fontOnly` too.
void RelabelPage(HWND page, const int* controls, const int* strings, int count, fw::Font& font,
                 const std::vector<int>& fontOnly);

// A dialog string of the menu language.
std::string MenuString(UINT id);

// The dialog strings of the menu language, open for a run of loads.
class MenuStrings {
  public:
    MenuStrings();
    std::string operator()(UINT id) const;

  private:
    fw::Library library_;
};

// Bitmaps of an image library beside the dialog library, loaded through the
// common services (QVLoad, QVLoadImageInt, QVUnLoad). Missing images are NULL.
std::vector<HBITMAP> LoadLibraryImages(const char* libraryFile, const std::vector<int>& ids,
                                       int width, int height);
// The same for images of different sizes, in one opening of the library.
struct ImageRequest {
    int id;
    int width;
    int height;
};
std::vector<HBITMAP> LoadLibraryImages(const char* libraryFile,
                                       const std::vector<ImageRequest>& requests);

// A zero-terminated copy of at most N - 1 characters.
template <size_t N> void CopyBounded(char (&target)[N], const std::string& text) {
    const size_t n = std::min(text.size(), N - 1);
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

// The text of a fixed buffer, up to its terminator or its end.
template <size_t N> std::string BoundedText(const char (&buffer)[N]) {
    return std::string(buffer, strnlen(buffer, N));
}

} // namespace qv::format
