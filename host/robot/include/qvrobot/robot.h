// A UI robot for end-to-end tests and the demo: while an export runs its modal
// loop on the calling thread, a script on a second thread finds the dialog,
// reads its controls and acts on them the way a user would, answers message
// boxes and renders windows to PNG.
//
// Texts are UTF-8 throughout the robot's interface (the windows hold UTF-16).
//
// Every action that can make the dialog open a nested modal loop (a message
// box) is posted to the dialog's thread, so the robot never blocks on it; the
// robot then waits until the dialog's thread has handled everything it was
// given and is idle again.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qvrobot {

// Thrown by robot calls that cannot do what the script asked (no such window
// or control, a control that does not answer, a timeout). RunModal catches it
// and reports it as the script's failure.
class RobotError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Options {
    // A loaded two-core machine can stall a dialog's thread for seconds; a wait
    // ends as soon as its condition holds, so a long bound costs a passing run
    // nothing.
    DWORD timeoutMs = 30000;      // default wait for windows, answers and idleness
    DWORD closeTimeoutMs = 30000; // wait for the export to return after the script
    std::string messageBoxCaption = "TWcalc";
    int messageBoxTextId = 1000; // the static holding a message box's text
    // WaitIdle also waits until the windows have painted (benchmarks: ready
    // means drawn).
    bool waitForPaint = false;
};

struct MessageBoxInfo {
    bool exists = false;
    HWND hwnd = nullptr;
    std::string text;
};

// Pixels of a rendered window: rows top to bottom, 3 bytes (R, G, B) a pixel.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    bool empty() const { return width <= 0 || height <= 0; }
    // Number of distinct colours (stops counting at `limit`).
    size_t DistinctColours(size_t limit = 1024) const;
};

// What a screen reader hears of a window: its accessible object's name,
// value and role (role 0 and empty texts when the window gives none).
struct AccessibleItem {
    std::string name;
    std::string value;
    long role = 0;
    long state = 0; // STATE_SYSTEM_* bits
};

struct AccessibleInfo {
    bool exists = false; // the window answered with an accessible object
    std::string name;
    std::string value;
    long role = 0;
    long state = 0;                    // STATE_SYSTEM_* bits of the object itself
    std::vector<AccessibleItem> items; // its simple children (items of a list or grid)
    int focusedItem = 0;               // the item that has the keyboard (1-based; 0: none)
};

class Robot;

struct ModalOutcome {
    int32_t result = 0;  // what the export returned
    bool ok = true;      // the script ran to its end and the export then returned
    std::string failure; // why not, when !ok
};

// Runs `script` on a robot thread while the calling thread calls `callExport`;
// returns when both have finished. A script that throws, fails or leaves a
// dialog open gets every dialog of the calling thread closed (so the export
// returns) and its failure reported in the outcome.
ModalOutcome RunModal(const std::function<int32_t()>& callExport,
                      const std::function<void(Robot&)>& script, const Options& options = {});

class Robot {
  public:
    const Options& options() const { return options_; }
    // True once the export has returned on the UI thread.
    bool ExportReturned() const { return exportReturned_; }
    DWORD uiThread() const { return uiThread_; }

    // ---- windows ---------------------------------------------------------------
    // A visible top-level window of this process whose caption is `caption`;
    // nullptr when none appears in time or the export has returned.
    HWND FindWindowByCaption(const std::string& caption, DWORD timeoutMs);
    HWND FindWindowByCaption(const std::string& caption) {
        return FindWindowByCaption(caption, options_.timeoutMs);
    }
    // The same, throwing RobotError when it does not appear.
    HWND WaitForWindow(const std::string& caption, DWORD timeoutMs);
    HWND WaitForWindow(const std::string& caption) {
        return WaitForWindow(caption, options_.timeoutMs);
    }
    // The active modal dialog of the UI thread (its enabled, visible top-level
    // dialog nearest the top), nullptr if there is none right now.
    HWND ActiveDialog() const;
    // Waits until a dialog is active and its thread idle; nullptr when none
    // appears in time or the export returns first.
    HWND FindDialog(DWORD timeoutMs);
    HWND FindDialog() { return FindDialog(options_.timeoutMs); }
    // The same, throwing RobotError when none appears.
    HWND WaitForDialog(DWORD timeoutMs);
    HWND WaitForDialog() { return WaitForDialog(options_.timeoutMs); }
    // Waits until the UI thread has handled everything the robot gave it and
    // everything posted meanwhile, and is waiting for messages again (also
    // inside a nested modal loop); with options().waitForPaint also until
    // nothing is left to paint. Throws RobotError, saying what was still
    // queued, when that takes longer than options().timeoutMs.
    void WaitIdle();
    // Waits until `window` is destroyed (or hidden); false on timeout.
    bool WaitClosed(HWND window, DWORD timeoutMs);
    bool WaitClosed(HWND window) { return WaitClosed(window, options_.timeoutMs); }

    // ---- reading ---------------------------------------------------------------
    // The control `id` of `dialog`: a direct child, else any descendant (pages
    // of a property sheet). Throws when there is none.
    HWND Control(HWND dialog, int id) const;
    bool HasControl(HWND dialog, int id) const;
    std::string Caption(HWND window) const;
    std::string Text(HWND window) const;
    std::string Text(HWND dialog, int id) const { return Text(Control(dialog, id)); }
    int CheckState(HWND dialog, int id) const; // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
    bool IsChecked(HWND dialog, int id) const { return CheckState(dialog, id) == BST_CHECKED; }
    bool IsEnabled(HWND dialog, int id) const;
    bool IsVisible(HWND dialog, int id) const;
    // Entries of a list box or combo box, and the selected entry (-1: none).
    std::vector<std::string> Items(HWND dialog, int id) const;
    int SelectedIndex(HWND dialog, int id) const;
    std::string SelectedText(HWND dialog, int id) const;
    // The control that has the keyboard focus on the UI thread, and its id (0: none
    // once the wait for a focus has given up). When another process has taken the
    // foreground, the dialog is activated again first, as a user would click it,
    // so that it has its focus back.
    HWND FocusedWindow();
    int FocusedId();
    // Face name of the font the window draws with ("" when it uses the system font).
    std::string FontFace(HWND window) const;
    std::string FontFace(HWND dialog, int id) const { return FontFace(Control(dialog, id)); }
    // The class name of a window ("Edit", "Button", "#32770", ...).
    static std::string ClassName(HWND window);

    // ---- acting (each waits until the dialog is idle again) --------------------
    // Replaces the text (an edit box notifies EN_CHANGE; a combo box gets
    // CBN_EDITCHANGE as if typed).
    void SetText(HWND dialog, int id, const std::string& text);
    // Presses a button (push button, check box or radio) as a click would.
    void Click(HWND dialog, int id);
    void CheckRadio(HWND dialog, int id) { Click(dialog, id); }
    // Selects an entry of a list box or combo box and notifies the dialog
    // (LBN_SELCHANGE / CBN_SELCHANGE).
    void Select(HWND dialog, int id, int index);
    void Select(HWND dialog, int id, const std::string& text); // exact entry text
    // Selects the entry and double-clicks it (LBN_SELCHANGE, then LBN_DBLCLK).
    void DoubleClick(HWND dialog, int id, int index);
    // Puts the focus on the control, then presses and releases a key on it
    // (posted WM_KEYDOWN / WM_KEYUP, or the system-key forms with Alt).
    void PressKey(HWND dialog, int id, UINT virtualKey, bool alt = false);
    // Posts one WM_CHAR per character to the focused control.
    void TypeChars(HWND dialog, int id, const std::string& chars);
    void Focus(HWND dialog, int id);
    // Ends the dialog as Escape would (WM_COMMAND IDCANCEL) and waits until it is gone.
    void Cancel(HWND dialog);
    // Runs `action` on the UI thread (posted; it must not capture locals by reference).
    void Post(std::function<void()> action);

    // ---- message boxes ----------------------------------------------------------
    // Waits for a message box (a dialog captioned options().messageBoxCaption);
    // `exists` false when none appeared within the time.
    MessageBoxInfo ExpectMessageBox(DWORD timeoutMs);
    MessageBoxInfo ExpectMessageBox() { return ExpectMessageBox(options_.timeoutMs); }
    // True when no message box appears within `ms`.
    bool NoMessageBoxWithin(DWORD ms);
    // Presses button `buttonId` (1: the first, 2: the second) of the current
    // message box and waits until it is gone. Throws when there is no box.
    void AnswerMessageBox(int buttonId);

    // ---- screen readers ------------------------------------------------------------
    // Asks the window for its accessible object, as a screen reader would
    // (from this thread, across threads), and reads name, value, role and
    // state, and those of its simple children (the items of a list).
    AccessibleInfo Accessible(HWND window) const;
    AccessibleInfo Accessible(HWND dialog, int id) const { return Accessible(Control(dialog, id)); }

    // ---- rendering ---------------------------------------------------------------
    // Repaints the window and its children and copies it, frame included.
    Image Capture(HWND window);
    // Captures and writes a PNG file. Throws when the capture or the file fails.
    void SavePng(HWND window, const std::string& path);

    // Closes every dialog of the UI thread, top first, until none is left or
    // `timeoutMs` passes. True when none is left.
    bool CloseAllDialogs(DWORD timeoutMs);
    // Cancels whatever the export shows, dialogs that open only after a
    // warning was answered included, until the export returns. False when it
    // has not returned within `timeoutMs`.
    bool CancelUntilReturned(DWORD timeoutMs);

    // Internal: constructed by RunModal.
    Robot(const Options& options, DWORD uiThread, HWND helper);
    void MarkExportReturned() { exportReturned_ = true; }

  private:
    void PostAndSync(std::function<void()> action);
    void WaitPainted(std::chrono::steady_clock::time_point deadline);
    std::string IdleReport() const;
    void SendNotification(HWND control, WORD code);
    HWND WaitForMessageBoxWindow(DWORD timeoutMs);
    bool IsMessageBox(HWND window) const;

    Options options_;
    DWORD uiThread_;
    HWND helper_;
    std::atomic<bool> exportReturned_{false};
};

// The pixels of a width by height picture that `paint` draws into a memory DC
// holding a 32-bit bitmap (false when it could not); empty when a step fails.
Image DrawPicture(int width, int height, const std::function<bool(HDC)>& paint);
// Renders a window of the calling thread (see Robot::Capture).
Image CaptureWindow(HWND window);
// The client area of a control as it paints itself on WM_PRINTCLIENT, into a
// bitmap of its own: what it draws, whatever covers it on screen.
Image PrintClient(HWND window);
// Writes an image as a PNG file; false when it cannot.
bool WritePng(const Image& image, const std::string& path);

} // namespace qvrobot
