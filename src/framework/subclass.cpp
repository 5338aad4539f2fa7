#include "framework/subclass.h"

namespace qv::fw {
namespace {
const char kProperty[] = "QVSSD.Subclass";
}

SubclassedWindow::~SubclassedWindow() {
    Unsubclass();
}

bool SubclassedWindow::Subclass(HWND hwnd) {
    if (hwnd == nullptr || hwnd_ != nullptr || GetPropA(hwnd, kProperty) != nullptr) {
        return false;
    }
    hwnd_ = hwnd;
    SetPropA(hwnd, kProperty, reinterpret_cast<HANDLE>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Thunk)));
    return true;
}

void SubclassedWindow::Unsubclass() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropA(hwnd_, kProperty);
    }
    hwnd_ = nullptr;
}

LRESULT SubclassedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT SubclassedWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(previous_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SubclassedWindow*>(GetPropA(hwnd, kProperty));
    if (self == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        WNDPROC previous = self->previous_;
        self->Unsubclass();
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        return self->Default(message, wParam, lParam);
    }
}

} // namespace qv::fw
