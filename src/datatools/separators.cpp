#include "datatools/separators.h"

#include "frame/host_data.h"
#include "framework/module.h"
#include "framework/text.h"
#include "resource.h"

#include <windowsx.h>

#include <oleacc.h>

#include <algorithm>
#include <cstring>

namespace qv::datatools {
namespace {

RECT ToRect(const core::SeparatorRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    fw::Brush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Paints through an off-screen bitmap so that scrolling does not flicker.
template <class Draw> void PaintBuffered(HWND hwnd, Draw draw) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width > 0 && height > 0) {
        HDC memory = CreateCompatibleDC(dc);
        fw::Bitmap bitmap(CreateCompatibleBitmap(dc, width, height));
        if (memory != nullptr && bitmap) {
            {
                fw::SelectScope select(memory, bitmap.get());
                draw(memory);
                BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
            }
        } else {
            draw(dc);
        }
        if (memory != nullptr) {
            DeleteDC(memory);
        }
    }
    EndPaint(hwnd, &ps);
}

HWND CreateStaticChild(HWND parent, const char* name, const RECT& rect) {
    return CreateWindowExA(0, "STATIC", name, WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                           fw::OwnModule(), nullptr);
}

} // namespace

// ---- class registration ------------------------------------------------------

SeparatorsClassRegistration::SeparatorsClassRegistration() {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(fw::OwnModule(), kSeparatorsClass, &existing)) {
        return;
    }
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = fw::OwnModule();
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kSeparatorsClass;
    registered_ = RegisterClassExA(&wc) != 0;
}

SeparatorsClassRegistration::~SeparatorsClassRegistration() {
    if (registered_) {
        UnregisterClassA(kSeparatorsClass, fw::OwnModule());
    }
}

// ---- CQVColorFont ---------------------------------------------------------------

CQVColorFont::CQVColorFont() : CQVColorFont("Times New Roman") {}

CQVColorFont::CQVColorFont(const char* face) {
    logFont_.lfHeight = 16;
    logFont_.lfWeight = FW_NORMAL;
    logFont_.lfQuality = PROOF_QUALITY;
    logFont_.lfPitchAndFamily = 18;
    if (face != nullptr) {
        strncpy(logFont_.lfFaceName, face, LF_FACESIZE - 1);
    }
    Create();
}

void CQVColorFont::SetHeight(int height) {
    logFont_.lfHeight = height;
    Create();
}

void CQVColorFont::SetPitchAndFamily(BYTE pitchAndFamily) {
    logFont_.lfPitchAndFamily = pitchAndFamily;
    Create();
}

void CQVColorFont::Create() {
    font_.Reset(CreateFontIndirectA(&logFont_));
}

// ---- CQVFlatDisplay ---------------------------------------------------------------

bool CQVFlatDisplay::Create(HWND parent, const RECT& rect) {
    HWND hwnd = CreateStaticChild(parent, "Flat Display", rect);
    return hwnd != nullptr && Subclass(hwnd);
}

void CQVFlatDisplay::SetText(const std::string& text) {
    lines_ = core::SplitDisplayText(text);
}

void CQVFlatDisplay::SetOrigin(int column, int row) {
    firstColumn_ = std::max(column, 0);
    firstRow_ = std::max(row, 0);
}

void CQVFlatDisplay::SetFont(const CQVColorFont* font) {
    font_ = font;
    Measure();
}

void CQVFlatDisplay::Measure() {
    if (font_ == nullptr || font_->get() == nullptr) {
        return;
    }
    fw::MeasuringDC screen;
    fw::SelectScope select(screen.get(), font_->get());
    SIZE size{};
    if (GetTextExtentPoint32A(screen.get(), " ", 1, &size) && size.cx > 0 && size.cy > 0) {
        charWidth_ = size.cx;
        charHeight_ = size.cy;
    }
}

void CQVFlatDisplay::Repaint() const {
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

LRESULT CQVFlatDisplay::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (charWidth_ < 0) {
            Measure();
        }
        PaintBuffered(hwnd(), [this](HDC dc) { Paint(dc); });
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

void CQVFlatDisplay::Paint(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    FillSolid(dc, RECT{0, 0, width, margin_}, GetSysColor(COLOR_BTNFACE));
    FillSolid(dc, RECT{0, margin_, width, height}, background_);

    if (font_ != nullptr && font_->get() != nullptr && charHeight_ > 0 && charWidth_ > 0) {
        fw::SelectScope select(dc, font_->get());
        SetTextColor(dc, font_->Colour());
        SetBkColor(dc, background_);
        SetBkMode(dc, OPAQUE);
        const size_t visibleColumns = static_cast<size_t>(width / charWidth_) + 2;
        int y = margin_;
        for (size_t row = static_cast<size_t>(firstRow_); row < lines_.lines.size() && y < height;
             ++row, y += charHeight_) {
            const std::string& line = lines_.lines[row];
            if (static_cast<size_t>(firstColumn_) >= line.size()) {
                continue;
            }
            const size_t count = std::min(line.size() - firstColumn_, visibleColumns);
            const std::wstring shown = fw::Widen(frame::FromHostText(
                std::string_view(line).substr(static_cast<size_t>(firstColumn_), count)));
            ExtTextOutW(dc, 0, y, 0, nullptr, shown.c_str(), static_cast<UINT>(shown.size()),
                        nullptr);
        }
    }

    fw::Pen pen(CreatePen(PS_SOLID, 1, frameColour_));
    fw::Brush brush(CreateSolidBrush(frameColour_));
    {
        fw::SelectScope selectPen(dc, pen.get());
        for (const core::BreakLine& line :
             core::VisibleBreakLines(breaks_, firstColumn_, width, charWidth_)) {
            Line(dc, line.x, 0, line.x, height);
            for (const core::MarkerRow& row : core::BreakMarker(line.x, width)) {
                RECT r{row.left, row.y, row.right, row.y + 1};
                FillRect(dc, &r, brush.get());
            }
        }
    }
    if (cursor_ >= 0 && charWidth_ > 0 && cursor_ >= firstColumn_) {
        const long long x = static_cast<long long>(cursor_ - firstColumn_) * charWidth_;
        if (x >= 0 && x < width) {
            fw::Pen dotted(CreatePen(PS_DOT, 1, frameColour_));
            fw::SelectScope selectPen(dc, dotted.get());
            SetBkMode(dc, TRANSPARENT);
            Line(dc, static_cast<int>(x), margin_, static_cast<int>(x), height);
        }
    }
    FrameRect(dc, &client, brush.get());
}

// ---- CQVScaleLine -----------------------------------------------------------------

CQVScaleLine::CQVScaleLine() : font_("Arial") {
    font_.SetHeight(-10);
}

bool CQVScaleLine::Create(HWND parent, const RECT& rect) {
    HWND hwnd = CreateStaticChild(parent, "Main Scale", rect);
    return hwnd != nullptr && Subclass(hwnd);
}

void CQVScaleLine::SetTickLengths(int major, int middle, int minor) {
    majorTick_ = major;
    middleTick_ = middle;
    minorTick_ = minor;
}

void CQVScaleLine::SetIntervals(int major, int middle) {
    intervals_ = core::NormaliseRulerIntervals(major, middle);
}

void CQVScaleLine::Repaint() const {
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

LRESULT CQVScaleLine::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(hwnd(), [this](HDC dc) { Paint(dc); });
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

void CQVScaleLine::Paint(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right;
    const int bottom = client.bottom - 1;
    FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
    fw::Pen pen(CreatePen(PS_SOLID, 1, lineColour_));
    fw::SelectScope selectPen(dc, pen.get());
    fw::SelectScope selectFont(dc, font_.get());
    Line(dc, 0, bottom, width, bottom);
    SetTextColor(dc, font_.Colour());
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const auto labelWidth = [dc](std::string_view label) {
        SIZE size{};
        GetTextExtentPoint32A(dc, label.data(), static_cast<int>(label.size()), &size);
        return static_cast<int>(size.cx);
    };
    for (const core::RulerTick& tick :
         core::RulerTicks(width, unitWidth_, offset_, intervals_, labelWidth)) {
        switch (tick.kind) {
        case core::TickKind::Major:
            Line(dc, tick.x, bottom, tick.x, bottom - majorTick_);
            Line(dc, tick.x + 1, bottom, tick.x + 1, bottom - majorTick_);
            if (tick.labelled) {
                const std::string label = std::to_string(tick.label);
                const int w = labelWidth(label);
                int y = bottom - majorTick_ - metrics.tmHeight;
                fw::PaintText(dc, tick.x - w / 2, y < 0 ? 0 : y, label);
            }
            break;
        case core::TickKind::Middle:
            Line(dc, tick.x, bottom, tick.x, bottom - middleTick_);
            break;
        case core::TickKind::Minor:
            Line(dc, tick.x, bottom, tick.x, bottom - minorTick_);
            break;
        }
    }
}

// ---- CQVSeparatorsCtrl ----------------------------------------------------------------

CQVSeparatorsCtrl::CQVSeparatorsCtrl() : font_("Courier") {
    // A monospaced face wherever "Courier" itself is missing.
    font_.SetPitchAndFamily(FIXED_PITCH | FF_MODERN);
    display_.SetFont(&font_);
    ruler_.SetUnitWidth(std::max(display_.CharWidth(), 1));
}

CQVSeparatorsCtrl::~CQVSeparatorsCtrl() = default;

bool CQVSeparatorsCtrl::Attach(HWND hwnd) {
    if (!Subclass(hwnd)) {
        return false;
    }
    SetAccessibleSource(this);
    return true;
}

std::string CQVSeparatorsCtrl::AccessibleValue() const {
    const auto fill = [](std::string text, const char* marker, const std::string& with) {
        const size_t at = text.find(marker);
        if (at != std::string::npos) {
            text.replace(at, 2, with);
        }
        return text;
    };
    std::string value = fill(spoken_.column, "%d", std::to_string(cursor_));
    const std::vector<int32_t>& breaks = display_.GetBreaks();
    if (std::find(breaks.begin(), breaks.end(), cursor_) != breaks.end()) {
        value += ", " + spoken_.breakHere;
    }
    const std::vector<int32_t> sorted = core::CollectBreaks(breaks);
    std::string list;
    for (int32_t b : sorted) {
        list += (list.empty() ? "" : ", ") + std::to_string(b);
    }
    return value + "; " + (sorted.empty() ? spoken_.noBreaks : fill(spoken_.breaks, "%s", list));
}

long CQVSeparatorsCtrl::AccessibleRole() const {
    return ROLE_SYSTEM_SLIDER;
}

void CQVSeparatorsCtrl::SetText(const std::string& text) {
    text_ = text;
    display_.SetText(text_);
    firstColumn_ = 0;
    firstRow_ = 0;
    display_.SetOrigin(0, 0);
    ruler_.SetOffset(0);
    UpdateScrollBars();
    display_.Repaint();
    ruler_.Repaint();
}

void CQVSeparatorsCtrl::SetFontHeight(int height) {
    font_.SetHeight(-height);
    display_.SetFont(&font_);
    ruler_.SetUnitWidth(std::max(display_.CharWidth(), 1));
    display_.Repaint();
    ruler_.Repaint();
    UpdateScrollBars();
}

void CQVSeparatorsCtrl::SetRulerIntervals(int major, int middle) {
    ruler_.SetIntervals(major, middle);
    ruler_.Repaint();
}

bool CQVSeparatorsCtrl::CanRemoveBreak(int) {
    return true;
}

bool CQVSeparatorsCtrl::CanAddBreak(int) {
    return true;
}

RECT CQVSeparatorsCtrl::DisplayRect() const {
    RECT rect{};
    if (display_.hwnd() != nullptr) {
        GetClientRect(display_.hwnd(), &rect);
    }
    return rect;
}

void CQVSeparatorsCtrl::CreateChildren() {
    if (childrenCreated_ || hwnd() == nullptr) {
        return;
    }
    childrenCreated_ = true;
    RECT client{};
    GetClientRect(hwnd(), &client);
    const core::SeparatorLayout layout =
        core::LayoutSeparator({client.left, client.top, client.right, client.bottom});
    ruler_.Create(hwnd(), ToRect(layout.ruler));
    ruler_.SetUnitWidth(std::max(display_.CharWidth(), 1));
    display_.Create(hwnd(), ToRect(layout.display));
    display_.SetMargin(core::kDisplayMargin);
    display_.SetFont(&font_);
    const RECT v = ToRect(layout.vertical);
    const RECT h = ToRect(layout.horizontal);
    vertical_ =
        CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, v.left, v.top,
                        v.right - v.left, v.bottom - v.top, hwnd(),
                        reinterpret_cast<HMENU>(IDC_SEPARATORS_VSCROLL), fw::OwnModule(), nullptr);
    horizontal_ =
        CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, h.left, h.top,
                        h.right - h.left, h.bottom - h.top, hwnd(),
                        reinterpret_cast<HMENU>(IDC_SEPARATORS_HSCROLL), fw::OwnModule(), nullptr);
    EnableWindow(vertical_, FALSE);
    EnableWindow(horizontal_, FALSE);
    UpdateScrollBars();
}

void CQVSeparatorsCtrl::UpdateScrollBars() {
    if (!childrenCreated_) {
        return;
    }
    const RECT area = DisplayRect();
    const auto apply = [](HWND bar, const core::ScrollSetup& setup) {
        if (bar == nullptr) {
            return;
        }
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = setup.minimum;
        info.nMax = setup.maximum < setup.minimum ? setup.minimum : setup.maximum;
        info.nPage = static_cast<UINT>(setup.page < 0 ? 0 : setup.page);
        info.nPos = setup.position;
        SetScrollInfo(bar, SB_CTL, &info, TRUE);
        EnableWindow(bar, setup.enabled ? TRUE : FALSE);
    };
    apply(vertical_, core::VerticalScroll(display_.LineCount(), area.bottom - area.top,
                                          display_.CharHeight(), firstRow_));
    apply(horizontal_, core::HorizontalScroll(display_.LongestLine(), area.right - area.left,
                                              display_.CharWidth(), firstColumn_));
}

void CQVSeparatorsCtrl::OnScroll(int bar, int code) {
    const RECT area = DisplayRect();
    HWND control = bar == SB_HORZ ? horizontal_ : vertical_;
    if (control == nullptr) {
        return;
    }
    const core::ScrollSetup setup =
        bar == SB_HORZ ? core::HorizontalScroll(display_.LongestLine(), area.right - area.left,
                                                display_.CharWidth(), firstColumn_)
                       : core::VerticalScroll(display_.LineCount(), area.bottom - area.top,
                                              display_.CharHeight(), firstRow_);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(control, SB_CTL, &info);
    const int position = core::ScrollTo(setup, code, info.nTrackPos);
    if (position == setup.position) {
        return;
    }
    SetScrollPos(control, SB_CTL, position, TRUE);
    if (bar == SB_HORZ) {
        firstColumn_ = position;
        ruler_.SetOffset(position);
        ruler_.Repaint();
    } else {
        firstRow_ = position;
    }
    display_.SetOrigin(firstColumn_, firstRow_);
    display_.Repaint();
}

void CQVSeparatorsCtrl::OnClick(int x, int y, bool doubleClick) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const std::optional<int> column =
        core::BreakColumnAt(x, y, client.right, client.bottom, display_.CharWidth(), firstColumn_);
    if (!column) {
        return;
    }
    std::vector<int32_t>& breaks = display_.GetBreaks();
    const bool isBreak = std::find(breaks.begin(), breaks.end(), *column) != breaks.end();
    bool changed = false;
    if (!doubleClick && !isBreak && CanAddBreak(*column)) {
        changed = core::AddBreak(breaks, *column);
    } else if (doubleClick && isBreak && CanRemoveBreak(*column)) {
        changed = core::RemoveBreak(breaks, *column);
    }
    if (focused_) {
        // The keyboard cursor follows the mouse, still hidden until a key is used.
        cursor_ = *column;
        display_.SetCursorColumn(keyboardCues_ ? cursor_ : -1);
        changed = true;
    }
    if (changed) {
        display_.Repaint();
        fw::NotifyAccessibleValue(hwnd());
    }
}

void CQVSeparatorsCtrl::ShowCursorColumn() {
    const RECT area = DisplayRect();
    const int width = display_.CharWidth();
    const int page = width > 0 ? (area.right - area.left) / width : 0;
    int first = firstColumn_;
    if (cursor_ < first) {
        first = cursor_;
    } else if (page > 0 && cursor_ >= first + page) {
        first = cursor_ - page + 1;
    }
    if (first != firstColumn_) {
        firstColumn_ = std::max(first, 0);
        display_.SetOrigin(firstColumn_, firstRow_);
        ruler_.SetOffset(firstColumn_);
        ruler_.Repaint();
        UpdateScrollBars();
    }
    display_.SetCursorColumn(focused_ && keyboardCues_ ? cursor_ : -1);
    display_.Repaint();
}

void CQVSeparatorsCtrl::OnKey(UINT key) {
    std::vector<int32_t>& breaks = display_.GetBreaks();
    const int last = std::max(display_.LongestLine(), 1);
    const RECT area = DisplayRect();
    const int page =
        std::max(1, display_.CharWidth() > 0
                        ? static_cast<int>((area.right - area.left) / display_.CharWidth())
                        : 1);
    keyboardCues_ = true;
    switch (key) {
    case VK_LEFT:
        cursor_ = std::max(cursor_ - 1, 0);
        break;
    case VK_RIGHT:
        cursor_ = std::min(cursor_ + 1, last);
        break;
    case VK_PRIOR:
        cursor_ = std::max(cursor_ - page, 0);
        break;
    case VK_NEXT:
        cursor_ = std::min(cursor_ + page, last);
        break;
    case VK_HOME:
        cursor_ = 0;
        break;
    case VK_END:
        cursor_ = last;
        break;
    case VK_SPACE:
        // A break at the cursor goes, as a double click takes it; otherwise
        // one is set, as a click sets it.
        if (std::find(breaks.begin(), breaks.end(), cursor_) != breaks.end()) {
            if (CanRemoveBreak(cursor_)) {
                core::RemoveBreak(breaks, cursor_);
            }
        } else if (CanAddBreak(cursor_)) {
            core::AddBreak(breaks, cursor_);
        }
        break;
    case VK_INSERT:
        if (CanAddBreak(cursor_)) {
            core::AddBreak(breaks, cursor_);
        }
        break;
    case VK_DELETE:
        if (CanRemoveBreak(cursor_)) {
            core::RemoveBreak(breaks, cursor_);
        }
        break;
    case VK_UP:
        OnScroll(SB_VERT, SB_LINEUP);
        return;
    case VK_DOWN:
        OnScroll(SB_VERT, SB_LINEDOWN);
        return;
    default:
        return;
    }
    ShowCursorColumn();
    fw::NotifyAccessibleValue(hwnd());
}

void CQVSeparatorsCtrl::Paint() {
    CreateChildren();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (frame_) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
    }
    EndPaint(hwnd(), &ps);
}

LRESULT CQVSeparatorsCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN:
        OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), false);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), true);
        return 0;
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        focused_ = true;
        ShowCursorColumn();
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        keyboardCues_ = false;
        display_.SetCursorColumn(-1);
        display_.Repaint();
        return 0;
    case WM_KEYDOWN:
        OnKey(static_cast<UINT>(wParam));
        return 0;
    case WM_CHAR:
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace qv::datatools
