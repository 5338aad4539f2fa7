#include "qvcore/pivot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv::core;

namespace {

std::vector<bool> Rows(const PivotItemTicks& ticks) {
    std::vector<bool> rows;
    for (size_t row = 0; row < ticks.RowCount(); ++row) {
        rows.push_back(ticks.IsRowTicked(row));
    }
    return rows;
}

using V = std::vector<bool>;

} // namespace

// The all-items entry opens ticked whatever the shown list holds.
TEST(PivotTicks, OpeningTicksTheShownItems) {
    PivotItemTicks ticks;
    ticks.Reset({"North", "South", "East"}, {});
    EXPECT_EQ(Rows(ticks), (V{true, true, true, true}));

    ticks.Reset({"North", "South", "East"}, {"East", "North"});
    EXPECT_EQ(Rows(ticks), (V{true, true, false, true}));

    // A shown list that holds every item (in any order) is "show all".
    ticks.Reset({"North", "South", "East"}, {"South", "East", "North"});
    EXPECT_EQ(Rows(ticks), (V{true, true, true, true}));

    // Duplicates and empty texts are items like any other; texts that are no
    // item are ignored.
    ticks.Reset({"a", "", "a", "b"}, {"a", "", "zzz"});
    EXPECT_EQ(Rows(ticks), (V{true, true, true, true, false}));
    EXPECT_EQ(ticks.TickedItems(), 3u);

    ticks.Reset({"a", "b"}, {"zzz"});
    EXPECT_EQ(Rows(ticks), (V{true, false, false}));
    EXPECT_FALSE(ticks.NothingTicked());
}

TEST(PivotTicks, TheAllItemsEntryFollowsTheItems) {
    PivotItemTicks ticks;
    ticks.Reset({"a", "b", "c"}, {});

    // Clearing an item clears the entry, and only that item.
    auto change = ticks.SetRow(2, false);
    EXPECT_EQ(Rows(ticks), (V{false, true, false, true}));
    EXPECT_TRUE(change.allEntry);
    EXPECT_FALSE(change.everyRow);
    EXPECT_EQ(change.row, 2u);

    // Ticking the last unticked item ticks the entry again.
    change = ticks.ToggleRow(2);
    EXPECT_EQ(Rows(ticks), (V{true, true, true, true}));
    EXPECT_TRUE(change.allEntry);

    // Clearing the entry clears everything; ticking it ticks everything.
    change = ticks.SetRow(0, false);
    EXPECT_TRUE(change.everyRow);
    EXPECT_TRUE(ticks.NothingTicked());
    ticks.SetRow(3, true);
    EXPECT_EQ(Rows(ticks), (V{false, false, false, true}));
    ticks.SetRow(0, true);
    EXPECT_EQ(Rows(ticks), (V{true, true, true, true}));

    // Opened over some items, the entry stays ticked while items are ticked;
    // cleared while the first item is not ticked, it clears only itself.
    ticks.Reset({"a", "b", "c"}, {"b"});
    ticks.SetRow(1, true);
    EXPECT_EQ(Rows(ticks), (V{true, true, true, false}));
    ticks.Reset({"a", "b", "c"}, {"b"});
    change = ticks.SetRow(0, false);
    EXPECT_EQ(Rows(ticks), (V{false, false, true, false}));
    EXPECT_TRUE(change.allEntry);
    EXPECT_FALSE(change.everyRow);
    ticks.SetRow(1, true);
    ticks.SetRow(3, true);
    EXPECT_EQ(Rows(ticks), (V{true, true, true, true}));
    ticks.Reset({"a", "b", "c"}, {});

    // Setting a row to what it is, or a row past the end, changes nothing.
    change = ticks.SetRow(1, true);
    EXPECT_FALSE(change.everyRow || change.allEntry || change.row != 0);
    change = ticks.SetRow(99, false);
    EXPECT_FALSE(change.everyRow || change.allEntry || change.row != 0);
    EXPECT_EQ(ticks.TickedItems(), 3u);
}

TEST(PivotTicks, WhatOKHandsBack) {
    PivotItemTicks ticks;
    ticks.Reset({"a", "b", "a", "c"}, {"c"});
    EXPECT_TRUE(ticks.ShownOnOK().empty()); // the entry opens ticked
    ticks.SetRow(0, false);                 // the first item is not: the items stay
    EXPECT_EQ(ticks.ShownOnOK(), (std::vector<size_t>{3}));
    ticks.SetRow(1, true);
    ticks.SetRow(3, true);
    EXPECT_EQ(ticks.ShownOnOK(), (std::vector<size_t>{0, 2, 3}));
    ticks.SetRow(2, true);
    EXPECT_TRUE(ticks.ShownOnOK().empty()); // every item: the list is emptied

    // A field without items: the entry alone decides.
    ticks.Reset({}, {});
    EXPECT_TRUE(ticks.AllTicked());
    ticks.SetRow(0, false);
    EXPECT_TRUE(ticks.NothingTicked());
}
