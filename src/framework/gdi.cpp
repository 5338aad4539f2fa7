#include "framework/gdi.h"

#include "framework/text.h"

#include <cwchar>

namespace qv::fw {

HFONT CreatePointFont(int tenths, const char* face) {
    LOGFONTW lf{};
    WindowDC screen(nullptr);
    int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    lf.lfHeight = -MulDiv(tenths, dpi, 720);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (face != nullptr) {
        const std::wstring wide = Widen(face);
        wcsncpy(lf.lfFaceName, wide.c_str(), LF_FACESIZE - 1);
    }
    return CreateFontIndirectW(&lf);
}

} // namespace qv::fw
