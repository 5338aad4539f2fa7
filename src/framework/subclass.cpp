#include "framework/subclass.h"

#include "framework/window.h"

namespace qv::fw {

SubclassedWindow::~SubclassedWindow() {
    Unsubclass();
}

bool SubclassedWindow::Subclass(HWND hwnd) {
    if (hwnd == nullptr || hwnd_ != nullptr || !SetWindowObject(WindowRole::Subclass, hwnd, this)) {
        return false;
    }
    hwnd_ = hwnd;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Thunk)));
    return true;
}

void SubclassedWindow::SetAccessibleSource(const AccessibleSource* source) {
    accessible_.reset();
    accessibleSource_ = source;
}

void SubclassedWindow::Unsubclass() {
    accessible_.reset();
    if (hwnd_ != nullptr) {
        if (IsWindow(hwnd_)) {
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        }
        ClearWindowObject(WindowRole::Subclass, hwnd_, this);
    }
    hwnd_ = nullptr;
}

LRESULT SubclassedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT SubclassedWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(previous_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<SubclassedWindow*>(WindowObject(WindowRole::Subclass, hwnd));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        WNDPROC previous = self->previous_;
        self->Unsubclass();
        LRESULT result = CallWindowProcW(previous, hwnd, message, wParam, lParam);
        self->OnFinalMessage();
        return result;
    }
    try {
        if (message == WM_GETOBJECT && self->accessibleSource_ != nullptr) {
            if (!self->accessible_) {
                self->accessible_ = std::make_unique<AccessibleObject>(*self->accessibleSource_);
            }
            if (LRESULT answer = self->accessible_->Answer(hwnd, wParam, lParam); answer != 0) {
                return answer;
            }
        }
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        return self->Default(message, wParam, lParam);
    }
}

} // namespace qv::fw
