#include "qvcore/subtotal_rules.h"

namespace qv::core {

int SubtotalFunction(std::uint8_t flags) {
    const int position = (flags & kSubtotalFunctionMask) >> kSubtotalFunctionShift;
    return position < kSubtotalFunctionCount ? position : -1;
}

std::uint8_t WithSubtotalFunction(std::uint8_t flags, int position) {
    const int bits = (position & 0x0F) << kSubtotalFunctionShift;
    return static_cast<std::uint8_t>((flags & ~kSubtotalFunctionMask) | bits);
}

int SubtotalDataLanguage(std::uint8_t options) {
    return (options >> 1) & 0x03;
}

SubtotalOpening OpenSubtotal(std::size_t names, const std::vector<std::uint32_t>& selection) {
    SubtotalOpening opening;
    opening.ticked.assign(names, false);
    if (!selection.empty() && selection[0] < names) {
        for (std::size_t i = 1; i < selection.size(); ++i) {
            if (selection[i] < names) {
                opening.ticked[selection[i]] = true;
            }
        }
        opening.atChange = static_cast<int>(selection[0]);
        return opening;
    }
    if (names > 0) {
        opening.ticked.back() = true;
    }
    return opening;
}

std::vector<std::uint32_t> SubtotalSelection(int atChange, const std::vector<bool>& ticked) {
    std::vector<std::uint32_t> selection;
    if (atChange >= 0) {
        selection.push_back(static_cast<std::uint32_t>(atChange));
    }
    for (std::size_t i = 0; i < ticked.size(); ++i) {
        if (ticked[i]) {
            selection.push_back(static_cast<std::uint32_t>(i));
        }
    }
    return selection;
}

} // namespace qv::core
