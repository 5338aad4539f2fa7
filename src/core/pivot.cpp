#include "qvcore/pivot.h"

#include <unordered_set>

namespace qv::core {

void PivotItemTicks::Reset(const std::vector<std::string_view>& items,
                           const std::vector<std::string_view>& shown) {
    ticks_.assign(items.size(), shown.empty() ? 1 : 0);
    if (!shown.empty()) {
        const std::unordered_set<std::string_view> wanted(shown.begin(), shown.end());
        for (std::size_t i = 0; i < items.size(); ++i) {
            ticks_[i] = wanted.count(items[i]) != 0 ? 1 : 0;
        }
    }
    ticked_ = 0;
    for (std::uint8_t tick : ticks_) {
        ticked_ += tick;
    }
    all_ = true;
}

bool PivotItemTicks::IsRowTicked(std::size_t row) const {
    if (row == 0) {
        return all_;
    }
    return row <= ticks_.size() && ticks_[row - 1] != 0;
}

PivotItemTicks::Change PivotItemTicks::SetRow(std::size_t row, bool ticked) {
    Change change;
    if (row > ticks_.size() || IsRowTicked(row) == ticked) {
        return change;
    }
    if (row == 0) {
        all_ = ticked;
        change.allEntry = true;
        if (ticked || (!ticks_.empty() && ticks_[0] != 0)) {
            ticks_.assign(ticks_.size(), ticked ? 1 : 0);
            ticked_ = ticked ? ticks_.size() : 0;
            change.everyRow = true;
        }
        return change;
    }
    ticks_[row - 1] = ticked ? 1 : 0;
    ticked_ = ticked ? ticked_ + 1 : ticked_ - 1;
    change.row = row;
    const bool all = ticked && (all_ || ticked_ == ticks_.size());
    if (all != all_) {
        all_ = all;
        change.allEntry = true;
    }
    return change;
}

std::vector<std::size_t> PivotItemTicks::ShownOnOK() const {
    std::vector<std::size_t> shown;
    if (all_) {
        return shown;
    }
    shown.reserve(ticked_);
    for (std::size_t i = 0; i < ticks_.size(); ++i) {
        if (ticks_[i] != 0) {
            shown.push_back(i);
        }
    }
    return shown;
}

std::string SummaryName(std::string_view function, std::string_view field) {
    std::string name;
    name.reserve(function.size() + field.size() + 2);
    name.append(function);
    name.push_back('(');
    name.append(field);
    name.push_back(')');
    return name;
}

std::uint32_t SummaryFunctionEntry(std::uint32_t index) {
    return index < kSummaryFunctionCount ? index : 0;
}

} // namespace qv::core
