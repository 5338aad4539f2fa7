// Popups tracked modally under a control: a window base that runs its own
// loop with keyboard and mouse, a holder of images keyed by command id, and
// the popup bar of image buttons that returns the chosen command.
#pragma once

#include "framework/accessible.h"

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qv::fw {

// A shadowless popup shown under a rectangle without taking the activation.
// Track() runs a loop of its own: key presses anywhere on the thread go to
// the popup, the mouse is captured, a click outside it or the loss of the
// capture ends it.
//
// Screen readers hear it as a list whose items are its choices (the
// subclass answers for them); the item under the keyboard is announced as
// the focus whenever it changes.
class PopupWindow : public AccessibleSource {
  public:
    PopupWindow() = default;
    virtual ~PopupWindow();
    PopupWindow(const PopupWindow&) = delete;
    PopupWindow& operator=(const PopupWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool IsTracking() const { return hwnd_ != nullptr; }
    // The class name of every popup window (tests find popups by it).
    static const char* ClassName();

  protected:
    // Shows a popup of `size` under `anchor` (screen coordinates; above it when
    // there is no room below) and tracks it until EndTracking. False when the
    // window could not be made.
    bool Track(HWND owner, const RECT& anchor, SIZE size);
    void EndTracking();
    void Redraw() const;
    // Redraws and announces the item now under the keyboard.
    void HotChanged() const;

    virtual void OnPaint(HDC dc, const RECT& client) = 0;
    // A key press; Escape, Tab and Alt end the popup unless handled here.
    virtual bool OnKey(UINT virtualKey) = 0;
    virtual void OnMouseMove(POINT client) = 0;
    // A button released over the popup; false when it did not choose.
    virtual bool OnClick(POINT client) = 0;

  public:
    void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    std::string AccessibleName() const override { return accessibleName_; }
    long AccessibleRole() const override;
    bool AccessibleTracksKeyboard() const override { return hwnd_ != nullptr; }

  private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    bool HandleMessage(MSG& msg);

    HWND hwnd_ = nullptr;
    bool done_ = false;
    std::string accessibleName_;
    std::unique_ptr<AccessibleObject> accessible_;
};

// Images keyed by command id, over one image list that the holder owns.
class ImageHolder {
  public:
    ImageHolder() = default;
    ~ImageHolder();
    ImageHolder(const ImageHolder&) = delete;
    ImageHolder& operator=(const ImageHolder&) = delete;

    // Takes over `list`; image i belongs to commands[i].
    void SetIcons(HIMAGELIST list, const UINT* commands, int count);
    bool Has(UINT command) const { return index_.count(command) != 0; }
    // Draws the command's image with its top-left corner at (x, y).
    bool Draw(UINT command, HDC dc, int x, int y) const;

  private:
    HIMAGELIST list_ = nullptr;
    std::map<UINT, int> index_;
};

// A popup of image buttons, laid out in rows of the given width.
class PopupBar : public PopupWindow {
  public:
    void SetWidth(int pixels) { width_ = pixels; }
    void SetIconSize(SIZE size) { icon_ = size; }
    void AddButton(UINT command) { commands_.push_back(command); }
    ImageHolder& Images() { return images_; }
    // The button shown as chosen and highlighted first (0: none).
    void SetChecked(UINT command) { checked_ = command; }

    // Shows the bar under `anchor` (screen coordinates) and returns the
    // command of the chosen button, 0 when the user chose none.
    UINT TrackPopup(HWND owner, const RECT& anchor);

    // Layout, for tests: buttons per row and the rectangle of button i.
    int Columns() const;
    RECT ButtonRect(int index) const;
    int HotIndex() const { return hot_; }

    // What screen readers hear of button i (in the order of AddButton).
    void SetButtonNames(std::vector<std::string> names) { names_ = std::move(names); }
    int AccessibleChildCount() const override { return static_cast<int>(commands_.size()); }
    std::string AccessibleChildName(int child) const override;
    long AccessibleChildState(int child) const override;
    RECT AccessibleChildRect(int child) const override { return ButtonRect(child - 1); }
    int AccessibleFocusedChild() const override { return hot_ + 1; }

  protected:
    void OnPaint(HDC dc, const RECT& client) override;
    bool OnKey(UINT virtualKey) override;
    void OnMouseMove(POINT client) override;
    bool OnClick(POINT client) override;

  private:
    SIZE ButtonSize() const;
    int HitTest(POINT client) const;

    int width_ = 150;
    SIZE icon_{16, 15};
    std::vector<UINT> commands_;
    std::vector<std::string> names_;
    ImageHolder images_;
    UINT checked_ = 0;
    UINT chosen_ = 0;
    int hot_ = -1;
};

} // namespace qv::fw
