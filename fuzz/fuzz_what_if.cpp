// The what-if and pivot rules on arbitrary input: the number rule agrees with
// the size rule and reads a finite value, the input-cell check agrees with
// the reference test, and the item ticks keep their invariants under any
// sequence of user changes.
#include "qvcore/cellref.h"
#include "qvcore/numbers.h"
#include "qvcore/pivot.h"
#include "qvcore/what_if.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void CheckTicks(const PivotItemTicks& ticks) {
    std::size_t ticked = 0;
    for (std::size_t row = 1; row < ticks.RowCount(); ++row) {
        ticked += ticks.IsRowTicked(row) ? 1 : 0;
    }
    Check(ticked == ticks.TickedItems());
    // Every item ticked means the entry is ticked; the entry may also stand
    // ticked over some items (as it opens).
    if (ticks.ItemCount() > 0 && ticked == ticks.ItemCount()) {
        Check(ticks.AllTicked());
    }
    const auto shown = ticks.ShownOnOK();
    Check(ticks.AllTicked() ? shown.empty() : shown.size() == ticked);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (IsPlainNumber(text)) {
        Check(IsSizeNumber(text));
        const double value = SizeNumberValue(text);
        Check(!std::isnan(value));
        GoalSeekVerdict(3, true, text);
        Check(GoalSeekVerdict(3, true, text).message.id == 1187);
    }
    const InputCellCheck check = CheckInputCell(text);
    const std::string field = FieldReference(text);
    Check((check == InputCellCheck::Cell) == (!field.empty() && IsCellRef(field)));
    if (check == InputCellCheck::Cell) {
        Check(field.size() <= 7); // fits a ten-byte field with room to spare
    }
    Check((check == InputCellCheck::Empty) == field.empty());
    const std::string value = StatusValueText(size > 0 ? static_cast<double>(data[0]) - 128.5 : 0);
    Check(value.find('.') != std::string::npos);

    // Items: the text split at line feeds; the first byte picks how many of
    // them the shown list repeats; the bytes then drive user changes.
    std::vector<std::string_view> items;
    std::size_t start = 0;
    while (start <= text.size() && items.size() < 64) {
        const std::size_t end = text.find('\n', start);
        items.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    std::vector<std::string_view> shown;
    const std::size_t keep = size > 0 ? data[0] % (items.size() + 1) : 0;
    for (std::size_t i = 0; i < keep; ++i) {
        shown.push_back(items[(i * 7) % items.size()]);
    }
    PivotItemTicks ticks;
    ticks.Reset(items, shown);
    CheckTicks(ticks);
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t row = data[i] % (ticks.RowCount() + 1);
        const bool before = ticks.IsRowTicked(row);
        const auto change = ticks.ToggleRow(row);
        if (row < ticks.RowCount()) {
            Check(ticks.IsRowTicked(row) != before);
            Check(row == 0 || !change.everyRow);
            if (row == 0 && ticks.AllTicked()) {
                Check(ticks.TickedItems() == ticks.ItemCount());
            }
        } else {
            Check(!change.everyRow && !change.allEntry && change.row == 0);
        }
        CheckTicks(ticks);
    }
    return 0;
}
