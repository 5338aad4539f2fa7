// Number texts as the small dialogs read them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv::core {

// Reads a whole number the way atoi does (leading white space, one sign,
// leading digits; no digits gives 0), saturating at the 32-bit limits
// instead of overflowing.
int32_t AtoiClamped(std::string_view text);

// The text without white space (blank, tab, line breaks) at either end.
std::string_view TrimWhiteSpace(std::string_view text);

// The text without any space characters.
std::string RemoveSpaces(std::string_view text);

// A size as the row-height and column-width boxes accept it: after trimming
// white space not empty, one optional leading sign, then digits with at most
// one "."; a lone "+" or "-" is not a number.
bool IsSizeNumber(std::string_view text);

// The value of a text that IsSizeNumber accepted (locale-independent; an
// empty digit run reads as 0).
double SizeNumberValue(std::string_view text);

// A plain decimal number as the what-if dialogs accept it: after trimming
// white space, one optional leading "+" or "-", then digits with at most one
// "."; at least one digit. Its value is SizeNumberValue's.
bool IsPlainNumber(std::string_view text);

} // namespace qv::core
