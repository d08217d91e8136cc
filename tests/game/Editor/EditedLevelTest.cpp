// The level being edited, without the screen: painting rules, resizing,
// the piece list and the level it becomes.
#include "game/Editor/EditedLevel.h"
#include "game/Game/Level.h"

#include "game/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
const tPiece kPieceA{11, 22, 0, 0, 0, 0, 0};
const tPiece kPieceB{0, 0, 0, 33, 0, 0, 44};

cEditedLevel PlainLevel(int width, int height)
{
    cEditedLevel edited;
    while (edited.GetBoard().GetWidth() > width)
        edited.Resize(cEditedLevel::kRemoveColumnRight);
    while (edited.GetBoard().GetHeight() > height)
        edited.Resize(cEditedLevel::kRemoveRowBottom);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            edited.PutCell(x, y, kCellPlain);
    return edited;
}
} // namespace

TEST(EditedLevelTest, ANewLevelIsNineBySevenWithoutCellsAndOneEmptyPiecePlace)
{
    cEditedLevel edited;
    edited.PutCell(2, 2, kCellIce);
    edited.SetName("x");
    edited.GetItems().SetSlot(4, 201);
    edited.SetPiece(0, kPieceA);
    edited.NewLevel();
    const cBoard& board = edited.GetBoard();
    EXPECT_EQ(board.GetWidth(), 9);
    EXPECT_EQ(board.GetHeight(), 7);
    EXPECT_EQ(board.GetAdjustIndexX(), 0);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(board.GetCellKind(x, y) + board.GetBrickCode(x, y), 0);
    EXPECT_EQ(edited.GetPieceCount(), 1);
    EXPECT_TRUE(cEditedLevel::IsEmptyPiece(edited.GetPiece(0)));
    EXPECT_EQ(edited.GetItems().GetSlot(4), 0);
    EXPECT_EQ(edited.GetName(), "");
    // No brick can stand where there is no cell.
    EXPECT_FALSE(edited.PutBrick(4, 3, 11));
}

TEST(EditedLevelTest, PaintingChangesOnlyWhatDiffersAndHolesAndBrokenCellsLoseTheirBrick)
{
    cEditedLevel edited = PlainLevel(5, 5);
    EXPECT_FALSE(edited.PutCell(1, 1, kCellPlain)); // already plain
    EXPECT_TRUE(edited.PutBrick(1, 1, 11));
    EXPECT_FALSE(edited.PutBrick(1, 1, 11));
    // Kinds 1..11 keep the brick.
    for (int kind = 2; kind <= 11; ++kind)
    {
        EXPECT_TRUE(edited.PutCell(1, 1, kind));
        EXPECT_EQ(edited.GetBoard().GetBrickCode(1, 1), 11) << kind;
        EXPECT_TRUE(edited.PutBrick(2, 2, 100 + kind % 5)) << kind;
        EXPECT_TRUE(edited.PutBrick(2, 2, 0)) << kind;
    }
    for (int kind : {kCellBroken, kCellHole})
    {
        edited.PutCell(1, 1, kCellPlain);
        edited.PutBrick(1, 1, kBrickBomb);
        EXPECT_TRUE(edited.PutCell(1, 1, kind));
        EXPECT_EQ(edited.GetBoard().GetBrickCode(1, 1), 0) << kind;
        EXPECT_FALSE(edited.PutBrick(1, 1, 11)) << kind;
        EXPECT_EQ(edited.GetBoard().GetBrickCode(1, 1), 0) << kind;
    }
    EXPECT_FALSE(edited.PutCell(9, 9, kCellPlain));
}

TEST(EditedLevelTest, RemovingTheLeftColumnFlipsTheParityAndKeepsTheRest)
{
    cEditedLevel edited = PlainLevel(3, 2);
    edited.PutCell(1, 0, kCellVortex);
    edited.PutBrick(2, 1, 45);
    ASSERT_EQ(edited.GetBoard().GetAdjustIndexX(), 0);
    EXPECT_TRUE(edited.Resize(cEditedLevel::kRemoveColumnLeft));
    const cBoard& board = edited.GetBoard();
    EXPECT_EQ(board.GetWidth(), 2);
    EXPECT_EQ(board.GetAdjustIndexX(), 1);
    EXPECT_EQ(board.GetCellKind(0, 0), kCellVortex);
    EXPECT_EQ(board.GetBrickCode(1, 1), 45);
    // What was an odd column still is one: the look of the board is kept.
    EXPECT_TRUE(board.IsOddColumn(0));
    EXPECT_TRUE(edited.Resize(cEditedLevel::kAddColumnLeft));
    EXPECT_EQ(edited.GetBoard().GetAdjustIndexX(), 0);
    EXPECT_EQ(edited.GetBoard().GetCellKind(0, 0), kCellHole);

    // The last column and the last row stay.
    cEditedLevel thin = PlainLevel(1, 1);
    for (int action : {cEditedLevel::kRemoveColumnLeft, cEditedLevel::kRemoveColumnRight,
                       cEditedLevel::kRemoveRowTop, cEditedLevel::kRemoveRowBottom})
        EXPECT_FALSE(thin.Resize(action));
    EXPECT_EQ(thin.GetBoard().GetWidth(), 1);
    EXPECT_EQ(thin.GetBoard().GetHeight(), 1);
    EXPECT_EQ(thin.GetBoard().GetCellKind(0, 0), kCellPlain);
}

TEST(EditedLevelTest, TheBoardGrowsOnlyAsFarAsALevelFileCanHoldIt)
{
    cEditedLevel edited;
    for (int i = edited.GetBoard().GetWidth(); i < cLevel::kMaxSide; ++i)
        ASSERT_TRUE(edited.Resize(cEditedLevel::kAddColumnRight));
    EXPECT_FALSE(edited.Resize(cEditedLevel::kAddColumnRight));
    EXPECT_FALSE(edited.Resize(cEditedLevel::kAddColumnLeft));
    EXPECT_EQ(edited.GetBoard().GetWidth(), cLevel::kMaxSide);
    EXPECT_TRUE(edited.Resize(cEditedLevel::kAddRowBottom));
}

TEST(EditedLevelTest, ThePieceListKeepsOneEmptyRecordAtItsEnd)
{
    cEditedLevel edited;
    edited.SetPiece(0, kPieceA);
    ASSERT_EQ(edited.GetPieceCount(), 2);
    edited.SetPiece(1, kPieceB);
    ASSERT_EQ(edited.GetPieceCount(), 3);
    EXPECT_EQ(edited.GetPiece(1), kPieceB);
    // Not the last record, or an empty piece: no growth.
    edited.SetPiece(0, kPieceB);
    edited.SetPiece(2, tPiece{});
    EXPECT_EQ(edited.GetPieceCount(), 3);
    edited.SetPiece(7, kPieceA);
    EXPECT_EQ(edited.GetPieceCount(), 3);

    // Deleting the last record clears it; any other one goes.
    edited.SetPiece(2, kPieceA);
    ASSERT_EQ(edited.GetPieceCount(), 4);
    edited.DeletePiece(3);
    EXPECT_EQ(edited.GetPieceCount(), 4);
    edited.DeletePiece(0);
    EXPECT_EQ(edited.GetPieceCount(), 3);
    EXPECT_EQ(edited.GetPiece(0), kPieceB);
    edited.InsertPiece(1);
    EXPECT_EQ(edited.GetPieceCount(), 4);
    EXPECT_TRUE(cEditedLevel::IsEmptyPiece(edited.GetPiece(1)));
    EXPECT_EQ(edited.GetPiece(2), kPieceA);
}

TEST(EditedLevelTest, TheLevelDropsEmptyPieceRecordsAndKeepsTheOrder)
{
    cEditedLevel edited = PlainLevel(4, 3);
    edited.ResizePieceList(4);
    edited.SetPiece(0, kPieceA);
    edited.SetPiece(2, kPieceB);
    ASSERT_EQ(edited.GetPieceCount(), 4);
    const cLevel level = edited.ToLevel();
    ASSERT_EQ(level.GetPieceCount(), 2);
    EXPECT_EQ(level.GetPiece(0), kPieceA);
    EXPECT_EQ(level.GetPiece(1), kPieceB);
}

TEST(EditedLevelTest, ASavedLevelLoadsBackIdentically)
{
    cTempFolder folder("edited_level");
    cEditedLevel edited = PlainLevel(6, 5);
    edited.Resize(cEditedLevel::kRemoveColumnLeft); // odd parity
    edited.PutCell(0, 0, kCellArrowNorth + 2);
    edited.PutCell(3, 4, kCellBroken);
    edited.PutCell(4, 4, kCellHole);
    edited.PutBrick(1, 1, 78);
    edited.PutBrick(2, 2, kBrickPlasma);
    edited.SetPiece(0, kPieceA);
    edited.SetPiece(1, kPieceB);
    edited.GetItems().SetSlot(0, 201);
    edited.GetItems().SetSlot(9, kBrickStar);
    edited.SetName("Two pieces");
    edited.SetDescription("First line\nsecond line");

    const cLevel saved = edited.ToLevel();
    const std::string path = folder.File("mine.lvl");
    saved.Save(folder.FileSystem(), path);
    // Written through a temporary file that does not stay behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
    cLevel loaded;
    loaded.Load(folder.FileSystem(), path);
    EXPECT_EQ(loaded, saved);

    cEditedLevel again;
    again.FromLevel(loaded);
    EXPECT_EQ(again.ToLevel(), saved);
    EXPECT_EQ(again.GetPieceCount(), 3);
    EXPECT_TRUE(cEditedLevel::IsEmptyPiece(again.GetPiece(2)));
    EXPECT_EQ(again.GetBoard().GetAdjustIndexX(), 1);
}
