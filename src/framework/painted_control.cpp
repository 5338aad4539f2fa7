#include "framework/painted_control.h"

namespace qv::fw {

LRESULT PaintedControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        RECT client{};
        GetClientRect(hwnd(), &client);
        Paint(dc, client);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    default:
        break;
    }
    if (focus_ == Focus::TabStop) {
        switch (message) {
        case WM_GETDLGCODE:
            return 0; // reached by Tab like any control, unlike a static
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(hwnd());
            return 0;
        default:
            break;
        }
    }
    return Default(message, wParam, lParam);
}

} // namespace qv::fw
