#include "game/Editor/ItemSelector.h"
#include "tests/game/Editor/EditorHarness.h"

using ItemSelectorTest = EditorHarness;

TEST_F(ItemSelectorTest, WritesItemsAndBricksIntoItsSlot)
{
    host.items[4] = 205;
    cItemSelector selector(*gui, host);
    selector.Load(4, host.items[4]);
    Show(selector);

    ClickAt(20 + 60 * 3 + 5, 305 + 5); // special row: bomb brick
    EXPECT_EQ(host.items[4], 103);
    ClickAt(80 + 30 * 2 + 5, 235 + 5); // first colour 3, second still 1
    EXPECT_EQ(host.items[4], 31);
    ClickAt(20 + 5, 45 + 5); // the first square empties the slot
    EXPECT_EQ(host.items[4], 0);
    ClickAt(20 + 60 * 1 + 5, 45 + 60 * 2 + 5); // square 11: turn anticlockwise
    EXPECT_EQ(host.items[4], 211);
    ClickAt(20 + 60 * 4 + 5, 45 + 5); // square 4: push south
    EXPECT_EQ(host.items[4], 204);
    ClickAt(20 + 60 * 3 + 5, 45 + 60 * 2 + 5); // square 13 holds nothing
    EXPECT_EQ(host.items[4], 204);
    EXPECT_EQ(selector.GetItem(), 204);
    EXPECT_EQ(Presses(), 5);
    // Only the slot it was opened for changes.
    for (int slot = 0; slot < 10; ++slot)
        EXPECT_EQ(host.items[static_cast<size_t>(slot)], slot == 4 ? 204 : 0) << slot;
    Hide(selector);
}
