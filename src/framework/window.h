// Windows that run in the framework's modal loop: dialogs, property sheets
// and modeless helpers such as the range bar.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv::fw {

// Text of any window, whatever its length, as UTF-8 (the library's texts are
// UTF-8; the window holds UTF-16).
std::string WindowText(HWND hwnd);
void SetWindowTextTo(HWND hwnd, std::string_view text);

// The control `id` of `dialog`, as GetDlgItem finds it. A control once found
// is remembered (and checked at every use): under Wine each GetDlgItem asks
// the window server for the dialog's whole list of children.
HWND DialogItem(HWND dialog, int id);

// The framework object a window belongs to, kept in this process: a window
// property would cost a round trip to Wine's window server at every message,
// which a list of thousands of items read back one by one feels.
enum class WindowRole { Subclass, Sheet };
// False (and nothing changed) when the window already has an object in that
// role, or there is no room for one more entry.
bool SetWindowObject(WindowRole role, HWND hwnd, void* object);
void* WindowObject(WindowRole role, HWND hwnd);
// Forgets the entry only while it is still `object`'s.
void ClearWindowObject(WindowRole role, HWND hwnd, const void* object);

// A window whose messages the modal loop offers to the window before the
// dialog manager sees them.
class LoopWindow {
  public:
    virtual ~LoopWindow();

    HWND hwnd() const { return hwnd_; }

    // Return true to swallow the message.
    virtual bool PreTranslateMessage(MSG& msg);
    // Keyboard navigation of the dialog manager; true when the message was used.
    virtual bool TranslateDialogMessage(MSG& msg);

    // The loop window of this thread attached before this one.
    LoopWindow* Older() const { return older_; }

  protected:
    // Registers the window with the loops of this thread while it exists.
    void Attach(HWND hwnd);
    void Detach();

    HWND hwnd_ = nullptr;

  private:
    bool attached_ = false;
    LoopWindow* older_ = nullptr;
};

// Runs the framework's modal loop until `done()` says so: every message goes
// to the pre-translate hooks of the live loop windows (newest first), then to
// their dialog manager, then to its window.
template <class Done> void RunMessageLoop(Done done);

// Wakes the modal loop of this thread so that it checks whether it is done:
// a loop waits for posted messages, and ending a window from a message sent
// by another thread posts none. Posts a null message to `hwnd` (to the
// thread when the window is gone), as the platform's own dialog end does.
void WakeLoop(HWND hwnd);

namespace detail {
// One pass over one message; false when WM_QUIT arrived.
bool PumpOneMessage();
} // namespace detail

template <class Done> void RunMessageLoop(Done done) {
    while (!done()) {
        if (!detail::PumpOneMessage()) {
            break;
        }
    }
}

// The owner a modal window is given when the caller names none: the active
// window of the thread, raised to its top-level ancestor.
HWND ModalOwner(HWND requested);

// Disables an owner for the lifetime of the object (if it was enabled) and
// enables and activates it again at the end.
class OwnerDisabler {
  public:
    explicit OwnerDisabler(HWND owner);
    ~OwnerDisabler();
    OwnerDisabler(const OwnerDisabler&) = delete;
    OwnerDisabler& operator=(const OwnerDisabler&) = delete;

  private:
    HWND owner_;
    bool reenable_;
};

} // namespace qv::fw
