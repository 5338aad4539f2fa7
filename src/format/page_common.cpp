#include "format/page_common.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/siblings.h"
#include "framework/module.h"
#include "framework/phase_clock.h"
#include "framework/window.h"

namespace qv::format {

bool PaintedStatic::Attach(HWND dialog, int id, Painter painter, Clicker clicker) {
    painter_ = std::move(painter);
    clicker_ = std::move(clicker);
    HWND control = fw::DialogItem(dialog, id);
    if (control == nullptr || !Subclass(control)) {
        return false;
    }
    SetAccessibleSource(this);
    return true;
}

void PaintedStatic::SetText(const std::string& text) {
    if (hwnd() == nullptr) {
        return;
    }
    if (fw::WindowText(hwnd()) != text) {
        fw::SetWindowTextTo(hwnd(), text); // repaints and announces the value
    } else {
        Redraw();
    }
}

std::string PaintedStatic::AccessibleValue() const {
    return fw::WindowText(hwnd());
}

void PaintedStatic::Redraw() const {
    if (hwnd() != nullptr) {
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void PaintedStatic::Paint(HDC dc, const RECT& client) {
    if (painter_) {
        painter_(dc, client);
    }
}

LRESULT PaintedStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (clicker_) {
            clicker_(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        }
        break;
    case WM_NCHITTEST:
        if (clicker_) {
            return HTCLIENT;
        }
        break;
    case WM_SETTEXT: {
        LRESULT result = Default(message, wParam, lParam);
        Redraw();
        fw::NotifyAccessibleValue(hwnd());
        return result;
    }
    default:
        break;
    }
    return PaintedControl::WindowProc(message, wParam, lParam);
}

void RelabelPage(HWND page, const int* controls, const int* strings, int count, fw::Font& font,
                 const std::vector<int>& fontOnly) {
    if (!frame::RelabelShared(page, frame::DialogStringsPath(frame::HostMenuLanguage()), controls,
                              strings, count, font) ||
        !font) {
        return;
    }
    for (int id : fontOnly) {
        if (HWND control = fw::DialogItem(page, id)) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        }
    }
}

std::string MenuString(UINT id) {
    return frame::LoadLangString(id, true);
}

MenuStrings::MenuStrings() {
    fw::PhaseClock clock(QV_PHASE_STRINGS);
    library_ =
        fw::Library::ForResources(frame::DialogStringsPath(frame::HostMenuLanguage()).c_str());
}

std::string MenuStrings::operator()(UINT id) const {
    fw::PhaseClock clock(QV_PHASE_STRINGS);
    return fw::LoadStringFrom(library_.get(), id);
}

std::vector<HBITMAP> LoadLibraryImages(const char* libraryFile, const std::vector<int>& ids,
                                       int width, int height) {
    std::vector<ImageRequest> requests;
    requests.reserve(ids.size());
    for (int id : ids) {
        requests.push_back({id, width, height});
    }
    return LoadLibraryImages(libraryFile, requests);
}

std::vector<HBITMAP> LoadLibraryImages(const char* libraryFile,
                                       const std::vector<ImageRequest>& requests) {
    fw::PhaseClock clock(QV_PHASE_COLOURS);
    std::vector<HBITMAP> images(requests.size(), nullptr);
    frame::CommonServices services;
    const std::string path = frame::BesideLibrary(libraryFile);
    if (!services || services.Load(path.c_str()) == 0) {
        return images;
    }
    for (size_t i = 0; i < requests.size(); ++i) {
        images[i] = services.LoadImageInt(requests[i].id, requests[i].width, requests[i].height);
    }
    services.UnLoad();
    return images;
}

void DrawSwatchItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT swatch = r;
    InflateRect(&swatch, -3, -3);
    fw::Brush colour(CreateSolidBrush(static_cast<COLORREF>(item.itemData) & 0x00FFFFFF));
    FillRect(dc, &swatch, colour.get());
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    if ((item.itemState & ODS_SELECTED) != 0) {
        // A sunken frame: shadow above and left, highlight below and right.
        fw::Pen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        fw::Pen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
        RECT f = r;
        InflateRect(&f, -1, -1);
        {
            fw::SelectScope pen(dc, shadow.get());
            MoveToEx(dc, f.left, f.bottom - 1, nullptr);
            LineTo(dc, f.left, f.top);
            LineTo(dc, f.right, f.top);
        }
        {
            fw::SelectScope pen(dc, light.get());
            MoveToEx(dc, f.right - 1, f.top + 1, nullptr);
            LineTo(dc, f.right - 1, f.bottom - 1);
            LineTo(dc, f.left, f.bottom - 1);
        }
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = r;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace qv::format
