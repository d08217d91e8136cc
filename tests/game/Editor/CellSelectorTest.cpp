#include "game/Editor/CellSelector.h"
#include "tests/game/Editor/EditorHarness.h"

using CellSelectorTest = EditorHarness;

TEST_F(CellSelectorTest, SquaresChooseKindsOneToTwelve)
{
    cCellSelector selector(*gui, host);
    selector.SetCellKind(host.cellKind);
    Show(selector);

    ClickAt(20 + 60 * 3 + 5, 45 + 60 * 2 + 5); // last square, k = 11
    EXPECT_EQ(host.cellKind, 12);
    EXPECT_EQ(selector.GetCellKind(), 12);
    ClickAt(20 + 1, 45 + 1); // first square
    EXPECT_EQ(host.cellKind, 1);
    ClickAt(19, 45); // just outside the grid
    ClickAt(20 + 240, 45);
    EXPECT_EQ(host.cellKind, 1);
    EXPECT_EQ(Presses(), 2);
    EXPECT_EQ(host.closes, 0);

    ClickAt(100 + 40, 240 + 14); // OK only closes
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(host.cellKind, 1);
    Hide(selector);
}
