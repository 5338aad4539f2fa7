// ISCII-91 (IS 13194:1991): the 8-bit code of the Indian scripts. The lower
// half is ASCII; the upper half holds one layout shared by every script, and
// the attribute code (ATR, 0xEF, followed by a script byte) switches script.
// The Unicode blocks of the Indian scripts follow the same layout, so a script
// is a base code point plus the offsets of the Devanagari block.
#pragma once

#include <string>
#include <string_view>

namespace qv::core {

enum class IndicScript { Devanagari, Tamil };

// Unicode text (UTF-8) to ISCII. Devanagari and Tamil letters become their
// ISCII codes, switching script with ATR where the text changes script (the
// text starts in `initial`); ASCII stays as it is; U+0080 to U+00FF become the
// byte of the same value (decoding gives them back); anything else becomes
// "?".
std::string UnicodeToIscii(std::string_view utf8, IndicScript initial);

// ISCII to Unicode (UTF-8), starting in `initial`. Bytes that ISCII leaves
// undefined decode as the Latin-1 character of the same value.
std::string IsciiToUnicode(std::string_view iscii, IndicScript initial);

// The script a font face names: faces starting with "TAM" (any case, e.g.
// "TAM Sans" or "Tam_Kavya") are Tamil, every other face Devanagari.
IndicScript ScriptOfFace(std::string_view face);
// The script a language name names: "Tamil" (any case) or Devanagari.
IndicScript ScriptOfLanguage(std::string_view language);

} // namespace qv::core
