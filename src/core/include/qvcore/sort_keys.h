// The Sort dialog's rules that need no window: the column letters of its key
// labels in either menu language, and the check of the chosen keys.
#pragma once

#include "qvcore/cellref.h"

#include <string>

namespace qv::core {

// The letters of a 1-based column for a key label: 1 "A", 27 "AA", 52 "AZ",
// 256 "IV". Empty outside 1 to 256. With a local column alphabet of at least
// 26 letters, letter k is the alphabet's k-th letter instead of the k-th
// Latin one: the local menu spells the key columns as its reference boxes do.
std::string SortColumnLetters(int column, const LocalAlphabet* local = nullptr);

// The first rule the three key selections break, in the order the dialog
// checks them. A selection is a list index: 0 the no-key entry, k >= 1 the
// k-th row or column of the block, below 0 no selection.
enum class SortKeyFault {
    None,
    FirstMissing,  // key 1 is the no-key entry (or unselected)
    FirstIsSecond, // key 1 equals key 2
    FirstIsThird,  // key 1 equals key 3
    SecondIsThird, // key 2 equals key 3, and key 2 is a real key
};
SortKeyFault CheckSortKeys(int key1, int key2, int key3);

// The key the record receives for a selection: below 1 is no key (0).
inline int SortKeyValue(int selection) {
    return selection < 1 ? 0 : selection;
}

} // namespace qv::core
