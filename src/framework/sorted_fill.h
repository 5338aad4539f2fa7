// Filling a sorted list box or combo box with many texts at once: the batch
// is put in the order the control itself gives its entries (a case-blind
// comparison in the control's locale) and appended with redraw off, so that
// ten thousand entries cost one sort instead of ten thousand searches.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace qv::fw {

// Positions into `texts` in the order a sorted list of `locale` shows them;
// equal texts keep their order.
std::vector<size_t> ListSortOrder(LCID locale, const std::vector<std::string_view>& texts);

// The locale of a list box or combo box.
LCID ListLocale(HWND list);

// Appends texts[order[0]], texts[order[1]], ... to a list box or combo box
// (inserting at the end does not sort): storage reserved, redraw off.
void AppendInOrder(HWND list, const std::vector<std::string_view>& texts,
                   const std::vector<size_t>& order);

} // namespace qv::fw
