#include "framework/popup_bar.h"

#include "framework/window.h"

#include "framework/gdi.h"
#include "framework/module.h"

#include <oleacc.h>

#include <algorithm>

namespace qv::fw {
namespace {

const char kPopupClass[] = "QVSSD.Popup";

bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

// ---- PopupWindow ---------------------------------------------------------------

PopupWindow::~PopupWindow() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
}

const char* PopupWindow::ClassName() {
    return kPopupClass;
}

void PopupWindow::Redraw() const {
    if (hwnd_ != nullptr) {
        InvalidateRect(hwnd_, nullptr, FALSE);
        UpdateWindow(hwnd_);
    }
}

void PopupWindow::HotChanged() const {
    Redraw();
    NotifyAccessibleFocus(hwnd_, AccessibleFocusedChild());
}

long PopupWindow::AccessibleRole() const {
    return ROLE_SYSTEM_LIST;
}

bool PopupWindow::Track(HWND owner, const RECT& anchor, SIZE size) {
    if (hwnd_ != nullptr) {
        return false; // already tracking
    }
    // The class is registered for each popup and removed afterwards, so that
    // a library loaded again never meets a class whose procedure is gone.
    HINSTANCE instance = OwnModule();
    UnregisterClassA(kPopupClass, instance);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kPopupClass;
    RegisterClassExA(&wc);

    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = anchor.left;
    int y = anchor.bottom;
    if (y + size.cy > work.bottom && anchor.top - size.cy >= work.top) {
        y = anchor.top - size.cy;
    }
    if (x + size.cx > work.right) {
        x = std::max(static_cast<int>(work.left), static_cast<int>(work.right - size.cx));
    }
    HWND top = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    done_ = false;
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, "", WS_POPUP, x, y,
                            size.cx, size.cy, top, nullptr, instance, this);
    if (hwnd_ == nullptr) {
        UnregisterClassA(kPopupClass, instance);
        return false;
    }
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
    SetCapture(hwnd_);
    // Screen readers hear the popup open (as a menu would) and the item
    // under the keyboard.
    NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, hwnd_, OBJID_CLIENT, CHILDID_SELF);
    NotifyAccessibleFocus(hwnd_, AccessibleFocusedChild());
    while (!done_) {
        MSG msg;
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        if (HandleMessage(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (!done_ && (hwnd_ == nullptr || GetCapture() != hwnd_)) {
            done_ = true; // the capture went elsewhere
        }
    }
    if (hwnd_ != nullptr) {
        if (GetCapture() == hwnd_) {
            ReleaseCapture();
        }
        NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, hwnd_, OBJID_CLIENT, CHILDID_SELF);
        accessible_.reset();
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    UnregisterClassA(kPopupClass, instance);
    return true;
}

void PopupWindow::EndTracking() {
    done_ = true;
    WakeLoop(hwnd_);
}

bool PopupWindow::HandleMessage(MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const UINT key = static_cast<UINT>(msg.wParam);
        const bool alt = msg.message == WM_SYSKEYDOWN;
        if (alt || !OnKey(key)) {
            if (alt || key == VK_ESCAPE || key == VK_TAB || key == VK_MENU || key == VK_F4) {
                done_ = true;
            }
        }
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        return true;
    case WM_MOUSEMOVE:
        if (msg.hwnd == hwnd_) {
            OnMouseMove(POINT{static_cast<short>(LOWORD(msg.lParam)),
                              static_cast<short>(HIWORD(msg.lParam))});
        }
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        RECT client{};
        GetClientRect(hwnd_, &client);
        POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        if (msg.hwnd != hwnd_) {
            MapWindowPoints(msg.hwnd, hwnd_, &p, 1);
        }
        if (!Inside(client, p)) {
            done_ = true; // a click outside closes the popup
        }
        return true;
    }
    case WM_LBUTTONUP: {
        POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        if (msg.hwnd != hwnd_) {
            MapWindowPoints(msg.hwnd, hwnd_, &p, 1);
        }
        RECT client{};
        GetClientRect(hwnd_, &client);
        if (Inside(client, p) && OnClick(p)) {
            done_ = true;
        }
        return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        done_ = true;
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK PopupWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PopupWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (self != nullptr) {
            RECT client{};
            GetClientRect(hwnd, &client);
            try {
                self->OnPaint(dc, client);
            } catch (...) {
            }
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CANCELMODE:
        if (self != nullptr) {
            self->EndTracking();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (self != nullptr && reinterpret_cast<HWND>(lParam) != hwnd) {
            self->EndTracking();
        }
        return 0;
    case WM_GETOBJECT:
        if (self != nullptr) {
            if (!self->accessible_) {
                self->accessible_ = std::make_unique<AccessibleObject>(*self);
            }
            if (LRESULT answer = self->accessible_->Answer(hwnd, wParam, lParam); answer != 0) {
                return answer;
            }
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// ---- ImageHolder ----------------------------------------------------------------

ImageHolder::~ImageHolder() {
    if (list_ != nullptr) {
        ImageList_Destroy(list_);
    }
}

void ImageHolder::SetIcons(HIMAGELIST list, const UINT* commands, int count) {
    if (list_ != nullptr && list_ != list) {
        ImageList_Destroy(list_);
    }
    list_ = list;
    index_.clear();
    if (list_ == nullptr || commands == nullptr) {
        return;
    }
    const int images = ImageList_GetImageCount(list_);
    for (int i = 0; i < count && i < images; ++i) {
        index_[commands[i]] = i;
    }
}

bool ImageHolder::Draw(UINT command, HDC dc, int x, int y) const {
    auto it = index_.find(command);
    if (it == index_.end() || list_ == nullptr) {
        return false;
    }
    return ImageList_Draw(list_, it->second, dc, x, y, ILD_NORMAL) != FALSE;
}

// ---- PopupBar -------------------------------------------------------------------

SIZE PopupBar::ButtonSize() const {
    return SIZE{icon_.cx + 6, icon_.cy + 6};
}

int PopupBar::Columns() const {
    const SIZE button = ButtonSize();
    return std::max(1, static_cast<int>((width_ - 4) / std::max<LONG>(1, button.cx)));
}

RECT PopupBar::ButtonRect(int index) const {
    const SIZE button = ButtonSize();
    const int columns = Columns();
    const int margin = std::max(2, static_cast<int>(width_ - columns * button.cx) / 2);
    const int x = margin + (index % columns) * button.cx;
    const int y = 2 + (index / columns) * button.cy;
    return RECT{x, y, x + button.cx, y + button.cy};
}

int PopupBar::HitTest(POINT client) const {
    for (int i = 0; i < static_cast<int>(commands_.size()); ++i) {
        if (Inside(ButtonRect(i), client)) {
            return i;
        }
    }
    return -1;
}

UINT PopupBar::TrackPopup(HWND owner, const RECT& anchor) {
    chosen_ = 0;
    if (commands_.empty()) {
        return 0;
    }
    auto it = std::find(commands_.begin(), commands_.end(), checked_);
    hot_ = it != commands_.end() ? static_cast<int>(it - commands_.begin()) : 0;
    const int rows = (static_cast<int>(commands_.size()) + Columns() - 1) / Columns();
    const SIZE size{width_, rows * ButtonSize().cy + 4};
    Track(owner, anchor, size);
    return chosen_;
}

bool PopupBar::OnKey(UINT key) {
    const int n = static_cast<int>(commands_.size());
    const int columns = Columns();
    const int rows = (n + columns - 1) / columns;
    int hot = hot_ < 0 ? 0 : hot_;
    switch (key) {
    case VK_LEFT:
        hot = (hot + n - 1) % n;
        break;
    case VK_RIGHT:
        hot = (hot + 1) % n;
        break;
    case VK_UP: {
        const int column = hot % columns;
        hot -= columns;
        if (hot < 0) {
            hot = std::min(n - 1, (rows - 1) * columns + column);
        }
        break;
    }
    case VK_DOWN:
        hot += columns;
        if (hot >= n) {
            hot %= columns;
        }
        break;
    case VK_HOME:
        hot = 0;
        break;
    case VK_END:
        hot = n - 1;
        break;
    case VK_RETURN:
    case VK_SPACE:
        chosen_ = commands_[static_cast<size_t>(hot)];
        EndTracking();
        return true;
    default:
        return false;
    }
    hot_ = hot;
    HotChanged();
    return true;
}

void PopupBar::OnMouseMove(POINT client) {
    const int hot = HitTest(client);
    if (hot >= 0 && hot != hot_) {
        hot_ = hot;
        HotChanged();
    }
}

std::string PopupBar::AccessibleChildName(int child) const {
    return child >= 1 && child <= static_cast<int>(names_.size())
               ? names_[static_cast<size_t>(child - 1)]
               : std::string();
}

long PopupBar::AccessibleChildState(int child) const {
    return child >= 1 && child <= static_cast<int>(commands_.size()) &&
                   commands_[static_cast<size_t>(child - 1)] == checked_
               ? STATE_SYSTEM_SELECTED
               : 0;
}

bool PopupBar::OnClick(POINT client) {
    const int index = HitTest(client);
    if (index < 0) {
        return false;
    }
    chosen_ = commands_[static_cast<size_t>(index)];
    return true;
}

void PopupBar::OnPaint(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    RECT frame = client;
    DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT);
    for (int i = 0; i < static_cast<int>(commands_.size()); ++i) {
        RECT r = ButtonRect(i);
        const UINT command = commands_[static_cast<size_t>(i)];
        if (command == checked_) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        }
        if (i == hot_) {
            Brush pen(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
            FrameRect(dc, &r, pen.get());
            RECT inner = r;
            InflateRect(&inner, -1, -1);
            FrameRect(dc, &inner, pen.get());
        }
        const int x = r.left + (r.right - r.left - icon_.cx) / 2;
        const int y = r.top + (r.bottom - r.top - icon_.cy) / 2;
        if (!images_.Draw(command, dc, x, y)) {
            RECT empty{x, y, x + icon_.cx, y + icon_.cy};
            FrameRect(dc, &empty, GetSysColorBrush(COLOR_BTNSHADOW));
        }
    }
}

} // namespace qv::fw
