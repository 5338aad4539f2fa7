#include "qvcore/format_cells.h"

#include "qvcore/numbers.h"

#include <algorithm>

namespace qv::core {

unsigned SlotsShownByMode(std::uint8_t mode) {
    switch (mode) {
    case kFormatModeFontBorderPattern:
        return SlotBit(kFontSlot) | SlotBit(kBorderSlot) | SlotBit(kPatternSlot);
    case kFormatModeFontOnly:
        return SlotBit(kFontSlot);
    default:
        return kAllFormatSlots;
    }
}

const char* FormatSheetTitle(std::uint8_t mode) {
    switch (mode) {
    case kFormatModeFind:
        return "Find Format";
    case kFormatModeReplace:
        return "Replace Format";
    default:
        return "Format Cells";
    }
}

unsigned FormatTabStringId(int slot) {
    static constexpr unsigned kTabStrings[kFormatSlotCount] = {1093, 1094, 1095, 1096, 1725};
    return slot >= 0 && slot < kFormatSlotCount ? kTabStrings[slot] : 0;
}

FormatSheetLayout LayoutFormatSheet(std::uint8_t mode) {
    FormatSheetLayout layout;
    const unsigned shownSlots = SlotsShownByMode(mode);
    for (int slot = 0; slot < kFormatSlotCount; ++slot) {
        if ((shownSlots & SlotBit(slot)) != 0) {
            layout.shown[static_cast<size_t>(layout.shownCount++)] = slot;
        }
    }
    for (int slot = kFormatSlotCount - 1; slot >= 0; --slot) {
        if ((shownSlots & SlotBit(slot)) == 0) {
            layout.removeIndices[static_cast<size_t>(layout.removeCount++)] = slot;
        }
    }
    return layout;
}

int StartPositionOf(std::uint8_t startPage, int shownCount) {
    if (startPage < 1 || startPage > kFormatSlotCount) {
        return 0;
    }
    const int position = startPage - 1;
    return position < shownCount ? position : 0;
}

std::uint8_t StartPageOfPosition(int position) {
    return position >= 0 && position <= 3 ? static_cast<std::uint8_t>(position + 1) : 5;
}

int CtrlTabTarget(int activePosition, int shownCount) {
    return shownCount > 0 && activePosition == shownCount - 1 ? 0 : -1;
}

bool ReadSignedDigits(std::string_view text, std::int32_t& value) {
    constexpr std::int32_t kLimit = 99999;
    size_t begin = 0;
    bool negative = false;
    if (begin < text.size() && (text[begin] == '-' || text[begin] == '+')) {
        negative = text[begin] == '-';
        ++begin;
    }
    if (begin == text.size()) {
        return false;
    }
    std::int32_t magnitude = 0;
    for (size_t i = begin; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), kLimit);
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

bool ReadWholeNumber(std::string_view text, std::int32_t& value) {
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return false;
    }
    const size_t end = text.find_last_not_of(' ');
    return ReadSignedDigits(text.substr(begin, end - begin + 1), value);
}

bool DecimalPlacesAllowed(int category, std::int32_t places) {
    const bool limited = category == 1 || category == 2 || category == 5;
    return !limited || (places >= 0 && places <= 15);
}

std::string NegativeSuffix(int places) {
    if (places <= 0) {
        return {};
    }
    std::string suffix = ".";
    for (int k = places; k >= 1; --k) {
        if (k > 16) {
            k = 15;
        }
        suffix += static_cast<char>('0' + k % 10);
    }
    return suffix;
}

std::array<unsigned, 4> NegativeEntryStrings(int category, bool separator, int symbol) {
    if (category == 1 && !separator) {
        return {1575, 1576, 1577, 1577};
    }
    if (category == 2 && symbol == 1) {
        return {1578, 1579, 1580, 1580};
    }
    if (category == 2 && symbol == 2) {
        return {3138, 3139, 3140, 3140};
    }
    return {1581, 1582, 1583, 1583};
}

int AdjustedSymbolSelection(int selection, std::string_view editionSwitch) {
    if (AtoiClamped(editionSwitch.substr(0, 5)) == 2) {
        return selection == 0 ? 2 : selection;
    }
    return selection == 0 || selection == 1 ? 1 : 2;
}

} // namespace qv::core
