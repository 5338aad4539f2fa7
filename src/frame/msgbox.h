// Numbered message boxes: the text comes from the message library of the
// menu language, the box from the message-box library; caption "TWcalc".
#pragma once

#include <windows.h>

namespace qv::frame {

// Button codes and the icon code the dialogs use.
enum : int { kOneButton = 1, kTwoButtons = 2, kIconWarning = 4 };

// The pressed button (1 = the first), or 0 when the message-box library or
// its function is missing.
int QVMsgBox(UINT messageId, int buttons);
int QVMsgBoxEx(UINT messageId, int buttons, int icon);
int QVMsgBoxText(const char* text, int buttons);
int QVMsgBoxTextEx(const char* text, int buttons, int icon);

} // namespace qv::frame
