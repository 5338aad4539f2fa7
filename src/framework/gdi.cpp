#include "framework/gdi.h"

#include "framework/text.h"

#include <cwchar>

namespace qv::fw {

int ScreenDpi() {
    static const int dpi = [] {
        WindowDC screen(nullptr);
        const int value = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return dpi;
}

HFONT CreatePointFont(int tenths, const char* face) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(tenths, ScreenDpi(), 720);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (face != nullptr) {
        const std::wstring wide = Widen(face);
        wcsncpy(lf.lfFaceName, wide.c_str(), LF_FACESIZE - 1);
    }
    return CreateFontIndirectW(&lf);
}

} // namespace qv::fw
