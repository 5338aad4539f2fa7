#include "framework/subclass.h"

#include <unordered_map>

namespace qv::fw {
namespace {

// Which object has taken over which window. Not a window property: Wine asks
// its server for a property, and the look-up runs for every message, which a
// list of thousands of items read back one by one feels.
class Registry {
  public:
    SubclassedWindow* Find(HWND hwnd) {
        AcquireSRWLockShared(&lock_);
        const auto found = windows_.find(hwnd);
        SubclassedWindow* self = found == windows_.end() ? nullptr : found->second;
        ReleaseSRWLockShared(&lock_);
        return self;
    }
    bool Add(HWND hwnd, SubclassedWindow* self) {
        AcquireSRWLockExclusive(&lock_);
        bool added = false;
        try {
            added = windows_.emplace(hwnd, self).second;
        } catch (...) {
            // No room for one more entry: the window is not taken over.
        }
        ReleaseSRWLockExclusive(&lock_);
        return added;
    }
    void Remove(HWND hwnd, const SubclassedWindow* self) {
        AcquireSRWLockExclusive(&lock_);
        if (const auto found = windows_.find(hwnd);
            found != windows_.end() && found->second == self) {
            windows_.erase(found);
        }
        ReleaseSRWLockExclusive(&lock_);
    }

  private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::unordered_map<HWND, SubclassedWindow*> windows_;
};

Registry& Subclassed() {
    static Registry registry;
    return registry;
}

} // namespace

SubclassedWindow::~SubclassedWindow() {
    Unsubclass();
}

bool SubclassedWindow::Subclass(HWND hwnd) {
    if (hwnd == nullptr || hwnd_ != nullptr || !Subclassed().Add(hwnd, this)) {
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
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    }
    if (hwnd_ != nullptr) {
        Subclassed().Remove(hwnd_, this);
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
    SubclassedWindow* self = Subclassed().Find(hwnd);
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
