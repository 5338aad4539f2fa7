// Texts inside the library are UTF-8 in std::string; every Win32 call that
// takes or returns text uses its wide (UTF-16) form through these helpers, so
// that Devanagari and Tamil reach the controls unharmed.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv::fw {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
std::string Narrow(const wchar_t* text); // NULL gives ""

// DrawTextW of a UTF-8 text; returns the height drawn (or measured with DT_CALCRECT).
int DrawLabel(HDC dc, std::string_view text, RECT& rect, UINT format);
// Width and height of a single line of text in the DC's font.
SIZE MeasureText(HDC dc, std::string_view text);
// TextOutW of a UTF-8 text.
void PaintText(HDC dc, int x, int y, std::string_view text);

} // namespace qv::fw
