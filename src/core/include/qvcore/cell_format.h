// The rules of the Alignment, Font, Border and Pattern pages of the Format
// Cells sheet and of Conditional Formatting that need no window: pattern
// bitmaps and styles, the border edge slots with their copy-in and copy-out
// per sheet mode, flag storing, changed states, and the condition rules.
#pragma once

#include "qvcore/format_cells.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

// Check-box states as the platform numbers them.
enum CheckState : int { kUnchecked = 0, kChecked = 1, kIndeterminate = 2 };

// ---- Alignment --------------------------------------------------------------

enum AlignFlag : uint8_t {
    kWrapOn = 0x01,
    kWrapOff = 0x02,
    kWrapMixed = 0x04,
    kMergeOn = 0x08,
    kMergeOff = 0x10,
    kMergeDiffers = 0x20,
};

// The state a flag byte gives a check box: `on` checked, `off` unchecked,
// neither indeterminate.
CheckState CheckStateOfFlags(uint8_t flags, uint8_t on, uint8_t off);

// The text-control flags after storing the two check boxes. In Find and
// Replace the wrap box sets bit 0, 2 or 1 for checked, indeterminate and
// unchecked; elsewhere only bit 0 follows it. The merge bits 3 to 5 are
// cleared and, outside Find and Replace, set by the merge box (bit 3, 4 or 5).
uint8_t StoreTextControl(uint8_t flags, CheckState wrap, CheckState merge, uint8_t mode);

// The Alignment page's changed flag: false only when both lists have no
// selection, the degrees text is empty (spaces ignored) and both boxes are
// indeterminate.
bool AlignmentChanged(int horizontal, int vertical, std::string_view degrees, CheckState wrap,
                      CheckState merge);

// ---- Font -------------------------------------------------------------------

enum FontStyleBit : uint8_t {
    kStyleRegular = 0x01,
    kStyleBold = 0x02,
    kStyleItalic = 0x04,
    kStyleBoldItalic = 0x08,
};
enum FontEffectBit : uint8_t {
    kUnderlineOn = 0x20,
    kUnderlineMixed = 0x01,
    kUnderlineOff = 0x02,
    kStrikeOn = 0x10,
    kStrikeMixed = 0x04,
    kStrikeOff = 0x08,
    kNormalFontBit = 0x40,
    kHideColourBit = 0x80,
};

// The style list's texts, in list order.
constexpr std::array<const char*, 4> kFontStyleNames = {"Regular", "Italic", "Bold", "Bold Italic"};
// The size list's texts.
constexpr std::array<const char*, 16> kFontSizeNames = {
    "8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"};

// The style name the style flags select (bits tested 0, 3, 2, 1); "" for none.
const char* FontStyleNameOfFlags(uint8_t styleFlags);
// The style flags with bits 0 to 3 replaced by the bit of a style name
// (unknown names set none).
uint8_t StoreFontStyle(uint8_t styleFlags, std::string_view styleName);
// Underline or strike-through flags after storing a check box: the on bit
// (and, in Find and Replace, the mixed and off bits) cleared, then set by the
// state.
uint8_t StoreUnderline(uint8_t flags, CheckState state, uint8_t mode);
uint8_t StoreStrikeOut(uint8_t flags, CheckState state, uint8_t mode);
// Bit 6 of the normal-font flags after storing: cleared unless the face is
// "Arial", the size text "10", the style Regular, neither effect on and the
// colour 0; kept otherwise.
uint8_t StoreNormalFontFlag(uint8_t normalFlags, std::string_view face, std::string_view sizeText,
                            std::string_view styleName, bool underline, bool strike,
                            uint32_t colour);
// A block that opens with "Normal Font" ticked: "Arial", 10, exactly Regular,
// colour 0, no strike-through flags.
bool IsNormalFontBlock(std::string_view face, int size, uint8_t styleFlags, uint32_t colour,
                       uint8_t strikeFlags);
// The Font page's changed flag: false only when face, style and size are
// empty, both effects indeterminate and the colour 0.
bool FontChanged(std::string_view face, std::string_view style, std::string_view size,
                 CheckState strike, CheckState underline, uint32_t colour);
// A size text the page accepts: a whole number from 1 to 255 (optional
// sign, nothing else). `size` receives it.
bool ParseFontSize(std::string_view text, int& size);

// ---- Border -----------------------------------------------------------------

// One border line as the record carries it (the fields of BorderLine).
struct BorderLineValue {
    uint16_t edges = 0;
    uint16_t penStyle = 0;
    uint32_t color = 0;
    uint8_t shape = 0;
    uint8_t weight = 0;
    uint8_t changed = 0;
    bool operator==(const BorderLineValue&) const = default;
};

enum BorderEdgeBit : uint16_t {
    kEdgeTop = 0x01,
    kEdgeBottom = 0x02,
    kEdgeLeft = 0x04,
    kEdgeRight = 0x08,
    kEdgeInsideHorizontal = 0x10,
    kEdgeInsideVertical = 0x20,
};
enum BorderPen : uint16_t {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNone = 5,
};
enum BorderShape : uint8_t {
    kShapeOneCell = 1,
    kShapeRows = 2,    // several rows in one column: inside horizontal lines
    kShapeColumns = 3, // several columns in one row: inside vertical lines
    kShapeBlock = 4,   // both
};

// The six edge slots in their order; each slot belongs to one edge bit.
enum BorderSlot : int {
    kSlotTop,
    kSlotLeft,
    kSlotBottom,
    kSlotRight,
    kSlotInsideHorizontal,
    kSlotInsideVertical,
    kBorderSlotCount
};
uint16_t EdgeBitOfSlot(int slot);
// The slot of the first edge bit of a mask (tested top, left, bottom, right,
// inside horizontal, inside vertical); -1 when none.
int SlotOfEdges(uint16_t edges);

// The line list: eight entries of pen style and weight.
struct BorderLineStyle {
    uint16_t penStyle;
    uint8_t weight;
};
constexpr std::array<BorderLineStyle, 8> kBorderLineStyles = {{
    {kPenNone, 1},
    {kPenSolid, 1},
    {kPenSolid, 2},
    {kPenDash, 1},
    {kPenDot, 1},
    {kPenSolid, 3},
    {kPenDashDot, 1},
    {kPenDashDotDot, 1},
}};
// The list entry of a pen style and weight; -1 when the list has none.
int BorderLineStyleIndex(uint16_t penStyle, uint8_t weight);

// Whether a shape has inside horizontal or inside vertical lines.
bool ShapeHasInsideHorizontal(uint8_t shape);
bool ShapeHasInsideVertical(uint8_t shape);

// The preview's click zones (client rectangle left, top, right, bottom):
// 1 top, 2 left, 3 bottom, 4 right, 5 inside horizontal, 6 inside vertical,
// tested in that order; 0 when the point is in none.
int BorderPreviewZone(int left, int top, int right, int bottom, int x, int y);
// Zone 1 to 6 as a rectangle (left, top, right, bottom); all 0 for other numbers.
struct ZoneRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
ZoneRect BorderPreviewZoneRect(int zone, int left, int top, int right, int bottom);
// The slot an edge message number (1 to 6) toggles; -1 for other numbers.
int SlotOfPreviewZone(int zone);

// The Border page's model: the current line, six slots, the sheet mode and
// the merge state, with every rule of the page that does not draw.
class BorderModel {
  public:
    // Copy-in: each line goes into the current line and into the slot of the
    // first edge bit it carries; in Find, Replace and the reduced sheet the
    // current line's changed flag then goes into every slot. `merged` is the
    // merge flag the sheet hands over (8 = merged).
    void Start(const BorderLineValue* lines, size_t count, uint8_t mode, uint8_t mergeFlag);
    // Copy-out: every slot carries the page's changed flag; the reduced sheet
    // writes the slots whose own edge bit is set, Find and Replace the first
    // four, other modes all six.
    std::vector<BorderLineValue> Finish() const;

    uint8_t Mode() const { return mode_; }
    uint8_t Shape() const { return current_.shape; }
    bool Merged() const { return merged_; }
    const BorderLineValue& Current() const { return current_; }
    const BorderLineValue& Slot(int slot) const { return slots_[static_cast<size_t>(slot)]; }
    bool EdgeOn(int slot) const;
    bool Changed() const { return changed_; }
    // In Find, Replace and the reduced sheet: Clear is enabled exactly when
    // the page is changed.
    bool ClearEnabled() const { return IsClearMode(mode_) && changed_; }

    // The inside buttons (the Inside preset and the two inside edges) as the
    // shape and merge state allow them.
    bool InsideHorizontalEnabled() const;
    bool InsideVerticalEnabled() const;
    bool InsidePresetEnabled() const;

    // The current line: a line-list entry (pen style and weight), a colour.
    void SelectLineStyle(int index);
    void SetColour(uint32_t colour);

    // An edge button or edge message: off when the edge is on with the
    // current line's pen style, colour and weight; otherwise on with the
    // current line (the no-line pen turns it off). Disabled inside edges
    // ignore it. Returns false when ignored.
    bool ToggleEdge(int slot);
    void PresetNone();
    void PresetOutline();
    void PresetInside();
    void Clear();
    // The Alignment page's merge notice.
    void MergeNotice(bool merged);

  private:
    void SetEdge(int slot, bool on);
    void ZeroSlot(int slot);
    void UpdateChanged();

    BorderLineValue current_{0, kPenSolid, 0, 0, 1, 0};
    std::array<BorderLineValue, kBorderSlotCount> slots_{};
    uint8_t mode_ = 0;
    bool merged_ = false;
    bool changed_ = false;
};

// ---- Pattern ----------------------------------------------------------------

constexpr int kPatternStyleCount = 33;
// The fill colour that means "no colour".
constexpr uint32_t kNoFillColour = 1;

// The eight rows of a pattern bitmap, top row first, each in a 16-bit word
// with the high byte 0 and the leftmost pixel in the byte's top bit; nullptr
// outside 0..32.
const uint16_t* PatternRows(int style);
// One pixel of a pattern bitmap (x, y in 0..7): the bit's value.
bool PatternBit(int style, int x, int y);
// A pattern style as the page starts with it: 0..32 kept, anything else -1.
int16_t NormalisePatternStyle(int style);

// The popup: 18 buttons, commands 12700 to 12717, images 701 to 718.
constexpr int kPatternPopupButtons = 18;
constexpr int kPatternPopupFirstCommand = 12700;
constexpr int kPatternPopupFirstImage = 701;
// The style button k selects (-1 removes the pattern; also -1 out of range).
int16_t PatternStyleOfPopupButton(int k);
// The button that selects a style (style -1: button 0), or -1 when none.
int PopupButtonOfPatternStyle(int style);

// The Pattern page's changed flag in Find, Replace and the reduced sheet:
// false when there is no fill colour, no style and the incoming flag is not 1.
bool PatternChangedInClearMode(uint32_t fillColour, int style, uint8_t incomingChanged);

// ---- Conditional Formatting ---------------------------------------------------

constexpr int kConditionCount = 3;
constexpr int kConditionOperatorCount = 8;
// Operators 0 and 1 take two values; 2 to 7 take one.
inline bool OperatorTakesTwoValues(int op) {
    return op == 0 || op == 1;
}
// Pixels between the right edge of value box 1 and the left edge of value
// box 2 in the two-value layout.
constexpr int kConditionValueGap = 37;

// A value box's text as OK reads it: trimmed of spaces at both ends when it
// holds anything but spaces; an all-space text stays as it is.
std::string TrimConditionValue(std::string_view text);

// What OK makes of one condition's two boxes.
struct ConditionValues {
    bool present = false;
    bool refused = false; // a two-value operator with exactly one value (message 1295)
    std::string value1;
    std::string value2;
};
ConditionValues ReadConditionValues(int op, std::string_view box1, std::string_view box2);

// The no-format flag after the Format Cells sheet was confirmed.
inline uint8_t NoFormatFlagAfterSheet(bool fontChanged, bool patternChanged, size_t borderLines) {
    return fontChanged || patternChanged || borderLines > 0 ? 0 : 1;
}

// Deleting conditions: which shown group moves into each group, and how many
// groups stay shown.
struct ConditionDeletePlan {
    std::array<int, kConditionCount> source{-1, -1, -1}; // -1: cleared and reset
    int shown = 1;                                       // groups shown afterwards (1..3)
    int remaining = 0;                                   // conditions that remain
};
ConditionDeletePlan PlanConditionDelete(int shownGroups, const std::array<bool, 3>& ticked);

} // namespace qv::core
