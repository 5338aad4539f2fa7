// The rules of the pivot table dialogs that need no window: the ticks of a
// field's item list with its all-items entry, and the summary names of
// Pivot Table Field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

// The ticks of a field's drop-down list. Row 0 is the all-items entry; rows
// 1 to ItemCount() are the field's items in their order. The all-items entry
// is ticked exactly when every item is (a field without items keeps it as the
// user left it).
class PivotItemTicks {
  public:
    // Ticks the items whose text the shown list holds; every item when the
    // shown list is empty. Texts of the shown list that are no item are
    // ignored; duplicates tick every item with that text. The all-items
    // entry opens ticked, whatever the items show.
    void Reset(const std::vector<std::string_view>& items,
               const std::vector<std::string_view>& shown);

    std::size_t ItemCount() const { return ticks_.size(); }
    std::size_t RowCount() const { return ticks_.size() + 1; }
    std::size_t TickedItems() const { return ticked_; }
    bool AllTicked() const { return all_; }
    bool IsRowTicked(std::size_t row) const;
    // True when neither the all-items entry nor any item is ticked.
    bool NothingTicked() const { return !all_ && ticked_ == 0; }

    // What a change did, for redrawing: every row, or one item row and
    // perhaps the all-items entry.
    struct Change {
        bool everyRow = false;
        bool allEntry = false; // the all-items entry changed
        std::size_t row = 0;   // the item row that changed (0: none)
    };
    // The user ticks or clears a row. Ticking the all-items entry ticks every
    // item; clearing it clears every item when the first item is ticked, and
    // only the entry otherwise. Ticking the last unticked item ticks the
    // entry and clearing any item clears it.
    Change SetRow(std::size_t row, bool ticked);
    Change ToggleRow(std::size_t row) { return SetRow(row, !IsRowTicked(row)); }

    // The item indexes (0-based, in list order) the shown list receives on
    // OK: none when the all-items entry is ticked (every item shows).
    std::vector<std::size_t> ShownOnOK() const;

  private:
    std::vector<std::uint8_t> ticks_;
    std::size_t ticked_ = 0;
    bool all_ = true;
};

// The Name box of Pivot Table Field: the function, then the source field in
// brackets ("SUM(Sales)").
std::string SummaryName(std::string_view function, std::string_view field);

// The string ids of the summary functions, in list order.
inline constexpr unsigned kSummaryFunctionStrings[] = {2063, 2070, 2069, 2072,
                                                       2073, 2054, 2074, 2076};
inline constexpr std::uint32_t kSummaryFunctionCount = 8;

// The list entry a record's function index selects: the index itself when
// it names a function, else the first entry.
std::uint32_t SummaryFunctionEntry(std::uint32_t index);

} // namespace qv::core
