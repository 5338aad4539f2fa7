// Small text helpers shared by the core and the dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv::core {

// Removes every "." from a label text ("&Options..." -> "&Options").
std::string RemoveDots(std::string_view text);

// The text without blanks (space, tab, line feed, carriage return, vertical
// tab, form feed) at either end.
std::string_view TrimBlanks(std::string_view text);

// Removes one trailing backslash, if any.
std::string StripTrailingBackslash(std::string_view path);

// Bounded length of a zero-terminated text: at most `limit` characters are read.
size_t BoundedLength(const char* text, size_t limit);

// Appends `value` in decimal with at least `width` digits (zero-filled after
// the sign), the same on every C runtime.
void AppendDecimal(std::string& out, std::int64_t value, int width = 1);

} // namespace qv::core
