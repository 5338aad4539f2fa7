#include "framework/window.h"

#include <algorithm>
#include <vector>

namespace qv::fw {
namespace {

// The loop windows of this thread in creation order.
thread_local std::vector<LoopWindow*> t_loopWindows;

} // namespace

std::string WindowText(HWND hwnd) {
    if (hwnd == nullptr) {
        return {};
    }
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int n = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

void SetWindowTextTo(HWND hwnd, std::string_view text) {
    if (hwnd != nullptr) {
        std::string copy(text);
        SetWindowTextA(hwnd, copy.c_str());
    }
}

LoopWindow::~LoopWindow() {
    Detach();
}

bool LoopWindow::PreTranslateMessage(MSG&) {
    return false;
}

bool LoopWindow::TranslateDialogMessage(MSG& msg) {
    return hwnd_ != nullptr && IsDialogMessageA(hwnd_, &msg);
}

void LoopWindow::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (!attached_) {
        t_loopWindows.push_back(this);
        attached_ = true;
    }
}

void LoopWindow::Detach() {
    if (attached_) {
        auto it = std::find(t_loopWindows.begin(), t_loopWindows.end(), this);
        if (it != t_loopWindows.end()) {
            t_loopWindows.erase(it);
        }
        attached_ = false;
    }
}

namespace detail {

bool PumpOneMessage() {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got == -1) {
        return false;
    }
    // Copy: a hook may end a window and so change the list.
    std::vector<LoopWindow*> windows = t_loopWindows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (std::find(t_loopWindows.begin(), t_loopWindows.end(), *it) == t_loopWindows.end()) {
            continue;
        }
        if ((*it)->PreTranslateMessage(msg)) {
            return true;
        }
    }
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (std::find(t_loopWindows.begin(), t_loopWindows.end(), *it) == t_loopWindows.end()) {
            continue;
        }
        HWND owner = (*it)->hwnd();
        if (owner != nullptr && (msg.hwnd == owner || IsChild(owner, msg.hwnd)) &&
            (*it)->TranslateDialogMessage(msg)) {
            return true;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

} // namespace detail

HWND ModalOwner(HWND requested) {
    HWND owner = requested != nullptr ? requested : GetActiveWindow();
    while (owner != nullptr && (GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) != 0) {
        owner = GetParent(owner);
    }
    return owner;
}

OwnerDisabler::OwnerDisabler(HWND owner)
    : owner_(owner), reenable_(owner != nullptr && IsWindowEnabled(owner)) {
    if (reenable_) {
        EnableWindow(owner_, FALSE);
    }
}

OwnerDisabler::~OwnerDisabler() {
    if (reenable_ && IsWindow(owner_)) {
        EnableWindow(owner_, TRUE);
        SetActiveWindow(owner_);
    }
}

} // namespace qv::fw
