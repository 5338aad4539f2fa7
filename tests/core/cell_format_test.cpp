// Rules of the Alignment, Font, Border and Pattern pages and of Conditional
// Formatting: flags, changed states, the border slots per sheet mode and
// selection shape, the pattern bitmaps, the condition values and deleting.
#include "qvcore/cell_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

using namespace qv::core;

namespace {

BorderLineValue Line(uint16_t edges, uint16_t pen, uint32_t colour, uint8_t shape,
                     uint8_t weight = 1, uint8_t changed = 0) {
    BorderLineValue line;
    line.edges = edges;
    line.penStyle = pen;
    line.color = colour;
    line.shape = shape;
    line.weight = weight;
    line.changed = changed;
    return line;
}

// The pattern table as the format documents it: style, then eight rows in hex.
const char* const kPatternText[] = {
    "0 44 11 44 11 44 11 44 11",  "1 55 AA 55 AA 55 AA 55 AA",  "2 BB EE BB EE BB EE BB EE",
    "3 EE FF BB FF EE FF BB FF",  "4 FF FF EE FF FF FF BB FF",  "5 FB FF BF FF FA FF AF FF",
    "6 FF FF 00 00 FF FF 00 00",  "7 CC CC CC CC CC CC CC CC",  "8 55 CC 99 44 55 CC 99 44",
    "9 44 99 CC 55 44 99 CC 55",  "10 55 55 99 99 55 55 99 99", "11 55 00 99 00 55 00 99 00",
    "12 FF 00 FF FF FF 00 FF FF", "13 DD DD DD DD DD DD DD DD", "14 EE DD BB 77 EE DD BB 77",
    "15 77 BB DD EE 77 BB DD EE", "16 EE 00 EE EE EE 00 EE EE", "17 EE 55 BB 55 EE BB 55 EE",
    "18 88 FF FF FF FF FF FF FF", "19 FE FF FE FF FE FF FE FF", "20 FE FF FB FF EF FF BF FF",
    "21 F7 FF FD FF 7F FF DF FF", "22 88 FF FE FF FE FF FE FF", "23 00 FF FF FF FF FF FF FF",
    "24 FE FE FE FE FE FE FE FE", "25 FE FD FB F7 EF DF BF 7F", "26 F7 FB FD FE 7F BF DF EF",
    "27 00 FE FE FE FE FE FE FE", "28 00 00 FF FF FF FF FF FF", "29 F3 F3 F3 F3 F3 F3 F3 F3",
    "30 F3 F9 FC 7E 3F 9F CF E7", "31 E7 CF 9F 3F 7E FC F9 F3", "32 00 00 F3 F3 F3 F3 F3 F3",
};

} // namespace

// ---- Alignment --------------------------------------------------------------

TEST(CellFormatAlignment, TextControlFlagsPerMode) {
    // Normal mode: only bit 0 follows the wrap box; merge sets 3, 4 or 5.
    EXPECT_EQ(StoreTextControl(0x00, kChecked, kChecked, kFormatModeNormal), 0x01 | 0x08);
    EXPECT_EQ(StoreTextControl(0x01 | 0x08, kUnchecked, kUnchecked, kFormatModeNormal), 0x10);
    EXPECT_EQ(StoreTextControl(0x20, kUnchecked, kIndeterminate, kFormatModeNormal), 0x20);
    EXPECT_EQ(StoreTextControl(0x02, kChecked, kChecked, kFormatModeNormal), 0x02 | 0x01 | 0x08);
    EXPECT_EQ(StoreTextControl(0x40 | 0x80, kUnchecked, kChecked, kFormatModeNormal), 0xC0 | 0x08);
    // Find and Replace: wrap bits 0, 2, 1; the merge bits are only cleared.
    EXPECT_EQ(StoreTextControl(0x02 | 0x08, kChecked, kChecked, kFormatModeFind), 0x01);
    EXPECT_EQ(StoreTextControl(0x01 | 0x20, kIndeterminate, kUnchecked, kFormatModeReplace), 0x04);
    EXPECT_EQ(StoreTextControl(0x05, kUnchecked, kIndeterminate, kFormatModeFind), 0x02);

    EXPECT_EQ(CheckStateOfFlags(0x01, kWrapOn, kWrapOff), kChecked);
    EXPECT_EQ(CheckStateOfFlags(0x02, kWrapOn, kWrapOff), kUnchecked);
    EXPECT_EQ(CheckStateOfFlags(0x20, kMergeOn, kMergeOff), kIndeterminate);

    EXPECT_FALSE(AlignmentChanged(-1, -1, "", kIndeterminate, kIndeterminate));
    EXPECT_FALSE(AlignmentChanged(-1, -1, " ", kIndeterminate, kIndeterminate));
    EXPECT_TRUE(AlignmentChanged(0, -1, "", kIndeterminate, kIndeterminate));
    EXPECT_TRUE(AlignmentChanged(-1, -1, "0", kIndeterminate, kIndeterminate));
    EXPECT_TRUE(AlignmentChanged(-1, -1, "", kUnchecked, kIndeterminate));
}

// ---- Font -------------------------------------------------------------------

TEST(CellFormatFont, StyleEffectAndNormalFontFlags) {
    EXPECT_STREQ(FontStyleNameOfFlags(0x01 | 0x02), "Regular"); // bit 0 first
    EXPECT_STREQ(FontStyleNameOfFlags(0x08 | 0x04), "Bold Italic");
    EXPECT_STREQ(FontStyleNameOfFlags(0x04 | 0x02), "Italic");
    EXPECT_STREQ(FontStyleNameOfFlags(0x02), "Bold");
    EXPECT_STREQ(FontStyleNameOfFlags(0xF0), "");
    EXPECT_EQ(StoreFontStyle(0xFF, "Italic"), 0xF4);
    EXPECT_EQ(StoreFontStyle(0x01, "Bold Italic"), 0x08);
    EXPECT_EQ(StoreFontStyle(0x31, ""), 0x30);

    // Normal mode: only the on bit; the mixed and off bits are left alone.
    EXPECT_EQ(StoreUnderline(0x03, kChecked, kFormatModeNormal), 0x23);
    EXPECT_EQ(StoreUnderline(0x20, kUnchecked, kFormatModeNormal), 0x00);
    // Find and Replace: on, mixed, off.
    EXPECT_EQ(StoreUnderline(0x22, kIndeterminate, kFormatModeFind), 0x01);
    EXPECT_EQ(StoreUnderline(0x21, kUnchecked, kFormatModeReplace), 0x02);
    EXPECT_EQ(StoreStrikeOut(0x0C, kChecked, kFormatModeFind), 0x10);
    EXPECT_EQ(StoreStrikeOut(0x10, kIndeterminate, kFormatModeFind), 0x04);
    EXPECT_EQ(StoreStrikeOut(0x10, kUnchecked, kFormatModeFind), 0x08);
    EXPECT_EQ(StoreStrikeOut(0x10, kUnchecked, kFormatModeFontBorderPattern), 0x00);

    EXPECT_EQ(StoreNormalFontFlag(0x40, "Arial", "10", "Regular", false, false, 0), 0x40);
    EXPECT_EQ(StoreNormalFontFlag(0x41, "Arial", "11", "Regular", false, false, 0), 0x01);
    EXPECT_EQ(StoreNormalFontFlag(0x40, "Arial", "10", "Bold", false, false, 0), 0x00);
    EXPECT_EQ(StoreNormalFontFlag(0x40, "Arial", "10", "Regular", true, false, 0), 0x00);
    EXPECT_EQ(StoreNormalFontFlag(0x40, "Arial", "10", "Regular", false, false, 0xFF), 0x00);
    EXPECT_EQ(StoreNormalFontFlag(0x00, "Arial", "10", "Regular", false, false, 0), 0x00);

    EXPECT_TRUE(IsNormalFontBlock("Arial", 10, 0x01, 0, 0));
    EXPECT_FALSE(IsNormalFontBlock("Arial", 10, 0x03, 0, 0));
    EXPECT_FALSE(IsNormalFontBlock("Arial", 10, 0x01, 0, 0x08));
    EXPECT_FALSE(IsNormalFontBlock("Tahoma", 10, 0x01, 0, 0));

    EXPECT_FALSE(FontChanged("", "", "", kIndeterminate, kIndeterminate, 0));
    EXPECT_TRUE(FontChanged("", "", "", kUnchecked, kIndeterminate, 0));
    EXPECT_TRUE(FontChanged("", "", "", kIndeterminate, kIndeterminate, 5));
    EXPECT_TRUE(FontChanged("", "", "9", kIndeterminate, kIndeterminate, 0));

    int size = 0;
    EXPECT_TRUE(ParseFontSize("255", size));
    EXPECT_EQ(size, 255);
    EXPECT_TRUE(ParseFontSize("+1", size));
    EXPECT_EQ(size, 1);
    for (const char* bad : {"", "0", "256", "-5", "10.5", " 10", "1e2", "9999999999999"}) {
        EXPECT_FALSE(ParseFontSize(bad, size)) << bad;
    }
}

// ---- Border -----------------------------------------------------------------

TEST(CellFormatBorder, CopyInPutsEachLineIntoTheSlotOfItsFirstEdge) {
    const BorderLineValue lines[] = {
        Line(kEdgeBottom | kEdgeTop, kPenDash, 0x0000FF, 4, 1, 0), // top wins over bottom
        Line(kEdgeLeft, kPenSolid, 0x00FF00, 4, 2, 0),
        Line(0, kPenSolid, 0, 4, 1, 0),                        // no edge: current line only
        Line(kEdgeInsideVertical, kPenDot, 0xFF0000, 4, 1, 1), // last: shape and changed flag
    };
    BorderModel model;
    model.Start(lines, 4, kFormatModeNormal, 0);
    EXPECT_TRUE(model.EdgeOn(kSlotTop));
    EXPECT_FALSE(model.EdgeOn(kSlotBottom));
    EXPECT_TRUE(model.EdgeOn(kSlotLeft));
    EXPECT_TRUE(model.EdgeOn(kSlotInsideVertical));
    EXPECT_EQ(model.Slot(kSlotTop).color, 0x0000FFu);
    EXPECT_EQ(model.Shape(), 4);
    EXPECT_EQ(model.Current().changed, 1);
    // The line list opens on the thin solid line.
    EXPECT_EQ(model.Current().penStyle, kPenSolid);
    EXPECT_EQ(model.Current().weight, 1);
    EXPECT_FALSE(model.Changed());

    // Normal mode writes all six slots in slot order, with the page's flag.
    auto out = model.Finish();
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[kSlotTop].edges, kEdgeBottom | kEdgeTop);
    EXPECT_EQ(out[kSlotLeft].weight, 2);
    EXPECT_EQ(out[kSlotBottom].edges, 0);
    EXPECT_EQ(out[kSlotBottom].weight, 1);
    for (const auto& line : out) {
        EXPECT_EQ(line.changed, 0);
    }

    // In the reduced sheet the incoming changed flag goes into every slot and
    // only the set edges are written back.
    model.Start(lines, 4, kFormatModeFontBorderPattern, 0);
    EXPECT_TRUE(model.Changed()); // edges are set
    out = model.Finish();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].edges, kEdgeBottom | kEdgeTop);
    EXPECT_EQ(out[1].edges, kEdgeLeft);
    EXPECT_EQ(out[2].edges, kEdgeInsideVertical);
    for (const auto& line : out) {
        EXPECT_EQ(line.changed, 1);
    }

    // Find and Replace write the four outer slots, set or not.
    model.Start(lines, 4, kFormatModeFind, 0);
    out = model.Finish();
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[2].edges, 0); // bottom
    EXPECT_EQ(out[3].edges, 0); // right

    // An empty list in the reduced sheet: nothing set, nothing written.
    model.Start(nullptr, 0, kFormatModeFontBorderPattern, 0);
    EXPECT_FALSE(model.Changed());
    EXPECT_FALSE(model.ClearEnabled());
    EXPECT_TRUE(model.Finish().empty());
}

TEST(CellFormatBorder, EdgeTogglesPresetsAndShapes) {
    const BorderLineValue carrier[] = {Line(0, kPenSolid, 0, 1)};
    BorderModel model;
    model.Start(carrier, 1, kFormatModeFontBorderPattern, 0);
    // Top twice with the same line: on, then off.
    EXPECT_TRUE(model.ToggleEdge(kSlotTop));
    EXPECT_TRUE(model.EdgeOn(kSlotTop));
    EXPECT_TRUE(model.ClearEnabled());
    EXPECT_TRUE(model.ToggleEdge(kSlotTop));
    EXPECT_FALSE(model.EdgeOn(kSlotTop));
    EXPECT_FALSE(model.Changed());
    // On, then again after a colour change: stays on with the new colour.
    model.ToggleEdge(kSlotTop);
    model.SetColour(0x123456);
    model.ToggleEdge(kSlotTop);
    EXPECT_TRUE(model.EdgeOn(kSlotTop));
    EXPECT_EQ(model.Slot(kSlotTop).color, 0x123456u);
    // The no-line entry turns an edge off.
    model.SelectLineStyle(0);
    model.ToggleEdge(kSlotTop);
    EXPECT_FALSE(model.EdgeOn(kSlotTop));
    model.SelectLineStyle(5); // thick solid
    // Shape 1: no inside edges, the Inside preset sets nothing.
    EXPECT_FALSE(model.InsidePresetEnabled());
    EXPECT_FALSE(model.ToggleEdge(kSlotInsideHorizontal));
    model.PresetInside();
    EXPECT_FALSE(model.EdgeOn(kSlotInsideHorizontal));
    EXPECT_FALSE(model.EdgeOn(kSlotInsideVertical));
    model.PresetOutline();
    for (int slot : {kSlotTop, kSlotLeft, kSlotBottom, kSlotRight}) {
        EXPECT_TRUE(model.EdgeOn(slot));
        EXPECT_EQ(model.Slot(slot).weight, 3);
        EXPECT_EQ(model.Slot(slot).edges, EdgeBitOfSlot(slot));
    }
    model.PresetNone();
    for (int slot = 0; slot < kBorderSlotCount; ++slot) {
        EXPECT_FALSE(model.EdgeOn(slot));
        EXPECT_EQ(model.Slot(slot).weight, 1);
    }
    EXPECT_TRUE(model.Changed()); // None counts as a change
    EXPECT_TRUE(model.ClearEnabled());
    model.Clear();
    EXPECT_FALSE(model.Changed());

    // Shape 2: inside horizontal only; shape 3: inside vertical only.
    const BorderLineValue rows[] = {Line(0, kPenSolid, 0, 2)};
    model.Start(rows, 1, kFormatModeNormal, 0);
    EXPECT_TRUE(model.InsideHorizontalEnabled());
    EXPECT_FALSE(model.InsideVerticalEnabled());
    model.PresetInside();
    EXPECT_TRUE(model.EdgeOn(kSlotInsideHorizontal));
    EXPECT_FALSE(model.EdgeOn(kSlotInsideVertical));
    EXPECT_TRUE(model.Changed()); // normal mode: every change
    const BorderLineValue columns[] = {Line(0, kPenSolid, 0, 3)};
    model.Start(columns, 1, kFormatModeNormal, 0);
    model.PresetInside();
    EXPECT_FALSE(model.EdgeOn(kSlotInsideHorizontal));
    EXPECT_TRUE(model.EdgeOn(kSlotInsideVertical));

    // Shape 4 with merge: the notice turns both inside edges off and locks them.
    const BorderLineValue block[] = {Line(0, kPenSolid, 0, 4)};
    model.Start(block, 1, kFormatModeFontBorderPattern, 0);
    model.PresetInside();
    EXPECT_TRUE(model.EdgeOn(kSlotInsideHorizontal));
    EXPECT_TRUE(model.EdgeOn(kSlotInsideVertical));
    model.MergeNotice(true);
    EXPECT_FALSE(model.EdgeOn(kSlotInsideHorizontal));
    EXPECT_FALSE(model.EdgeOn(kSlotInsideVertical));
    EXPECT_FALSE(model.InsidePresetEnabled());
    EXPECT_FALSE(model.ToggleEdge(kSlotInsideVertical));
    model.MergeNotice(false);
    EXPECT_TRUE(model.ToggleEdge(kSlotInsideVertical));
    EXPECT_TRUE(model.EdgeOn(kSlotInsideVertical));
    // Merged at start (flag 8): the inside buttons start disabled.
    model.Start(block, 1, kFormatModeNormal, 8);
    EXPECT_FALSE(model.InsideHorizontalEnabled());
}

TEST(CellFormatBorder, LineListAndPreviewZones) {
    EXPECT_EQ(BorderLineStyleIndex(kPenNone, 1), 0);
    EXPECT_EQ(BorderLineStyleIndex(kPenSolid, 3), 5);
    EXPECT_EQ(BorderLineStyleIndex(kPenDashDotDot, 1), 7);
    EXPECT_EQ(BorderLineStyleIndex(kPenDash, 2), -1);
    EXPECT_EQ(SlotOfEdges(kEdgeRight | kEdgeInsideHorizontal), kSlotRight);
    EXPECT_EQ(SlotOfEdges(kEdgeBottom | kEdgeLeft), kSlotLeft);
    EXPECT_EQ(SlotOfEdges(0x40), -1);

    // A 200 x 100 preview.
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 100, 5), 1);  // top
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 15, 8), 0);   // top-left corner: none
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 5, 50), 2);   // left
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 100, 95), 3); // bottom
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 195, 50), 4); // right
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 50, 50), 5);  // inside horizontal
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 100, 30), 6); // inside vertical
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 100, 50), 5); // the middle: horizontal first
    EXPECT_EQ(BorderPreviewZone(0, 0, 200, 100, 150, 30), 0);
    EXPECT_EQ(SlotOfPreviewZone(2), kSlotLeft);
    EXPECT_EQ(SlotOfPreviewZone(6), kSlotInsideVertical);
    EXPECT_EQ(SlotOfPreviewZone(7), -1);
}

// ---- Pattern ----------------------------------------------------------------

TEST(CellFormatPattern, BitmapsMatchTheDocumentedTable) {
    ASSERT_EQ(std::size(kPatternText), static_cast<size_t>(kPatternStyleCount));
    for (int style = 0; style < kPatternStyleCount; ++style) {
        std::istringstream in(kPatternText[style]);
        int number = -1;
        in >> number;
        ASSERT_EQ(number, style);
        const uint16_t* rows = PatternRows(style);
        ASSERT_NE(rows, nullptr);
        for (int y = 0; y < 8; ++y) {
            unsigned expected = 0;
            in >> std::hex >> expected >> std::dec;
            EXPECT_EQ(rows[y], expected) << "style " << style << " row " << y;
            EXPECT_EQ(rows[y] & 0xFF00, 0) << "high byte";
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(PatternBit(style, x, y), ((expected >> (7 - x)) & 1) != 0);
            }
        }
    }
    // Style 7 (CC): the two leftmost pixels of each row are set, the next two clear.
    EXPECT_TRUE(PatternBit(7, 0, 0));
    EXPECT_TRUE(PatternBit(7, 1, 3));
    EXPECT_FALSE(PatternBit(7, 2, 5));
    EXPECT_EQ(PatternRows(33), nullptr);
    EXPECT_EQ(PatternRows(-1), nullptr);
    EXPECT_FALSE(PatternBit(40, 0, 0));
}

TEST(CellFormatPattern, StylesPopupAndChangedState) {
    EXPECT_EQ(NormalisePatternStyle(0), 0);
    EXPECT_EQ(NormalisePatternStyle(32), 32);
    EXPECT_EQ(NormalisePatternStyle(33), -1);
    EXPECT_EQ(NormalisePatternStyle(-2), -1);
    EXPECT_EQ(NormalisePatternStyle(40), -1);
    EXPECT_EQ(NormalisePatternStyle(-1), -1);

    const int expected[18] = {-1, 6, 12, 0, 7, 13, 1, 30, 15, 2, 31, 14, 3, 8, 16, 4, 11, 17};
    for (int k = 0; k < kPatternPopupButtons; ++k) {
        EXPECT_EQ(PatternStyleOfPopupButton(k), expected[k]) << k;
        EXPECT_EQ(PopupButtonOfPatternStyle(expected[k]), k);
    }
    EXPECT_EQ(PatternStyleOfPopupButton(18), -1);
    EXPECT_EQ(PopupButtonOfPatternStyle(5), -1); // not offered by the popup
    EXPECT_EQ(PopupButtonOfPatternStyle(99), 0); // none

    EXPECT_FALSE(PatternChangedInClearMode(kNoFillColour, -1, 0));
    EXPECT_TRUE(PatternChangedInClearMode(kNoFillColour, -1, 1));
    EXPECT_TRUE(PatternChangedInClearMode(0xFFFFFF, -1, 0));
    EXPECT_TRUE(PatternChangedInClearMode(kNoFillColour, 3, 0));
}

// ---- Conditional Formatting ---------------------------------------------------

TEST(CellFormatConditions, ValuesTrimmingAndRefusal) {
    EXPECT_EQ(TrimConditionValue("  12  "), "12");
    EXPECT_EQ(TrimConditionValue("   "), "   ");
    EXPECT_EQ(TrimConditionValue(""), "");
    EXPECT_EQ(TrimConditionValue(" a b "), "a b");

    // One-value operator: box 2 is the value, spaces only count as a value.
    auto v = ReadConditionValues(3, "", "   ");
    EXPECT_TRUE(v.present);
    EXPECT_EQ(v.value1, "   ");
    v = ReadConditionValues(7, "ignored", "");
    EXPECT_FALSE(v.present);
    EXPECT_FALSE(v.refused);
    // Two-value operators.
    v = ReadConditionValues(0, " 1 ", " 9");
    EXPECT_TRUE(v.present);
    EXPECT_EQ(v.value1, "1");
    EXPECT_EQ(v.value2, "9");
    v = ReadConditionValues(1, "", "");
    EXPECT_FALSE(v.present);
    EXPECT_FALSE(v.refused);
    v = ReadConditionValues(1, "5", "");
    EXPECT_FALSE(v.present);
    EXPECT_TRUE(v.refused);
    v = ReadConditionValues(0, "", "5");
    EXPECT_TRUE(v.refused);

    EXPECT_EQ(NoFormatFlagAfterSheet(false, false, 0), 1);
    EXPECT_EQ(NoFormatFlagAfterSheet(true, false, 0), 0);
    EXPECT_EQ(NoFormatFlagAfterSheet(false, true, 0), 0);
    EXPECT_EQ(NoFormatFlagAfterSheet(false, false, 2), 0);
}

TEST(CellFormatConditions, DeletingMovesTheRemainingConditionsUp) {
    auto plan = PlanConditionDelete(3, {true, false, false});
    EXPECT_EQ(plan.source[0], 1);
    EXPECT_EQ(plan.source[1], 2);
    EXPECT_EQ(plan.source[2], -1);
    EXPECT_EQ(plan.shown, 2);
    plan = PlanConditionDelete(3, {false, true, false});
    EXPECT_EQ(plan.source[0], 0);
    EXPECT_EQ(plan.source[1], 2);
    EXPECT_EQ(plan.shown, 2);
    plan = PlanConditionDelete(2, {true, true, false}); // group 3 hidden: not a condition
    EXPECT_EQ(plan.source[0], -1);
    EXPECT_EQ(plan.remaining, 0);
    EXPECT_EQ(plan.shown, 1);
    plan = PlanConditionDelete(1, {false, false, false});
    EXPECT_EQ(plan.source[0], 0);
    EXPECT_EQ(plan.shown, 1);
    plan = PlanConditionDelete(3, {false, false, false});
    EXPECT_EQ(plan.shown, 3);
    EXPECT_EQ(plan.source[2], 2);
}
