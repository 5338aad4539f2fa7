// The arithmetic of the Format Cells sheet and of its Number page that does
// not need a window: the sheet modes every page follows, which pages a mode
// shows, where the sheet opens and what it remembers, the tab captions, and
// the Number page's negative-number entries, decimal-places check and
// currency-symbol adjustment.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::core {

// ---- the sheet ------------------------------------------------------------

// The five page slots of the sheet, in their order.
enum FormatPageSlot : int {
    kNumberSlot = 0,
    kAlignmentSlot = 1,
    kFontSlot = 2,
    kBorderSlot = 3,
    kPatternSlot = 4,
};
inline constexpr int kFormatSlotCount = 5;

// Sheet modes (the record's last byte); any other value is the normal sheet.
enum FormatSheetMode : std::uint8_t {
    kFormatModeNormal = 0,
    kFormatModeFind = 1,
    kFormatModeReplace = 2,
    kFormatModeFontBorderPattern = 3, // conditional formats
    kFormatModeFontOnly = 32,
};

// Find Format and Replace Format: mixed values are searched for.
constexpr bool IsFindOrReplaceMode(std::uint8_t mode) {
    return mode == kFormatModeFind || mode == kFormatModeReplace;
}
// Find, Replace and Font/Border/Pattern: the pages offer Clear.
constexpr bool IsClearMode(std::uint8_t mode) {
    return IsFindOrReplaceMode(mode) || mode == kFormatModeFontBorderPattern;
}

// Bit of a slot in a set of slots.
constexpr unsigned SlotBit(int slot) {
    return 1u << static_cast<unsigned>(slot);
}
inline constexpr unsigned kAllFormatSlots = 0x1Fu;

// The slots a mode shows: 3 Font, Border and Pattern; 32 Font only; any
// other mode all five.
unsigned SlotsShownByMode(std::uint8_t mode);

// "Find Format" (1), "Replace Format" (2), "Format Cells" otherwise.
const char* FormatSheetTitle(std::uint8_t mode);

// The tab caption string of a slot: 1093, 1094, 1095, 1096, 1725 (0 for a
// slot that does not exist).
unsigned FormatTabStringId(int slot);

// One run of the sheet. The sheet adds its five pages in slot order (sheet
// index = slot), activates each of them once, removes the ones the mode hides
// and shows the rest; after removal, position p holds slot shown[p].
struct FormatSheetLayout {
    // Sheet indices to remove, highest first so that each removal leaves the
    // indices still to come in place.
    std::array<int, kFormatSlotCount> removeIndices{};
    int removeCount = 0;
    std::array<int, kFormatSlotCount> shown{};
    int shownCount = 0;
};

// The layout for a mode; every mode shows at least the Font page.
FormatSheetLayout LayoutFormatSheet(std::uint8_t mode);

// The record's start page (1-based among the pages shown) as the position the
// sheet opens on: 1..5 select positions 0..4; any other value, and a position
// past the last page shown, open on position 0.
int StartPositionOf(std::uint8_t startPage, int shownCount);

// The start page the sheet stores for the active position: 0..3 give 1..4,
// any other position (4, or none) gives 5.
std::uint8_t StartPageOfPosition(int position);

// Ctrl+Tab: on the last page shown it goes to the first one (position 0);
// -1 when the tab control's own handling applies.
int CtrlTabTarget(int activePosition, int shownCount);

// ---- the Number page ------------------------------------------------------

// An optional "+" or "-", then at least one digit and nothing else (no
// spaces). Magnitudes beyond 99999 saturate there, so long digit runs cannot
// overflow. False for anything else; `value` is then left alone.
bool ReadSignedDigits(std::string_view text, std::int32_t& value);

// The decimal places box as the page accepts it when it is left: spaces at
// either end ignored, then ReadSignedDigits.
bool ReadWholeNumber(std::string_view text, std::int32_t& value);

// Number, Currency and Percentage take 0..15 decimal places; other categories
// take any whole number.
bool DecimalPlacesAllowed(int category, std::int32_t places);

// The decimal suffix of the negative-number entries for `places` decimal
// places: "." then the last digit of k for k = places down to 1, where a k
// above 16 starts over at 15 (".21" for 2, ".321" for 3); empty for 0 or less.
std::string NegativeSuffix(int places);

// The string ids of the four negative-number entries: Number without the
// separator 1575..1577, Currency with symbol 1 1578..1580, with symbol 2
// 3138..3140, anything else 1581..1583 (entry 3 repeats entry 2's string).
std::array<unsigned, 4> NegativeEntryStrings(int category, bool separator, int symbol);
// Entries 1 and 3 are red; entries 2 and 3 end in ")".
constexpr bool NegativeEntryIsRed(int entry) {
    return entry == 1 || entry == 3;
}
constexpr bool NegativeEntryCloses(int entry) {
    return entry == 2 || entry == 3;
}

// The Symbol selection the page opens on outside Find and Replace: with the
// edition switch (string 10008 of the locale strings) reading 2, selection 0
// becomes 2 and others stay; otherwise 0 and 1 become 1 and anything else 2.
int AdjustedSymbolSelection(int selection, std::string_view editionSwitch);

} // namespace qv::core
