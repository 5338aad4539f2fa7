// The link to the host executable: its frame window, its menu language and
// the private messages sent to it.
#pragma once

#include <windows.h>

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

// SendMessage to the frame window; 0 without a frame window.
LRESULT SendToFrame(UINT message, WPARAM wParam, LPARAM lParam);

// Switches the host keyboard to the local script (true) or to English.
void SetInputLanguage(bool local);

} // namespace qv::frame
