// Move-only owners of GDI objects and device contexts.
#pragma once

#include <windows.h>

#include <utility>

namespace qv::fw {

template <class Handle> class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
        handle_ = handle;
    }
    Handle get() const { return handle_; }
    Handle release() { return std::exchange(handle_, nullptr); }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;

// A font of `tenths` tenths of a point, as the dialog fonts are made: the
// height follows the screen's logical resolution.
HFONT CreatePointFont(int tenths, const char* face);

// The screen's logical resolution (LOGPIXELSY), read once per process:
// under Wine every screen DC costs round trips to the window server.
int ScreenDpi();

// A memory DC compatible with the screen, to measure text in a font without
// a window's DC.
class MeasuringDC {
  public:
    MeasuringDC() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MeasuringDC() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    MeasuringDC(const MeasuringDC&) = delete;
    MeasuringDC& operator=(const MeasuringDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// GetDC/ReleaseDC for a window (the screen when NULL).
class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(hwnd_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectScope {
  public:
    SelectScope(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectScope() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace qv::fw
