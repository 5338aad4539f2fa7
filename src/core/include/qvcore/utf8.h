// The library's texts are UTF-8 in std::string; Windows takes UTF-16. These
// conversions are lenient: a byte that does not start a valid UTF-8 sequence
// stands for the Latin-1 character of the same value, so single-byte text that
// reaches them by mistake keeps its characters instead of turning into
// replacement marks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qv::core {

// The code points of a UTF-8 text (invalid bytes as Latin-1 characters).
std::u32string DecodeUtf8(std::string_view text);
// Appends one code point (surrogates and values above U+10FFFF as U+FFFD).
void AppendUtf8(std::string& out, char32_t c);
std::string EncodeUtf8(std::u32string_view text);

std::u16string Utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view text);
// The text cut after at most `chars` characters, never inside a sequence.
std::string Utf8Prefix(std::string_view text, std::size_t chars);

} // namespace qv::core
