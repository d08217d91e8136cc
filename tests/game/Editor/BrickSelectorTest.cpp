#include "game/Editor/BrickSelector.h"
#include "tests/game/Editor/EditorHarness.h"

using BrickSelectorTest = EditorHarness;

TEST_F(BrickSelectorTest, PalettesSetTheCodeAtOnce)
{
    cBrickSelector selector(*gui, host);
    selector.SetBrickCode(34);
    EXPECT_EQ(selector.GetPalette().GetFirstColour(), 3);
    EXPECT_EQ(selector.GetPalette().GetSecondColour(), 4);
    Show(selector);

    ClickAt(80 + 30 * 7 + 29, 45 + 1); // first row, j = 7 (its last pixel)
    EXPECT_EQ(host.brickCode, 84);
    EXPECT_EQ(selector.GetPalette().GetFirstColour(), 8);
    ClickAt(80 + 2, 45 + 30 + 29); // second row, j = 0
    EXPECT_EQ(host.brickCode, 81);
    ClickAt(20 + 60 * 3 + 10, 115 + 10); // special row: bomb
    EXPECT_EQ(host.brickCode, 103);
    ClickAt(20 + 30, 45 + 30); // sample square: the two colours again
    EXPECT_EQ(host.brickCode, 81);
    EXPECT_EQ(Presses(), 4);

    ClickAt(330, 100); // beside the palettes
    ClickAt(20 + 60 * 5, 115 + 10);
    EXPECT_EQ(host.brickCode, 81);
    EXPECT_EQ(Presses(), 4);
    Hide(selector);
}

TEST_F(BrickSelectorTest, KeepsColoursOfMadeBricksInRange)
{
    cBrickSelector selector(*gui, host);
    selector.SetBrickCode(105); // not a brick: ignored
    EXPECT_EQ(selector.GetBrickCode(), 11);
    selector.SetBrickCode(90); // a stored code with colours 9 and 0
    EXPECT_EQ(selector.GetBrickCode(), 90);
    EXPECT_EQ(selector.GetPalette().GetColourCode(), 81);
    selector.SetBrickCode(102); // special bricks keep the colours
    EXPECT_EQ(selector.GetPalette().GetColourCode(), 81);
}
