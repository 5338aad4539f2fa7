#include "qvcore/fixedwidth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace qv::core;

namespace {
using Breaks = std::vector<int32_t>;
using Fields = std::vector<std::string>;
} // namespace

TEST(FixedWidth, AutomaticBreaks) {
    EXPECT_EQ(AutoBreaks({"ab cd ef"}), (Breaks{2, 5}));
    EXPECT_EQ(AutoBreaks({"ab cd"}), (Breaks{2}));
    EXPECT_EQ(AutoBreaks({"abcdef"}), Breaks{});
    EXPECT_EQ(AutoBreaks({}), Breaks{});
    EXPECT_EQ(AutoBreaks({""}), Breaks{});
    // A break needs a blank (or the end) in every longer line.
    EXPECT_EQ(AutoBreaks({"ab cd ef", "xy zw"}), (Breaks{2, 5}));
    EXPECT_EQ(AutoBreaks({"abcdefgh", "ab cd ef"}), Breaks{});
    // Of equally long lines the last one is read: it has no blank here.
    EXPECT_EQ(AutoBreaks({"ab cd ef", "abcdefgh"}), Breaks{});
    // A leading blank gives a break at 0 (dropped when collected).
    EXPECT_EQ(AutoBreaks({" ab cd"}), (Breaks{0, 3}));
    // Blanks at the end of the line count towards the offset too.
    EXPECT_EQ(AutoBreaks({"ab cd ef  "}), (Breaks{2}));
    EXPECT_EQ(AutoBreaks({"ab   cd"}), (Breaks{2}));
}

TEST(FixedWidth, CollectedBreaksAndSplit) {
    const Breaks collected = CollectBreaks({5, 0, 2, 5, -1, 9});
    EXPECT_EQ(collected, (Breaks{2, 5, 9}));
    EXPECT_EQ(BreakTexts(collected), (Fields{"2", "5", "9"}));

    EXPECT_EQ(SplitFixedWidthLine("abcdef", {2, 4}), (Fields{"ab", "cd", "ef"}));
    EXPECT_EQ(SplitFixedWidthLine("abcdef", {2, 6}), (Fields{"ab", "cdef"}));
    EXPECT_EQ(SplitFixedWidthLine("abcdef", {2, 9}), (Fields{"ab", "cdef"}));
    EXPECT_EQ(SplitFixedWidthLine("abc", {4, 6}), (Fields{"abc", ""}));
    EXPECT_EQ(SplitFixedWidthLine("", {2}), (Fields{""}));
    EXPECT_EQ(SplitFixedWidthLine("abc", {}), (Fields{"abc"}));
    EXPECT_EQ(SplitFixedWidthLine("abcdef", {4, 2}), (Fields{"abcd", "", "ef"}));

    SplitPreview p = SplitFixedWidth({"ab cd ef", "xy"}, {2, 5});
    EXPECT_EQ(p.columns, 3);
    EXPECT_EQ(p.rows[0], (Fields{"ab", " cd", " ef"}));
    EXPECT_EQ(p.rows[1], (Fields{"xy", ""}));
    EXPECT_EQ(SplitFixedWidth({"abc"}, {}).columns, 1);
}

TEST(FixedWidth, DisplayTextLines) {
    DisplayLines d = SplitDisplayText("ab\ncde\n");
    EXPECT_EQ(d.lines, (Fields{"ab", "cde", ""}));
    EXPECT_EQ(d.longest, 3);
    d = SplitDisplayText("\nab\nc");
    EXPECT_EQ(d.lines, (Fields{"\nab", "c"}));
    EXPECT_EQ(d.longest, 3);
    d = SplitDisplayText("");
    EXPECT_EQ(d.lines, (Fields{""}));
    EXPECT_EQ(d.longest, 0);
    d = SplitDisplayText("a\n\nb");
    EXPECT_EQ(d.lines, (Fields{"a", "", "b"}));

    EXPECT_EQ(NormaliseMargin(3, 8), 8);
    EXPECT_EQ(NormaliseMargin(-1, 8), 8);
    EXPECT_EQ(NormaliseMargin(0, 8), 0);
    EXPECT_EQ(NormaliseMargin(5, 8), 5);
}

TEST(FixedWidth, MouseSnapsToCharacterBoundaries) {
    const int right = 300;
    const int bottom = 200;
    // Character width 8: x = 5 + 4 is exactly the middle of the first character.
    EXPECT_EQ(BreakColumnAt(5 + 3, 50, right, bottom, 8, 0), 0);
    EXPECT_EQ(BreakColumnAt(5 + 4, 50, right, bottom, 8, 0), 1);
    EXPECT_EQ(BreakColumnAt(5 + 11, 50, right, bottom, 8, 0), 1);
    EXPECT_EQ(BreakColumnAt(5 + 12, 50, right, bottom, 8, 0), 2);
    EXPECT_EQ(BreakColumnAt(6, 50, right, bottom, 8, 0), 0);
    EXPECT_EQ(BreakColumnAt(5 + 4, 50, right, bottom, 8, 40), 41);
    // Odd widths: 3.5 pixels is the middle of a 7-pixel character.
    EXPECT_EQ(BreakColumnAt(5 + 3, 0, right, bottom, 7, 0), 0);
    EXPECT_EQ(BreakColumnAt(5 + 4, 0, right, bottom, 7, 0), 1);
    // The ruler strip counts; the scroll-bar strips and the left edge do not.
    EXPECT_EQ(BreakColumnAt(20, 2, right, bottom, 8, 0), 2);
    EXPECT_EQ(BreakColumnAt(5, 50, right, bottom, 8, 0), std::nullopt);
    EXPECT_EQ(BreakColumnAt(right - 23, 50, right, bottom, 8, 0), 34);
    EXPECT_EQ(BreakColumnAt(right - 22, 50, right, bottom, 8, 0), std::nullopt);
    EXPECT_EQ(BreakColumnAt(50, bottom - 22, right, bottom, 8, 0), std::nullopt);
    EXPECT_EQ(BreakColumnAt(50, bottom - 23, right, bottom, 8, 0), 6);
    EXPECT_EQ(BreakColumnAt(50, 50, right, bottom, -1, 0), std::nullopt); // not painted yet

    // A double click on an empty column adds and then removes a break.
    Breaks breaks{4};
    EXPECT_TRUE(AddBreak(breaks, 7));
    EXPECT_FALSE(AddBreak(breaks, 7));
    EXPECT_TRUE(RemoveBreak(breaks, 7));
    EXPECT_FALSE(RemoveBreak(breaks, 7));
    EXPECT_EQ(breaks, (Breaks{4}));
}

TEST(FixedWidth, BreakLinesAndMarkers) {
    // Area 80 pixels wide, 8 per character: columns 0 to 10 are candidates,
    // x must lie strictly inside.
    auto lines = VisibleBreakLines({0, 3, 10, 11, 1}, 0, 80, 8);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].column, 3);
    EXPECT_EQ(lines[0].x, 24);
    EXPECT_EQ(lines[1].column, 1);
    lines = VisibleBreakLines({3, 12, 1}, 2, 80, 8); // scrolled by 2 columns
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, 8);
    EXPECT_TRUE(VisibleBreakLines({3}, 0, 80, 0).empty());

    // The marker over a break near the right edge is clipped to the area.
    auto marker = BreakMarker(98, 100);
    ASSERT_EQ(marker.size(), 3u);
    EXPECT_EQ(marker[2].left, 95);
    EXPECT_EQ(marker[2].right, 100);
}

TEST(FixedWidth, RulerTicksAndLabels) {
    auto width = [](std::string_view label) { return static_cast<int>(label.size()) * 6; };
    auto ticks = RulerTicks(200, 8, 0, NormaliseRulerIntervals(10, 5), width);
    ASSERT_EQ(ticks.size(), 25u);
    EXPECT_EQ(ticks[0].kind, TickKind::Major);
    EXPECT_FALSE(ticks[0].labelled); // "0" would stick out on the left
    EXPECT_EQ(ticks[1].kind, TickKind::Minor);
    EXPECT_EQ(ticks[5].kind, TickKind::Middle);
    EXPECT_EQ(ticks[10].kind, TickKind::Major);
    EXPECT_TRUE(ticks[10].labelled);
    EXPECT_EQ(ticks[10].label, 10);
    EXPECT_EQ(ticks[10].x, 80);
    EXPECT_EQ(ticks[15].kind, TickKind::Middle);
    EXPECT_EQ(ticks[20].label, 20);

    // After SetRulerIntervals(5, 0): labels every 5 columns, no middle ticks.
    ticks = RulerTicks(200, 8, 0, NormaliseRulerIntervals(5, 0), width);
    for (const RulerTick& t : ticks) {
        EXPECT_NE(t.kind, TickKind::Middle);
        EXPECT_EQ(t.kind == TickKind::Major, (t.x / 8) % 5 == 0);
        EXPECT_EQ(t.labelled, t.kind == TickKind::Major && t.x > 0);
    }
    // Scrolled by 3 columns: the tick at x = 16 stands for column 5.
    ticks = RulerTicks(200, 8, 3, NormaliseRulerIntervals(10, 5), width);
    EXPECT_EQ(ticks[0].kind, TickKind::Minor);
    EXPECT_EQ(ticks[2].kind, TickKind::Middle);
    EXPECT_EQ(ticks[7].label, 10);
    // A label that would stick out on the right is not drawn.
    ticks = RulerTicks(82, 8, 0, NormaliseRulerIntervals(10, 5), width);
    EXPECT_FALSE(ticks.back().labelled);

    const RulerIntervals iv = NormaliseRulerIntervals(0, -3);
    EXPECT_EQ(iv.major, 1);
    EXPECT_EQ(iv.middle, 1);
    EXPECT_TRUE(RulerTicks(200, 0, 0, iv, width).empty());
}

TEST(FixedWidth, ScrollBars) {
    // 10 rows of 16 pixels fit under the 8-pixel margin.
    ScrollSetup v = VerticalScroll(10, 8 + 160, 16, 0);
    EXPECT_EQ(v.maximum, 9);
    EXPECT_EQ(v.page, 10);
    EXPECT_FALSE(v.enabled);
    v = VerticalScroll(25, 8 + 160, 16, 3);
    EXPECT_TRUE(v.enabled);
    EXPECT_EQ(ScrollTo(v, kScrollLineForward, 0), 4);
    EXPECT_EQ(ScrollTo(v, kScrollPageForward, 0), 13);
    v.position = 13;
    EXPECT_EQ(ScrollTo(v, kScrollPageForward, 0), 15); // at most maximum - page + 1
    EXPECT_EQ(ScrollTo(v, kScrollPageBack, 0), 3);
    v.position = 0;
    EXPECT_EQ(ScrollTo(v, kScrollLineBack, 0), 0);
    EXPECT_EQ(ScrollTo(v, kScrollThumbPosition, 7), 7);
    EXPECT_EQ(ScrollTo(v, kScrollThumbPosition, 99), 15);
    EXPECT_EQ(ScrollTo(v, 5, 7), 0); // other codes keep the position

    ScrollSetup h = HorizontalScroll(30, 240, 8, 0);
    EXPECT_EQ(h.page, 30);
    EXPECT_FALSE(h.enabled);
    h = HorizontalScroll(31, 240, 8, 0);
    EXPECT_TRUE(h.enabled);
    EXPECT_FALSE(HorizontalScroll(0, 240, 8, 0).enabled);
}

TEST(FixedWidth, MeasuredShapeAgreesWithTheCut) {
    int widths[256];
    for (int c = 0; c < 256; ++c) {
        widths[c] = 2 + c % 5;
    }
    const std::vector<std::string> lines = {"abcdefgh", "ab", "", "abcdefghijklmn"};
    for (const std::vector<int32_t>& breaks : {std::vector<int32_t>{}, std::vector<int32_t>{2, 5},
                                               std::vector<int32_t>{8}, std::vector<int32_t>{20}}) {
        const SplitPreview full = SplitFixedWidth(lines, breaks);
        const PreviewShape shape = MeasureFixedWidth(lines, breaks, widths);
        EXPECT_EQ(shape.columns, full.columns);
        EXPECT_EQ(shape.rows, static_cast<int>(lines.size()));
        std::vector<long long> widest(static_cast<size_t>(full.columns), 0);
        for (const auto& row : full.rows) {
            for (size_t c = 0; c < row.size(); ++c) {
                widest[c] = std::max(widest[c], TextWidth(row[c], widths));
            }
        }
        EXPECT_EQ(shape.widest, widest);
    }
}
