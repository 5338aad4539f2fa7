#include "frame/host_link.h"

#include "framework/library.h"

namespace qv::frame {
namespace {

using GetFrameHandleFn = HWND(__cdecl*)();
using GetMenuLanguageFn = int(__cdecl*)();

template <class F> F HostFunction(const char* name) {
    return fw::Library::ProcOf<F>(GetModuleHandleA(nullptr), name);
}

} // namespace

HWND FrameHandle() {
    auto get = HostFunction<GetFrameHandleFn>("GetFrameHandle");
    return get != nullptr ? get() : nullptr;
}

int HostMenuLanguage() {
    auto get = HostFunction<GetMenuLanguageFn>("GetMenuLanguage");
    return get != nullptr ? get() : kEnglish;
}

LRESULT SendToHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* answered) {
    DWORD_PTR result = 0;
    // The bound and the hung test apply to other threads only: a window of
    // this thread is called directly.
    const bool ok = window != nullptr && SendMessageTimeoutW(window, message, wParam, lParam,
                                                             SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                                             kHostAnswerMs, &result) != 0;
    if (answered != nullptr) {
        *answered = ok;
    }
    return ok ? static_cast<LRESULT>(result) : 0;
}

LRESULT SendToFrame(UINT message, WPARAM wParam, LPARAM lParam, bool* answered) {
    return SendToHost(FrameHandle(), message, wParam, lParam, answered);
}

HWND AnsweringFrame() {
    HWND frame = FrameHandle();
    if (frame == nullptr || !IsWindow(frame)) {
        return nullptr;
    }
    if (GetWindowThreadProcessId(frame, nullptr) == GetCurrentThreadId()) {
        return frame;
    }
    bool answered = false;
    SendToHost(frame, WM_NULL, 0, 0, &answered);
    return answered ? frame : nullptr;
}

void SetInputLanguage(bool local) {
    SendToFrame(WM_QV_SETINPUTLANG, local ? 1 : 0, 1);
}

} // namespace qv::frame
