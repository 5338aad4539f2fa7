#include "framework/text.h"

#include "qvcore/utf8.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

namespace qv::fw {

std::wstring Widen(std::string_view utf8) {
    const std::u16string wide = core::Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view utf16) {
    return core::Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

std::string Narrow(const wchar_t* text) {
    return text != nullptr ? Narrow(std::wstring_view(text)) : std::string();
}

int DrawLabel(HDC dc, std::string_view text, RECT& rect, UINT format) {
    const std::wstring wide = Widen(text);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

SIZE MeasureText(HDC dc, std::string_view text) {
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

void PaintText(HDC dc, int x, int y, std::string_view text) {
    const std::wstring wide = Widen(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

} // namespace qv::fw
