#include "qvcore/cell_format.h"

#include <algorithm>

namespace qv::core {

// ---- Alignment --------------------------------------------------------------

CheckState CheckStateOfFlags(uint8_t flags, uint8_t on, uint8_t off) {
    if ((flags & on) != 0) {
        return kChecked;
    }
    if ((flags & off) != 0) {
        return kUnchecked;
    }
    return kIndeterminate;
}

uint8_t StoreTextControl(uint8_t flags, CheckState wrap, CheckState merge, uint8_t mode) {
    if (IsFindOrReplaceMode(mode)) {
        flags &= static_cast<uint8_t>(~(kWrapOn | kWrapOff | kWrapMixed));
        flags |= wrap == kChecked ? kWrapOn : wrap == kIndeterminate ? kWrapMixed : kWrapOff;
    } else if (wrap == kChecked) {
        flags |= kWrapOn;
    } else {
        flags &= static_cast<uint8_t>(~kWrapOn);
    }
    flags &= static_cast<uint8_t>(~(kMergeOn | kMergeOff | kMergeDiffers));
    if (!IsFindOrReplaceMode(mode)) {
        flags |= merge == kChecked ? kMergeOn : merge == kUnchecked ? kMergeOff : kMergeDiffers;
    }
    return flags;
}

bool AlignmentChanged(int horizontal, int vertical, std::string_view degrees, CheckState wrap,
                      CheckState merge) {
    const bool emptyDegrees = degrees.find_first_not_of(' ') == std::string_view::npos;
    return !(horizontal < 0 && vertical < 0 && emptyDegrees && wrap == kIndeterminate &&
             merge == kIndeterminate);
}

// ---- Font -------------------------------------------------------------------

const char* FontStyleNameOfFlags(uint8_t styleFlags) {
    if ((styleFlags & kStyleRegular) != 0) {
        return kFontStyleNames[0];
    }
    if ((styleFlags & kStyleBoldItalic) != 0) {
        return kFontStyleNames[3];
    }
    if ((styleFlags & kStyleItalic) != 0) {
        return kFontStyleNames[1];
    }
    if ((styleFlags & kStyleBold) != 0) {
        return kFontStyleNames[2];
    }
    return "";
}

uint8_t StoreFontStyle(uint8_t styleFlags, std::string_view styleName) {
    static constexpr uint8_t kBits[] = {kStyleRegular, kStyleItalic, kStyleBold, kStyleBoldItalic};
    styleFlags &= static_cast<uint8_t>(~0x0F);
    for (size_t i = 0; i < kFontStyleNames.size(); ++i) {
        if (styleName == kFontStyleNames[i]) {
            styleFlags |= kBits[i];
        }
    }
    return styleFlags;
}

namespace {

uint8_t StoreEffect(uint8_t flags, CheckState state, uint8_t mode, uint8_t on, uint8_t mixed,
                    uint8_t off) {
    flags &= static_cast<uint8_t>(~on);
    if (IsFindOrReplaceMode(mode)) {
        flags &= static_cast<uint8_t>(~(mixed | off));
        flags |= state == kChecked ? on : state == kIndeterminate ? mixed : off;
    } else if (state == kChecked) {
        flags |= on;
    }
    return flags;
}

} // namespace

uint8_t StoreUnderline(uint8_t flags, CheckState state, uint8_t mode) {
    return StoreEffect(flags, state, mode, kUnderlineOn, kUnderlineMixed, kUnderlineOff);
}

uint8_t StoreStrikeOut(uint8_t flags, CheckState state, uint8_t mode) {
    return StoreEffect(flags, state, mode, kStrikeOn, kStrikeMixed, kStrikeOff);
}

uint8_t StoreNormalFontFlag(uint8_t normalFlags, std::string_view face, std::string_view sizeText,
                            std::string_view styleName, bool underline, bool strike,
                            uint32_t colour) {
    if (face != "Arial" || sizeText != "10" || styleName != kFontStyleNames[0] || underline ||
        strike || colour != 0) {
        normalFlags &= static_cast<uint8_t>(~kNormalFontBit);
    }
    return normalFlags;
}

bool IsNormalFontBlock(std::string_view face, int size, uint8_t styleFlags, uint32_t colour,
                       uint8_t strikeFlags) {
    return face == "Arial" && size == 10 && styleFlags == kStyleRegular && colour == 0 &&
           strikeFlags == 0;
}

bool FontChanged(std::string_view face, std::string_view style, std::string_view size,
                 CheckState strike, CheckState underline, uint32_t colour) {
    return !(face.empty() && style.empty() && size.empty() && strike == kIndeterminate &&
             underline == kIndeterminate && colour == 0);
}

bool ParseFontSize(std::string_view text, int& size) {
    std::int32_t value = 0;
    if (!ReadSignedDigits(text, value) || value < 1 || value > 255) {
        return false;
    }
    size = value;
    return true;
}

// ---- Border -----------------------------------------------------------------

uint16_t EdgeBitOfSlot(int slot) {
    static constexpr uint16_t kBits[kBorderSlotCount] = {
        kEdgeTop, kEdgeLeft, kEdgeBottom, kEdgeRight, kEdgeInsideHorizontal, kEdgeInsideVertical};
    return slot >= 0 && slot < kBorderSlotCount ? kBits[slot] : 0;
}

int SlotOfEdges(uint16_t edges) {
    for (int slot = 0; slot < kBorderSlotCount; ++slot) {
        if ((edges & EdgeBitOfSlot(slot)) != 0) {
            return slot;
        }
    }
    return -1;
}

int BorderLineStyleIndex(uint16_t penStyle, uint8_t weight) {
    for (size_t i = 0; i < kBorderLineStyles.size(); ++i) {
        if (kBorderLineStyles[i].penStyle == penStyle && kBorderLineStyles[i].weight == weight) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ShapeHasInsideHorizontal(uint8_t shape) {
    return shape == kShapeRows || shape == kShapeBlock;
}

bool ShapeHasInsideVertical(uint8_t shape) {
    return shape == kShapeColumns || shape == kShapeBlock;
}

ZoneRect BorderPreviewZoneRect(int zone, int l, int t, int r, int b) {
    switch (zone) {
    case 1:
        return {l + 20, t + 1, r - 20, t + 21};
    case 2:
        return {l + 1, t + 10, l + 21, b - 10};
    case 3:
        return {l + 10, b - 21, r - 10, b - 1};
    case 4:
        return {r - 21, t + 10, r - 1, b - 10};
    case 5:
        return {l + 10, (t + b) / 2 - 10, r - 10, b / 2 + 10};
    case 6:
        return {(l + r) / 2 - 5, t + 10, r / 2 + 10, b - 10};
    default:
        return {};
    }
}

int BorderPreviewZone(int l, int t, int r, int b, int x, int y) {
    for (int zone = 1; zone <= 6; ++zone) {
        const ZoneRect z = BorderPreviewZoneRect(zone, l, t, r, b);
        if (x >= z.left && x < z.right && y >= z.top && y < z.bottom) {
            return zone;
        }
    }
    return 0;
}

int SlotOfPreviewZone(int zone) {
    switch (zone) {
    case 1:
        return kSlotTop;
    case 2:
        return kSlotLeft;
    case 3:
        return kSlotBottom;
    case 4:
        return kSlotRight;
    case 5:
        return kSlotInsideHorizontal;
    case 6:
        return kSlotInsideVertical;
    default:
        return -1;
    }
}

void BorderModel::Start(const BorderLineValue* lines, size_t count, uint8_t mode,
                        uint8_t mergeFlag) {
    mode_ = mode;
    merged_ = (mergeFlag & 0x08) != 0;
    current_ = BorderLineValue{0, kPenSolid, 0, 0, 1, 0};
    for (int slot = 0; slot < kBorderSlotCount; ++slot) {
        ZeroSlot(slot);
    }
    for (size_t i = 0; lines != nullptr && i < count; ++i) {
        current_ = lines[i];
        const int slot = SlotOfEdges(lines[i].edges);
        if (slot >= 0) {
            slots_[static_cast<size_t>(slot)] = lines[i];
        }
    }
    if (IsClearMode(mode_)) {
        for (auto& slot : slots_) {
            slot.changed = current_.changed;
        }
    }
    // The line list opens on the thin solid line.
    SelectLineStyle(1);
    changed_ = false;
    if (IsClearMode(mode_)) {
        UpdateChanged();
    }
}

std::vector<BorderLineValue> BorderModel::Finish() const {
    std::vector<BorderLineValue> lines;
    for (int slot = 0; slot < kBorderSlotCount; ++slot) {
        BorderLineValue line = slots_[static_cast<size_t>(slot)];
        line.changed = changed_ ? 1 : 0;
        bool write = true;
        if (mode_ == kFormatModeFontBorderPattern) {
            write = (line.edges & EdgeBitOfSlot(slot)) != 0;
        } else if (IsFindOrReplaceMode(mode_)) {
            write = slot <= kSlotRight;
        }
        if (write) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool BorderModel::EdgeOn(int slot) const {
    if (slot < 0 || slot >= kBorderSlotCount) {
        return false;
    }
    return (slots_[static_cast<size_t>(slot)].edges & EdgeBitOfSlot(slot)) != 0;
}

bool BorderModel::InsideHorizontalEnabled() const {
    return ShapeHasInsideHorizontal(current_.shape) && !merged_;
}

bool BorderModel::InsideVerticalEnabled() const {
    return ShapeHasInsideVertical(current_.shape) && !merged_;
}

bool BorderModel::InsidePresetEnabled() const {
    return InsideHorizontalEnabled() || InsideVerticalEnabled();
}

void BorderModel::SelectLineStyle(int index) {
    if (index < 0 || index >= static_cast<int>(kBorderLineStyles.size())) {
        return;
    }
    current_.penStyle = kBorderLineStyles[static_cast<size_t>(index)].penStyle;
    current_.weight = kBorderLineStyles[static_cast<size_t>(index)].weight;
}

void BorderModel::SetColour(uint32_t colour) {
    current_.color = colour;
}

void BorderModel::ZeroSlot(int slot) {
    BorderLineValue zero;
    zero.weight = 1;
    slots_[static_cast<size_t>(slot)] = zero;
}

void BorderModel::SetEdge(int slot, bool on) {
    if (!on || current_.penStyle == kPenNone) {
        ZeroSlot(slot);
        return;
    }
    BorderLineValue line = current_;
    line.edges = EdgeBitOfSlot(slot);
    slots_[static_cast<size_t>(slot)] = line;
}

bool BorderModel::ToggleEdge(int slot) {
    if (slot < 0 || slot >= kBorderSlotCount) {
        return false;
    }
    if ((slot == kSlotInsideHorizontal && !InsideHorizontalEnabled()) ||
        (slot == kSlotInsideVertical && !InsideVerticalEnabled())) {
        return false;
    }
    const BorderLineValue& line = slots_[static_cast<size_t>(slot)];
    const bool same = line.penStyle == current_.penStyle && line.color == current_.color &&
                      line.weight == current_.weight;
    SetEdge(slot, !(EdgeOn(slot) && same));
    UpdateChanged();
    return true;
}

void BorderModel::PresetNone() {
    for (int slot = 0; slot < kBorderSlotCount; ++slot) {
        ZeroSlot(slot);
    }
    changed_ = true;
}

void BorderModel::PresetOutline() {
    for (int slot : {kSlotTop, kSlotLeft, kSlotBottom, kSlotRight}) {
        SetEdge(slot, true);
    }
    UpdateChanged();
}

void BorderModel::PresetInside() {
    if (!InsidePresetEnabled()) {
        return;
    }
    if (InsideHorizontalEnabled()) {
        SetEdge(kSlotInsideHorizontal, true);
    }
    if (InsideVerticalEnabled()) {
        SetEdge(kSlotInsideVertical, true);
    }
    UpdateChanged();
}

void BorderModel::Clear() {
    for (int slot = 0; slot < kBorderSlotCount; ++slot) {
        ZeroSlot(slot);
    }
    UpdateChanged();
}

void BorderModel::MergeNotice(bool merged) {
    merged_ = merged;
    if (merged && current_.shape != kShapeOneCell &&
        (EdgeOn(kSlotInsideHorizontal) || EdgeOn(kSlotInsideVertical))) {
        ZeroSlot(kSlotInsideHorizontal);
        ZeroSlot(kSlotInsideVertical);
        UpdateChanged();
    }
}

void BorderModel::UpdateChanged() {
    if (!IsClearMode(mode_)) {
        changed_ = true;
        return;
    }
    bool anyEdge = false;
    for (int slot = 0; slot < kBorderSlotCount; ++slot) {
        anyEdge = anyEdge || EdgeOn(slot);
    }
    changed_ = anyEdge || current_.changed == 1;
}

// ---- Pattern ----------------------------------------------------------------

namespace {

constexpr uint16_t kPatternTable[kPatternStyleCount][8] = {
    {0x44, 0x11, 0x44, 0x11, 0x44, 0x11, 0x44, 0x11}, // 0
    {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}, // 1
    {0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE}, // 2
    {0xEE, 0xFF, 0xBB, 0xFF, 0xEE, 0xFF, 0xBB, 0xFF}, // 3
    {0xFF, 0xFF, 0xEE, 0xFF, 0xFF, 0xFF, 0xBB, 0xFF}, // 4
    {0xFB, 0xFF, 0xBF, 0xFF, 0xFA, 0xFF, 0xAF, 0xFF}, // 5
    {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}, // 6
    {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC}, // 7
    {0x55, 0xCC, 0x99, 0x44, 0x55, 0xCC, 0x99, 0x44}, // 8
    {0x44, 0x99, 0xCC, 0x55, 0x44, 0x99, 0xCC, 0x55}, // 9
    {0x55, 0x55, 0x99, 0x99, 0x55, 0x55, 0x99, 0x99}, // 10
    {0x55, 0x00, 0x99, 0x00, 0x55, 0x00, 0x99, 0x00}, // 11
    {0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF}, // 12
    {0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD}, // 13
    {0xEE, 0xDD, 0xBB, 0x77, 0xEE, 0xDD, 0xBB, 0x77}, // 14
    {0x77, 0xBB, 0xDD, 0xEE, 0x77, 0xBB, 0xDD, 0xEE}, // 15
    {0xEE, 0x00, 0xEE, 0xEE, 0xEE, 0x00, 0xEE, 0xEE}, // 16
    {0xEE, 0x55, 0xBB, 0x55, 0xEE, 0xBB, 0x55, 0xEE}, // 17
    {0x88, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, // 18
    {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF}, // 19
    {0xFE, 0xFF, 0xFB, 0xFF, 0xEF, 0xFF, 0xBF, 0xFF}, // 20
    {0xF7, 0xFF, 0xFD, 0xFF, 0x7F, 0xFF, 0xDF, 0xFF}, // 21
    {0x88, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF}, // 22
    {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, // 23
    {0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE}, // 24
    {0xFE, 0xFD, 0xFB, 0xF7, 0xEF, 0xDF, 0xBF, 0x7F}, // 25
    {0xF7, 0xFB, 0xFD, 0xFE, 0x7F, 0xBF, 0xDF, 0xEF}, // 26
    {0x00, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE}, // 27
    {0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, // 28
    {0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3}, // 29
    {0xF3, 0xF9, 0xFC, 0x7E, 0x3F, 0x9F, 0xCF, 0xE7}, // 30
    {0xE7, 0xCF, 0x9F, 0x3F, 0x7E, 0xFC, 0xF9, 0xF3}, // 31
    {0x00, 0x00, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3}, // 32
};

constexpr int16_t kPopupStyles[kPatternPopupButtons] = {-1, 6,  12, 0, 7, 13, 1, 30, 15,
                                                        2,  31, 14, 3, 8, 16, 4, 11, 17};

} // namespace

const uint16_t* PatternRows(int style) {
    return style >= 0 && style < kPatternStyleCount ? kPatternTable[style] : nullptr;
}

bool PatternBit(int style, int x, int y) {
    const uint16_t* rows = PatternRows(style);
    if (rows == nullptr || x < 0 || x > 7 || y < 0 || y > 7) {
        return false;
    }
    return ((rows[y] >> (7 - x)) & 1) != 0;
}

int16_t NormalisePatternStyle(int style) {
    return style >= 0 && style < kPatternStyleCount ? static_cast<int16_t>(style) : -1;
}

int16_t PatternStyleOfPopupButton(int k) {
    return k >= 0 && k < kPatternPopupButtons ? kPopupStyles[k] : -1;
}

int PopupButtonOfPatternStyle(int style) {
    const int16_t wanted = NormalisePatternStyle(style);
    for (int k = 0; k < kPatternPopupButtons; ++k) {
        if (kPopupStyles[k] == wanted) {
            return k;
        }
    }
    return -1;
}

bool PatternChangedInClearMode(uint32_t fillColour, int style, uint8_t incomingChanged) {
    return !(fillColour == kNoFillColour && style == -1 && incomingChanged != 1);
}

// ---- Conditional Formatting ---------------------------------------------------

std::string TrimConditionValue(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string(text);
    }
    const size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

ConditionValues ReadConditionValues(int op, std::string_view box1, std::string_view box2) {
    ConditionValues result;
    const std::string first = TrimConditionValue(box1);
    const std::string second = TrimConditionValue(box2);
    if (!OperatorTakesTwoValues(op < 0 ? 0 : op)) {
        result.present = !second.empty();
        if (result.present) {
            result.value1 = second;
        }
        return result;
    }
    if (first.empty() && second.empty()) {
        return result;
    }
    if (first.empty() || second.empty()) {
        result.refused = true;
        return result;
    }
    result.present = true;
    result.value1 = first;
    result.value2 = second;
    return result;
}

ConditionDeletePlan PlanConditionDelete(int shownGroups, const std::array<bool, 3>& ticked) {
    ConditionDeletePlan plan;
    shownGroups = std::clamp(shownGroups, 1, kConditionCount);
    int next = 0;
    for (int group = 0; group < shownGroups; ++group) {
        if (!ticked[static_cast<size_t>(group)]) {
            plan.source[static_cast<size_t>(next++)] = group;
        }
    }
    plan.remaining = next;
    plan.shown = std::max(next, 1);
    return plan;
}

} // namespace qv::core
