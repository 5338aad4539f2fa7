#include "framework/gdi.h"

#include <cstring>

namespace qv::fw {

HFONT CreatePointFont(int tenths, const char* face) {
    LOGFONTA lf{};
    WindowDC screen(nullptr);
    int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    lf.lfHeight = -MulDiv(tenths, dpi, 720);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (face != nullptr) {
        strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    }
    return CreateFontIndirectA(&lf);
}

} // namespace qv::fw
