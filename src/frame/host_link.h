// The link to the host executable: its frame window, its menu language and
// the private messages sent to it.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

#include "qvssd/messages.h"

namespace qv::frame {

enum MenuLanguage : int { kEnglish = 1, kLocal = 2 };

// The host's frame window (its GetFrameHandle export, looked up afresh at
// every call); NULL when the host does not export it.
HWND FrameHandle();
// The host's menu language (its GetMenuLanguage export, looked up afresh at
// every call); 1 when the host does not export it.
int HostMenuLanguage();
inline bool IsLocalMenu() {
    return HostMenuLanguage() == kLocal;
}

// How long a host window that belongs to another thread is given to answer.
constexpr UINT kHostAnswerMs = 5000;

// Sends a private message to a host window and returns the host's answer.
// A window of the calling thread (the usual host: it calls the export on its
// own user-interface thread) handles the message directly, however long it
// takes. A window of another thread gets kHostAnswerMs, and no time at all
// once its thread has stopped taking messages (a hung host). A message left
// unanswered reads as 0, as one to no window does: the neutral answer every
// sender already takes from a host without a frame. `answered`, when given,
// tells the two apart.
LRESULT SendToHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                   bool* answered = nullptr);

// SendToHost to the frame window; 0 (unanswered) without a frame window.
LRESULT SendToFrame(UINT message, WPARAM wParam, LPARAM lParam, bool* answered = nullptr);

// The frame window when the dialogs may lean on it (own a dialog by it,
// enable or disable it, which sends it messages too): a frame of the calling
// thread, or one whose thread answers within kHostAnswerMs. NULL for a hung
// frame, as for none.
HWND AnsweringFrame();

// Memory a private message points at: a text for the host to read, buffers
// for it to fill. A host that left the message unanswered may still handle it
// later, after the dialog has gone; what the message pointed at is then kept
// for the rest of the process instead of being freed under the host.
template <class T> class HostParcel {
  public:
    HostParcel() = default;
    explicit HostParcel(T value) { Reset(std::move(value)); }
    ~HostParcel() { Drop(); }
    HostParcel(const HostParcel&) = delete;
    HostParcel& operator=(const HostParcel&) = delete;

    // Holds `value` in place of what the parcel held before.
    T& Reset(T value) {
        Drop();
        value_ = std::make_unique<T>(std::move(value));
        return *value_;
    }
    T* get() const { return value_.get(); }
    T& operator*() const { return *value_; }
    T* operator->() const { return value_.get(); }
    // Called after the send with what SendToHost reported.
    void Sent(bool answered) { kept_ = kept_ || !answered; }
    // True when the host has not answered: the memory outlives the parcel.
    bool kept() const { return kept_; }

  private:
    void Drop() {
        if (kept_) {
            static_cast<void>(value_.release());
            kept_ = false;
        }
        value_.reset();
    }

    std::unique_ptr<T> value_;
    bool kept_ = false;
};

// Switches the host keyboard to the local script (true) or to English.
void SetInputLanguage(bool local);

} // namespace qv::frame
