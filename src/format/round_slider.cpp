#include "format/round_slider.h"

#include "framework/text.h"
#include "framework/window.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>

namespace qv::format {
namespace {

// The dial is drawn this many times larger and averaged down, which smooths
// its edges.
constexpr int kScale = 4;

struct Dib {
    HBITMAP bitmap = nullptr;
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    Dib(HDC reference, int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
    }
    ~Dib() {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
    }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;
    explicit operator bool() const { return bitmap != nullptr && bits != nullptr; }
};

class MemoryDC {
  public:
    explicit MemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
    ~MemoryDC() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

void Circle(HDC dc, double x, double y, double r) {
    Ellipse(dc, static_cast<int>(std::lround(x - r)), static_cast<int>(std::lround(y - r)),
            static_cast<int>(std::lround(x + r)), static_cast<int>(std::lround(y + r)));
}

} // namespace

CRoundSliderCtrl::CRoundSliderCtrl()
    : text_("%ld\xB0"), font_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
      textColour_(GetSysColor(COLOR_WINDOWTEXT)),
      faceBrush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      backBrush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {}

bool CRoundSliderCtrl::Attach(HWND dialog, int id) {
    HWND control = fw::DialogItem(dialog, id);
    if (control == nullptr || !Subclass(control)) {
        return false;
    }
    SetAccessibleSource(this);
    Layout();
    InvalidateRect(control, nullptr, TRUE);
    return true;
}

long CRoundSliderCtrl::AccessibleRole() const {
    return ROLE_SYSTEM_DIAL;
}

void CRoundSliderCtrl::SetRange(int minimum, int maximum) {
    if (hwnd() != nullptr) {
        SendMessageA(hwnd(), TBM_SETRANGEMIN, FALSE, minimum);
        SendMessageA(hwnd(), TBM_SETRANGEMAX, TRUE, maximum);
    }
}

void CRoundSliderCtrl::SetPos(int position) {
    if (hwnd() != nullptr) {
        SendMessageA(hwnd(), TBM_SETPOS, TRUE, position);
    }
}

int CRoundSliderCtrl::Pos() const {
    return hwnd() != nullptr ? static_cast<int>(SendMessageA(hwnd(), TBM_GETPOS, 0, 0)) : 0;
}

void CRoundSliderCtrl::SetZeroAngle(int degrees) {
    zeroAngle_ = degrees;
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void CRoundSliderCtrl::SetInverted(bool inverted) {
    inverted_ = inverted;
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void CRoundSliderCtrl::SetText(std::string text) {
    const bool changed = text != text_;
    text_ = std::move(text);
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        UpdateWindow(hwnd());
        if (changed) {
            fw::NotifyAccessibleValue(hwnd());
        }
    }
}

std::string CRoundSliderCtrl::ShownText() const {
    std::string shown = text_;
    const size_t at = shown.find("%ld");
    if (at != std::string::npos) {
        shown.replace(at, 3, std::to_string(Pos()));
    }
    return shown;
}

core::DialGeometry CRoundSliderCtrl::Geometry() const {
    core::DialGeometry dial;
    if (hwnd() != nullptr) {
        dial.minimum = static_cast<int>(SendMessageA(hwnd(), TBM_GETRANGEMIN, 0, 0));
        dial.maximum = static_cast<int>(SendMessageA(hwnd(), TBM_GETRANGEMAX, 0, 0));
    }
    dial.zeroAngle = zeroAngle_;
    dial.inverted = inverted_;
    return dial;
}

POINT CRoundSliderCtrl::KnobPoint(int position) const {
    const core::DialOffset offset = core::DialKnobOffset(Geometry(), position, dialRadius_);
    return POINT{centre_.x + static_cast<LONG>(std::lround(offset.dx)),
                 centre_.y + static_cast<LONG>(std::lround(offset.dy))};
}

void CRoundSliderCtrl::Layout() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;
    centre_ = POINT{w / 2, h / 2};
    dialRadius_ = std::max(0, std::min(w, h) / 2 - knobRadius_ - 1);
}

void CRoundSliderCtrl::Notify(int code, int position) {
    HWND parent = GetParent(hwnd());
    if (parent != nullptr) {
        SendMessageA(parent, WM_HSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(hwnd()));
    }
}

void CRoundSliderCtrl::MoveTo(int position, int code) {
    SendMessageA(hwnd(), TBM_SETPOS, TRUE, position);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Notify(code, Pos());
}

void CRoundSliderCtrl::Step(int delta, int code) {
    MoveTo(core::DialStep(Geometry(), Pos(), delta), code);
}

void CRoundSliderCtrl::Paint(HDC target) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int w = client.right;
    const int h = client.bottom;
    if (w <= 0 || h <= 0) {
        return;
    }
    const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
    Dib big(target, w * kScale, h * kScale);
    Dib small(target, w, h);
    MemoryDC bigDc(target);
    MemoryDC smallDc(target);
    if (!big || !small || bigDc.get() == nullptr || smallDc.get() == nullptr) {
        FillRect(target, &client, backBrush_.get());
        return;
    }
    {
        fw::SelectScope bitmap(bigDc.get(), big.bitmap);
        HDC dc = bigDc.get();
        RECT all{0, 0, w * kScale, h * kScale};
        FillRect(dc, &all, backBrush_.get());

        const double s = kScale;
        const double cx = (centre_.x + 0.5) * s;
        const double cy = (centre_.y + 0.5) * s;
        const double r = dialRadius_ * s;
        const COLORREF outline = GetSysColor(COLOR_BTNSHADOW);
        const COLORREF ink = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
        const COLORREF knobFill = enabled ? GetSysColor(COLOR_HIGHLIGHT) : outline;

        // The dial: the reachable right half on the window colour, the left
        // half on the face colour, one outline round both.
        fw::Brush window(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
        fw::Pen outlinePen(CreatePen(PS_SOLID, kScale, outline));
        fw::Pen noPen(CreatePen(PS_NULL, 0, 0));
        {
            fw::SelectScope brush(dc, faceBrush_.get());
            fw::SelectScope pen(dc, outlinePen.get());
            Circle(dc, cx, cy, r);
        }
        {
            fw::SelectScope brush(dc, window.get());
            fw::SelectScope pen(dc, noPen.get());
            const int l = static_cast<int>(std::lround(cx - r + s));
            const int t = static_cast<int>(std::lround(cy - r + s));
            const int rr = static_cast<int>(std::lround(cx + r - s));
            const int b = static_cast<int>(std::lround(cy + r - s));
            const int mx = static_cast<int>(std::lround(cx));
            Pie(dc, l, t, rr, b, mx, b, mx, t);
        }
        // Ticks every 15 degrees over the reachable half; larger at 0 and +-90.
        fw::Brush tickBrush(CreateSolidBrush(outline));
        {
            fw::SelectScope brush(dc, tickBrush.get());
            fw::SelectScope pen(dc, noPen.get());
            const core::DialGeometry dial = Geometry();
            for (int degrees = -90; degrees <= 90; degrees += 15) {
                const core::DialOffset o =
                    core::DialKnobOffset(dial, core::DialPositionOfDegrees(degrees), r);
                const double dot = (degrees % 90 == 0 ? 2.0 : 1.3) * s;
                Circle(dc, cx + o.dx, cy + o.dy, dot);
            }
        }
        // The needle from the centre's text area to the knob, then the knob.
        const int position = Pos();
        const core::DialOffset knob = core::DialKnobOffset(Geometry(), position, r);
        const double inner = std::min(r * 0.42, 16.0 * s);
        const double length = std::hypot(knob.dx, knob.dy);
        if (length > inner) {
            fw::Pen needle(CreatePen(PS_SOLID, kScale * 3 / 2, ink));
            fw::SelectScope pen(dc, needle.get());
            MoveToEx(dc, static_cast<int>(std::lround(cx + knob.dx * inner / length)),
                     static_cast<int>(std::lround(cy + knob.dy * inner / length)), nullptr);
            LineTo(dc, static_cast<int>(std::lround(cx + knob.dx)),
                   static_cast<int>(std::lround(cy + knob.dy)));
        }
        {
            fw::Brush fill(CreateSolidBrush(knobFill));
            fw::Pen edge(CreatePen(PS_SOLID, kScale, ink));
            fw::SelectScope brush(dc, fill.get());
            fw::SelectScope pen(dc, edge.get());
            Circle(dc, cx + knob.dx, cy + knob.dy, knobRadius_ * s);
        }
        GdiFlush();
    }
    // Average each kScale x kScale block into one pixel.
    const int bigWidth = w * kScale;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            unsigned sum[3] = {0, 0, 0};
            for (int dy = 0; dy < kScale; ++dy) {
                const uint32_t* row = big.bits + static_cast<size_t>(y * kScale + dy) * bigWidth;
                for (int dx = 0; dx < kScale; ++dx) {
                    const uint32_t p = row[x * kScale + dx];
                    sum[0] += p & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += (p >> 16) & 0xFF;
                }
            }
            const unsigned n = kScale * kScale;
            small.bits[static_cast<size_t>(y) * w + x] =
                ((sum[2] + n / 2) / n) << 16 | ((sum[1] + n / 2) / n) << 8 | ((sum[0] + n / 2) / n);
        }
    }
    fw::SelectScope bitmap(smallDc.get(), small.bitmap);
    HDC dc = smallDc.get();
    // The centre text and the focus frame on top, at the screen's resolution.
    const std::string shown = ShownText();
    if (!shown.empty()) {
        fw::SelectScope font(dc, font_);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, enabled ? textColour_ : GetSysColor(COLOR_GRAYTEXT));
        RECT text{centre_.x - dialRadius_, centre_.y - 10, centre_.x + dialRadius_, centre_.y + 10};
        fw::DrawLabel(dc, shown, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (GetFocus() == hwnd()) {
        RECT focus = client;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
    BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

LRESULT CRoundSliderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        Default(message, wParam, lParam);
        Layout();
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        Paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(hwnd());
        const int dx = static_cast<short>(LOWORD(lParam)) - centre_.x;
        const int dy = static_cast<short>(HIWORD(lParam)) - centre_.y;
        if (innerCircleOnly_ && std::hypot(dx, dy) > dialRadius_) {
            return 0;
        }
        dragging_ = true;
        SetCapture(hwnd());
        MoveTo(core::DialPositionAt(Geometry(), dx, dy), TB_THUMBTRACK);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (dragging_) {
            const int dx = static_cast<short>(LOWORD(lParam)) - centre_.x;
            const int dy = static_cast<short>(HIWORD(lParam)) - centre_.y;
            const int position = core::DialPositionAt(Geometry(), dx, dy);
            if (position != Pos()) {
                MoveTo(position, TB_THUMBTRACK);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) {
            dragging_ = false;
            if (GetCapture() == hwnd()) {
                ReleaseCapture();
            }
            Notify(TB_ENDTRACK, Pos());
        }
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    case WM_KEYDOWN: {
        const int line = std::max(1, static_cast<int>(SendMessageA(hwnd(), TBM_GETLINESIZE, 0, 0)));
        const int page = std::max(1, static_cast<int>(SendMessageA(hwnd(), TBM_GETPAGESIZE, 0, 0)));
        switch (wParam) {
        case VK_UP:
        case VK_RIGHT:
            Step(line, TB_LINEUP);
            return 0;
        case VK_LEFT:
        case VK_DOWN:
            Step(-line, TB_LINEDOWN);
            return 0;
        case VK_NEXT:
            Step(page, TB_PAGEDOWN);
            return 0;
        case VK_PRIOR:
            Step(-page, TB_PAGEUP);
            return 0;
        case VK_HOME:
        case VK_END:
            return 0;
        default:
            break;
        }
        break;
    }
    case WM_KEYUP:
        switch (wParam) {
        case VK_UP:
        case VK_RIGHT:
        case VK_LEFT:
        case VK_DOWN:
        case VK_NEXT:
        case VK_PRIOR:
        case VK_HOME:
        case VK_END:
            return 0;
        default:
            break;
        }
        break;
    case WM_MOUSEWHEEL: {
        const int line = std::max(1, static_cast<int>(SendMessageA(hwnd(), TBM_GETLINESIZE, 0, 0)));
        const short delta = static_cast<short>(HIWORD(wParam));
        if (delta > 0) {
            Step(line, TB_LINEUP);
        } else if (delta < 0) {
            Step(-line, TB_LINEDOWN);
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case TBM_SETPOS:
    case TBM_SETRANGE:
    case TBM_SETRANGEMIN:
    case TBM_SETRANGEMAX: {
        LRESULT result = Default(message, wParam, lParam);
        InvalidateRect(hwnd(), nullptr, FALSE);
        return result;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

} // namespace qv::format
