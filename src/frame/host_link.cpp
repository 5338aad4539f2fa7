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

LRESULT SendToFrame(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND frame = FrameHandle();
    if (frame == nullptr) {
        return 0;
    }
    return SendMessageA(frame, message, wParam, lParam);
}

void SetInputLanguage(bool local) {
    SendToFrame(WM_QV_SETINPUTLANG, local ? 1 : 0, 1);
}

} // namespace qv::frame
