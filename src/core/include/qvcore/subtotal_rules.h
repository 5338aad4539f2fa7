// The rules of the Subtotal dialog that need no window: how the host's
// selection array opens the dialog, the bits of its flags and options bytes,
// and the selection array written back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::core {

// Bits of the flags byte.
inline constexpr std::uint8_t kSubtotalReplace = 0x01;
inline constexpr std::uint8_t kSubtotalPageBreak = 0x02;
inline constexpr std::uint8_t kSubtotalSummaryBelow = 0x04;
inline constexpr std::uint8_t kSubtotalFunctionMask = 0x78; // bits 3 to 6
inline constexpr int kSubtotalFunctionShift = 3;
inline constexpr std::uint8_t kSubtotalRemoveAll = 0x80;
// Bits of the options byte.
inline constexpr std::uint8_t kSubtotalSummaryFollowsReplace = 0x01;

// The entries of the function list.
inline constexpr int kSubtotalFunctionCount = 11;

// The function entry the flags name; -1 (none) for positions 11 to 15.
int SubtotalFunction(std::uint8_t flags);
// The flags with the function bits set to `position` (its low four bits).
std::uint8_t WithSubtotalFunction(std::uint8_t flags, int position);
// The data language of the options byte (bits 1 and 2): 1 English, 2 local,
// anything else neither.
int SubtotalDataLanguage(std::uint8_t options);

// How the dialog opens over `names` column names and the host's selection.
struct SubtotalOpening {
    int atChange = 0;         // entry of "At each change in"
    std::vector<bool> ticked; // one per name: ticked in "Add subtotal to"
};

// Element 0 names the "At each change in" column and the further elements
// the ticked columns (those beyond the names are ignored). An empty
// selection, or one whose element 0 is beyond the names, opens on the first
// column with only the last column ticked.
SubtotalOpening OpenSubtotal(std::size_t names, const std::vector<std::uint32_t>& selection);

// The selection array written back: the "At each change in" entry (none when
// it is negative), then the position of every ticked column in order.
std::vector<std::uint32_t> SubtotalSelection(int atChange, const std::vector<bool>& ticked);

} // namespace qv::core
