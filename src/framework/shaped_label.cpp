#include "framework/shaped_label.h"

#include "framework/gdi.h"
#include "framework/subclass.h"
#include "framework/window.h"
#include "framework/text.h"

#include <usp10.h>

#include <algorithm>

#include <string>
#include <vector>

namespace qv::fw {
namespace {

enum class Kind { None, Static, Push, Check, Radio, Group };

Kind KindOf(HWND control) {
    wchar_t cls[16] = {};
    GetClassNameW(control, cls, 16);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (lstrcmpiW(cls, L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        const bool text = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ||
                          type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE;
        return text && (style & SS_NOPREFIX) == 0 ? Kind::Static : Kind::None;
    }
    if (lstrcmpiW(cls, L"Button") != 0 || (style & (BS_BITMAP | BS_ICON | BS_MULTILINE)) != 0) {
        return Kind::None;
    }
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return Kind::Push;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return Kind::Check;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return Kind::Radio;
    case BS_GROUPBOX:
        return Kind::Group;
    default:
        return Kind::None;
    }
}

// A label text without its access-key marks: "&&" is an ampersand, "&x"
// marks x. `key` is the marked character's index, -1 for none.
std::wstring StripAccessKey(const std::wstring& text, int& key) {
    std::wstring out;
    key = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != L'&' && key < 0) {
                key = static_cast<int>(out.size());
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

// The shaped text of one line in a DC, freed at scope end.
class ShapedLine {
  public:
    ShapedLine(HDC dc, const std::wstring& text) {
        if (!text.empty()) {
            ScriptStringAnalyse(dc, text.c_str(), static_cast<int>(text.size()),
                                static_cast<int>(text.size() * 3 / 2 + 16), -1, SSA_GLYPHS, 0,
                                nullptr, nullptr, nullptr, nullptr, nullptr, &analysis_);
        }
    }
    ~ShapedLine() {
        if (analysis_ != nullptr) {
            ScriptStringFree(&analysis_);
        }
    }
    ShapedLine(const ShapedLine&) = delete;
    ShapedLine& operator=(const ShapedLine&) = delete;

    int Width() const {
        const SIZE* size = analysis_ != nullptr ? ScriptString_pSize(analysis_) : nullptr;
        return size != nullptr ? size->cx : 0;
    }
    // Left and right of a character as drawn.
    bool CharSpan(int index, int& left, int& right) const {
        if (analysis_ == nullptr || FAILED(ScriptStringCPtoX(analysis_, index, FALSE, &left)) ||
            FAILED(ScriptStringCPtoX(analysis_, index, TRUE, &right))) {
            return false;
        }
        if (left > right) {
            std::swap(left, right);
        }
        return true;
    }
    void Draw(int x, int y, bool disabled) const {
        if (analysis_ != nullptr) {
            ScriptStringOut(analysis_, x, y, 0, nullptr, 0, 0, disabled ? TRUE : FALSE);
        }
    }

  private:
    SCRIPT_STRING_ANALYSIS analysis_ = nullptr;
};

// Where one line of a wrapped text starts, and how long it is.
struct LineSpan {
    size_t start;
    size_t length;
};

// The lines of `text` at `width`, broken at spaces: each line holds as many
// whole words as fit its shaped width, and at least one. The spaces between
// lines belong to neither.
std::vector<LineSpan> WrapLines(HDC dc, const std::wstring& text, int width) {
    std::vector<LineSpan> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = 0;
        for (size_t from = start;;) {
            const size_t space = text.find(L' ', from);
            const size_t wordEnd = space == std::wstring::npos ? text.size() : space;
            if (end != 0 && ShapedLine(dc, text.substr(start, wordEnd - start)).Width() > width) {
                break;
            }
            end = wordEnd;
            if (space == std::wstring::npos) {
                break;
            }
            from = space + 1;
        }
        lines.push_back({start, end - start});
        start = text.find_first_not_of(L' ', end);
        if (start == std::wstring::npos) {
            break;
        }
    }
    return lines;
}

class ShapedLabel : public SubclassedWindow {
  public:
    explicit ShapedLabel(Kind kind) : kind_(kind) {}

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
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
        case WM_ERASEBKGND:
            return 1;
        case BM_SETCHECK:
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_SETFONT:
        case WM_UPDATEUISTATE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CAPTURECHANGED: {
            // The control paints its own look for these at once: paint over it.
            LRESULT r = Default(message, wParam, lParam);
            if (IsWindow(hwnd())) {
                RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
            return r;
        }
        default:
            return Default(message, wParam, lParam);
        }
    }

    // The control ends, and its painter with it.
    void OnFinalMessage() override { delete this; }

  private:
    void Paint(HDC dc) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        HWND parent = GetParent(hwnd());
        const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
        HBRUSH brush = reinterpret_cast<HBRUSH>(
            SendMessageW(parent, kind_ == Kind::Push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC,
                         reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
        if (brush == nullptr) {
            brush = GetSysColorBrush(COLOR_BTNFACE);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        }
        FillRect(dc, &client, brush);
        SetBkMode(dc, TRANSPARENT);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
        SelectScope selectFont(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        int key = -1;
        const std::wstring text = StripAccessKey(Widen(WindowText(hwnd())), key);
        const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
        if (!enabled) {
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        }
        if (kind_ == Kind::Static) {
            PaintStatic(dc, client, text, key, style, metrics);
            return;
        }
        ShapedLine line(dc, text);
        const LRESULT state = SendMessageW(hwnd(), BM_GETSTATE, 0, 0);
        const bool focused = GetFocus() == hwnd();

        RECT textArea = client;
        int x = 0;
        switch (kind_) {
        case Kind::Push: {
            UINT frame = DFCS_BUTTONPUSH | ((state & BST_PUSHED) != 0 ? DFCS_PUSHED : 0);
            RECT edge = client;
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                FrameRect(dc, &edge, GetSysColorBrush(COLOR_WINDOWFRAME));
                InflateRect(&edge, -1, -1);
            }
            DrawFrameControl(dc, &edge, DFC_BUTTON, frame);
            x = (client.right - line.Width()) / 2;
            break;
        }
        case Kind::Check:
        case Kind::Radio: {
            const int box = GetSystemMetrics(SM_CXMENUCHECK);
            RECT mark{0, (client.bottom - box) / 2, box, (client.bottom - box) / 2 + box};
            UINT frame = kind_ == Kind::Check ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
            const LRESULT check = SendMessageW(hwnd(), BM_GETCHECK, 0, 0);
            frame |= check == BST_CHECKED ? DFCS_CHECKED : 0;
            frame |= check == BST_INDETERMINATE ? DFCS_BUTTON3STATE | DFCS_CHECKED : 0;
            frame |= (state & BST_PUSHED) != 0 ? DFCS_PUSHED : 0;
            frame |= enabled ? 0 : DFCS_INACTIVE;
            DrawFrameControl(dc, &mark, DFC_BUTTON, frame);
            x = box + 4;
            textArea.left = x - 1;
            textArea.right = x + line.Width() + 1;
            break;
        }
        case Kind::Group: {
            RECT edge{client.left, metrics.tmHeight / 2, client.right, client.bottom};
            DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
            x = 8;
            RECT behind{x - 2, 0, x + line.Width() + 2, metrics.tmHeight};
            FillRect(dc, &behind, brush);
            break;
        }
        case Kind::Static:
        case Kind::None:
            break;
        }
        const int y = kind_ == Kind::Group ? 0 : (client.bottom - metrics.tmHeight) / 2;
        line.Draw(x, y, false);
        const LRESULT ui = SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0);
        if ((ui & UISF_HIDEACCEL) == 0) {
            Underline(dc, line, key, x, y + metrics.tmAscent + 1);
        }
        if (focused && kind_ != Kind::Group && (ui & UISF_HIDEFOCUS) == 0) {
            RECT focus = kind_ == Kind::Push ? client : textArea;
            if (kind_ == Kind::Push) {
                InflateRect(&focus, -4, -4);
            } else {
                focus.top = y;
                focus.bottom = y + metrics.tmHeight;
            }
            DrawFocusRect(dc, &focus);
        }
    }

    // A static text, wrapped at spaces as the control wraps it when its style
    // does and it is taller than one line; each line aligned as the style says.
    void PaintStatic(HDC dc, const RECT& client, const std::wstring& text, int key, LONG style,
                     const TEXTMETRICW& metrics) {
        const LONG type = style & SS_TYPEMASK;
        const bool wraps = (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) &&
                           client.bottom >= 2 * metrics.tmHeight;
        const bool showKey = (SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) == 0;
        int y = 0;
        for (const LineSpan& span :
             wraps ? WrapLines(dc, text, client.right) : std::vector<LineSpan>{{0, text.size()}}) {
            ShapedLine line(dc, text.substr(span.start, span.length));
            const int x = type == SS_CENTER  ? (client.right - line.Width()) / 2
                          : type == SS_RIGHT ? client.right - line.Width()
                                             : 0;
            line.Draw(x, y, false);
            const int at = key - static_cast<int>(span.start);
            if (showKey && at >= 0 && at < static_cast<int>(span.length)) {
                Underline(dc, line, at, x, y + metrics.tmAscent + 1);
            }
            y += metrics.tmHeight;
        }
    }

    // The access key's underline under character `key` of a line drawn at `x`.
    static void Underline(HDC dc, const ShapedLine& line, int key, int x, int y) {
        int left = 0;
        int right = 0;
        if (key >= 0 && line.CharSpan(key, left, right)) {
            Pen pen(CreatePen(PS_SOLID, 1, GetTextColor(dc)));
            SelectScope selectPen(dc, pen.get());
            MoveToEx(dc, x + left, y, nullptr);
            LineTo(dc, x + right, y);
        }
    }

    Kind kind_;
};

} // namespace

bool NeedsShapedLabel(HWND control) {
    if (control == nullptr || KindOf(control) == Kind::None) {
        return false;
    }
    int key = -1;
    const std::wstring text = StripAccessKey(Widen(WindowText(control)), key);
    // Characters before U+0300 (Latin and its neighbours) never combine into
    // clusters: the control's own underline falls under the key already.
    if (key <= 0 || std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x0300; })) {
        return false;
    }
    WindowDC screen(nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    SelectScope select(screen.get(), font);
    SIZE unshaped{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), key, &unshaped);
    ShapedLine line(screen.get(), text);
    int left = 0;
    int right = 0;
    return line.CharSpan(key, left, right) && (left - unshaped.cx > 1 || unshaped.cx - left > 1);
}

bool UseShapedLabel(HWND control) {
    const Kind kind = KindOf(control);
    if (kind == Kind::None) {
        return false;
    }
    auto* label = new ShapedLabel(kind);
    if (!label->Subclass(control)) {
        delete label;
        return false;
    }
    InvalidateRect(control, nullptr, TRUE);
    return true;
}

} // namespace qv::fw
