// The functions a host executable exports for the dialog library, which finds
// them with GetProcAddress on the process's main module. This file is compiled
// into each host executable (qvhost_add_executable), not only into the library,
// so that the exports land in the .exe.
#include "qvhost/host.h"

extern "C" __declspec(dllexport) HWND GetFrameHandle() {
    return qvhost::FrameHandle();
}

extern "C" __declspec(dllexport) int32_t GetMenuLanguage() {
    return qvhost::MenuLanguage();
}
