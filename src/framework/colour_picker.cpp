#include "framework/colour_picker.h"

#include "framework/gdi.h"
#include "framework/popup_bar.h"
#include "framework/text.h"
#include "framework/window.h"

#include <oleacc.h>

#include <algorithm>

namespace qv::fw {
namespace {

// A colour without a name, as a screen reader says it.
std::string RgbText(COLORREF c) {
    return "RGB(" + std::to_string(GetRValue(c)) + ", " + std::to_string(GetGValue(c)) + ", " +
           std::to_string(GetBValue(c)) + ")";
}

} // namespace

// The drop-down: the default entry across the top, then the palette in rows
// of eight. The keyboard moves a hot cell; Enter or Space chooses it.
class ColourPopup : public PopupWindow {
  public:
    static constexpr int kColumns = 8;
    static constexpr int kCell = 18;
    static constexpr int kMargin = 4;
    static constexpr int kDefaultRow = 22;

    explicit ColourPopup(ColourPicker& picker) : picker_(picker) {
        SetAccessibleName(picker.AccessibleName());
    }

    // Item 1 is the default entry, items 2 to 41 the palette.
    int AccessibleChildCount() const override { return ColourPicker::kPaletteSize + 1; }
    std::string AccessibleChildName(int child) const override {
        return picker_.PaletteName(child - 2);
    }
    long AccessibleChildState(int child) const override {
        const bool chosen =
            child == 1 ? picker_.isDefault_
                       : !picker_.isDefault_ &&
                             picker_.palette_[static_cast<size_t>(child - 2)] == picker_.colour_;
        return chosen ? STATE_SYSTEM_SELECTED : 0;
    }
    RECT AccessibleChildRect(int child) const override { return CellRect(child - 2); }
    int AccessibleFocusedChild() const override { return picker_.hot_ + 2; }

    // -2: nothing chosen; -1: the default; 0..39: a palette colour.
    int Run(HWND owner, const RECT& anchor) {
        chosen_ = -2;
        int hot = -1;
        if (!picker_.isDefault_) {
            for (int i = 0; i < ColourPicker::kPaletteSize; ++i) {
                if (picker_.palette_[static_cast<size_t>(i)] == picker_.colour_) {
                    hot = i;
                    break;
                }
            }
        }
        picker_.hot_ = hot;
        const int rows = (ColourPicker::kPaletteSize + kColumns - 1) / kColumns;
        const SIZE size{kColumns * kCell + 2 * kMargin, kDefaultRow + rows * kCell + 3 * kMargin};
        Track(owner, anchor, size);
        return chosen_;
    }

  protected:
    RECT CellRect(int cell) const {
        if (cell < 0) {
            return RECT{kMargin, kMargin, kMargin + kColumns * kCell, kMargin + kDefaultRow};
        }
        const int x = kMargin + (cell % kColumns) * kCell;
        const int y = 2 * kMargin + kDefaultRow + (cell / kColumns) * kCell;
        return RECT{x, y, x + kCell, y + kCell};
    }

    int HitTest(POINT p) const {
        for (int cell = -1; cell < ColourPicker::kPaletteSize; ++cell) {
            RECT r = CellRect(cell);
            if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) {
                return cell;
            }
        }
        return -2;
    }

    void OnPaint(HDC dc, const RECT& client) override {
        FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
        RECT frame = client;
        DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT);
        // The default entry: a swatch of the default colour and its text.
        RECT row = CellRect(-1);
        RECT swatch{row.left + 3, row.top + 4, row.left + 3 + 14, row.bottom - 4};
        Brush fill(CreateSolidBrush(picker_.default_));
        FillRect(dc, &swatch, fill.get());
        FrameRect(dc, &swatch, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT text = row;
        text.left = swatch.right + 6;
        // The button's own font: the dialog font of the menu language.
        HFONT own = reinterpret_cast<HFONT>(SendMessageW(picker_.hwnd(), WM_GETFONT, 0, 0));
        SelectScope font(dc, own != nullptr ? own : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        DrawLabel(dc, picker_.defaultText_, text,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (picker_.isDefault_) {
            DrawEdge(dc, &row, BDR_SUNKENOUTER, BF_RECT);
        }
        for (int cell = 0; cell < ColourPicker::kPaletteSize; ++cell) {
            RECT r = CellRect(cell);
            RECT inner = r;
            InflateRect(&inner, -3, -3);
            Brush colour(CreateSolidBrush(picker_.palette_[static_cast<size_t>(cell)]));
            FillRect(dc, &inner, colour.get());
            FrameRect(dc, &inner, GetSysColorBrush(COLOR_BTNSHADOW));
            if (!picker_.isDefault_ &&
                picker_.palette_[static_cast<size_t>(cell)] == picker_.colour_) {
                DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
            }
        }
        // The hot cell: a highlight frame of two pixels.
        RECT hot = CellRect(picker_.hot_);
        Brush highlight(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
        FrameRect(dc, &hot, highlight.get());
        InflateRect(&hot, -1, -1);
        FrameRect(dc, &hot, highlight.get());
    }

    bool OnKey(UINT key) override {
        const int n = ColourPicker::kPaletteSize;
        int hot = picker_.hot_;
        switch (key) {
        case VK_LEFT:
            hot = hot < 0 ? n - 1 : hot - 1;
            break;
        case VK_RIGHT:
            hot = hot >= n - 1 ? -1 : hot + 1;
            break;
        case VK_UP:
            hot = hot < 0 ? n - kColumns : (hot < kColumns ? -1 : hot - kColumns);
            break;
        case VK_DOWN:
            hot = hot < 0 ? 0 : (hot + kColumns >= n ? -1 : hot + kColumns);
            break;
        case VK_HOME:
            hot = -1;
            break;
        case VK_END:
            hot = n - 1;
            break;
        case VK_RETURN:
        case VK_SPACE:
            chosen_ = hot;
            EndTracking();
            return true;
        default:
            return false;
        }
        picker_.hot_ = hot;
        HotChanged();
        return true;
    }

    void OnMouseMove(POINT p) override {
        const int cell = HitTest(p);
        if (cell >= -1 && cell != picker_.hot_) {
            picker_.hot_ = cell;
            HotChanged();
        }
    }

    bool OnClick(POINT p) override {
        const int cell = HitTest(p);
        if (cell < -1) {
            return false;
        }
        chosen_ = cell;
        return true;
    }

  private:
    ColourPicker& picker_;
    int chosen_ = -2;
};

ColourPicker::ColourPicker() {
    palette_.fill(0);
}

bool ColourPicker::Attach(HWND dialog, int id) {
    HWND button = DialogItem(dialog, id);
    if (button == nullptr || !Subclass(button)) {
        return false;
    }
    SetAccessibleSource(this);
    // Owner-drawn: the button itself draws nothing, the picker paints it.
    SendMessageA(button, BM_SETSTYLE, BS_OWNERDRAW, FALSE);
    InvalidateRect(button, nullptr, TRUE);
    return true;
}

void ColourPicker::SetPalette(const COLORREF* colours, int count) {
    palette_.fill(0);
    for (int i = 0; colours != nullptr && i < count && i < kPaletteSize; ++i) {
        palette_[static_cast<size_t>(i)] = colours[i] & 0x00FFFFFF;
    }
}

void ColourPicker::SetColour(COLORREF colour) {
    const bool changed = isDefault_ || colour_ != colour;
    colour_ = colour;
    isDefault_ = false;
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        if (changed) {
            NotifyAccessibleValue(hwnd());
        }
    }
}

void ColourPicker::Reset() {
    const bool changed = !isDefault_;
    isDefault_ = true;
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        if (changed) {
            NotifyAccessibleValue(hwnd());
        }
    }
}

std::string ColourPicker::PaletteName(int index) const {
    if (index < 0) {
        return defaultText_;
    }
    if (index < static_cast<int>(names_.size()) && !names_[static_cast<size_t>(index)].empty()) {
        return names_[static_cast<size_t>(index)];
    }
    return RgbText(index < kPaletteSize ? palette_[static_cast<size_t>(index)] : 0);
}

std::string ColourPicker::ColourName() const {
    if (isDefault_) {
        return defaultText_;
    }
    for (int i = 0; i < kPaletteSize; ++i) {
        if (palette_[static_cast<size_t>(i)] == colour_) {
            return PaletteName(i);
        }
    }
    return RgbText(colour_);
}

long ColourPicker::AccessibleRole() const {
    return ROLE_SYSTEM_BUTTONDROPDOWN;
}

void ColourPicker::Exchange(bool save, uint32_t& member, uint32_t defaultValue) {
    if (save) {
        member = isDefault_ ? defaultValue : static_cast<uint32_t>(colour_);
    } else if (member == defaultValue) {
        Reset();
    } else {
        SetColour(static_cast<COLORREF>(member));
    }
}

void ColourPicker::Notify() {
    HWND parent = GetParent(hwnd());
    if (parent != nullptr) {
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), kChanged),
                     reinterpret_cast<LPARAM>(hwnd()));
    }
}

bool ColourPicker::DropDown() {
    if (hwnd() == nullptr || dropped_ || !IsWindowEnabled(hwnd())) {
        return false;
    }
    dropped_ = true;
    InvalidateRect(hwnd(), nullptr, FALSE);
    RECT anchor{};
    GetWindowRect(hwnd(), &anchor);
    ColourPopup popup(*this);
    const int chosen = popup.Run(hwnd(), anchor);
    dropped_ = false;
    hot_ = -1;
    if (IsWindow(hwnd())) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
    if (chosen < -1) {
        return false;
    }
    if (chosen == -1) {
        Reset();
    } else {
        SetColour(palette_[static_cast<size_t>(chosen)]);
    }
    Notify();
    return true;
}

void ColourPicker::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
    const bool pushed = dropped_ || (SendMessageA(hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    RECT face = client;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int arrowWidth = 12;
    const int shift = pushed ? 1 : 0;
    // The colour swatch.
    RECT swatch{client.left + 5 + shift, client.top + 4 + shift,
                client.right - arrowWidth - 6 + shift, client.bottom - 4 + shift};
    if (swatch.right > swatch.left && swatch.bottom > swatch.top) {
        if (enabled) {
            Brush fill(CreateSolidBrush(Colour()));
            FillRect(dc, &swatch, fill.get());
        }
        FrameRect(dc, &swatch, GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    }
    // A separator and the drop arrow.
    const int sepX = client.right - arrowWidth - 2 + shift;
    RECT sep{sepX, client.top + 4 + shift, sepX + 2, client.bottom - 4 + shift};
    DrawEdge(dc, &sep, EDGE_ETCHED, BF_LEFT);
    Pen arrowPen(CreatePen(PS_SOLID, 1, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT)));
    SelectScope pen(dc, arrowPen.get());
    const int ax = sepX + 3;
    const int ay = (client.top + client.bottom) / 2 - 1 + shift;
    for (int i = 0; i < 4; ++i) {
        MoveToEx(dc, ax + i, ay + i, nullptr);
        LineTo(dc, ax + 7 - i, ay + i);
    }
    if (GetFocus() == hwnd() && !dropped_) {
        RECT focus = client;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT ColourPicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        Paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case BM_CLICK:
        DropDown();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd());
        DropDown();
        return 0;
    case WM_LBUTTONUP:
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == VK_RETURN || wParam == VK_F4 || wParam == VK_DOWN) {
            DropDown();
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN) {
            DropDown();
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE) {
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        // Enter opens the drop-down instead of pressing the default button.
        if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
            return DLGC_WANTMESSAGE | DLGC_BUTTON;
        }
        // A plain button to the dialog manager: it must not restyle the
        // picker as its default push button.
        return DLGC_BUTTON;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case BM_SETSTATE:
    case WM_UPDATEUISTATE:
    case WM_SETTEXT: {
        LRESULT result = Default(message, wParam, lParam);
        InvalidateRect(hwnd(), nullptr, FALSE);
        return result;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

} // namespace qv::fw
