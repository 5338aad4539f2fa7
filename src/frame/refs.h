// Reference text in the dialogs: the local column alphabet of the locale
// string library, and the conversions between what the host hands over (A1
// form) and what a reference box shows in the menu language.
#pragma once

#include "qvcore/cellref.h"

#include <optional>
#include <string>
#include <string_view>

namespace qv::frame {

// The path of the local locale-string library (QVSSMSL.dll in the
// application folder).
std::string LocalLocaleStringsPath();

// The product edition switch: string 10008 of the English locale strings
// (QVSSMSE.dll in the application folder), at most 4 characters; "" when
// missing. "2" selects the other edition's behaviour.
inline constexpr unsigned kEditionSwitchString = 10008;
std::string EditionSwitch();

// The local column alphabet read from the local locale-string library
// (block 8000, or 10300 when string 10010 reads 4). Shows message 1180 and
// gives an empty alphabet when the library cannot be loaded.
core::LocalAlphabet LoadMenuAlphabet();

// Converts references between the host's A1 form and what a box shows in the
// menu language. Only the local menu converts; its alphabet is read once, on
// first use, so a missing library is reported once per converter.
class MenuRefConverter {
  public:
    // A host reference (or comma-separated list) as a box shows it.
    std::string ToShown(std::string_view a1);
    // A reference typed in a box as the host reads it.
    std::string FromShown(std::string_view shown);

  private:
    const core::LocalAlphabet* Alphabet();

    std::optional<core::LocalAlphabet> alphabet_;
};

// A destination the dialogs accept: one cell ("B7") or one range ("A1:C9").
bool IsCellOrRangeRef(std::string_view text);

} // namespace qv::frame
