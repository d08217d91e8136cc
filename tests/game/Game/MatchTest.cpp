#include "PuzzleTestUtil.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

namespace
{
int BrickCount(const cBoard& board)
{
    int n = 0;
    for (const auto& brick : board.GetBricks())
        n += brick.code != 0;
    return n;
}
} // namespace

TEST(Match, EnclosedBrickGoesWithItsSixNeighbours)
{
    // Every neighbour carries colour 2 (the units digit of 12), although
    // colour 1 does not match them all.
    cBoard board(PlainLevel(7, 7));
    cRecorder sounds;
    board.SetSoundListener(&sounds);
    board.SetBrick(3, 3, 12);
    SetRing(board, 3, 3, {21, 23, 25, 27, 29, 2});
    board.SetBrick(0, 6, 11);
    board.RunMatches();
    EXPECT_EQ(BrickCount(board), 1);
    EXPECT_EQ(board.GetBrickCode(0, 6), 11);
    EXPECT_EQ(board.GetFading().size(), 7u);
    EXPECT_EQ(board.GetFading()[0].code, 12); // the centre first
    EXPECT_EQ(sounds.Count(kSndBricksRemoved), 1);
    // The removed bricks fade for half a second, then the board is at rest.
    EXPECT_FALSE(board.IsIdle());
    const int frames = RunBoard(board);
    EXPECT_GE(frames, 29);
    EXPECT_LE(frames, 31);
}

TEST(Match, GapsAndBlockersPreventEnclosureButMultiBricksDoNot)
{
    struct Case
    {
        int last;
        bool removed;
    };
    for (const Case& c : {Case{0, false}, Case{102, false}, Case{103, false}, Case{104, false},
                          Case{100, true}, Case{44, false}, Case{41, true}})
    {
        cBoard board(PlainLevel(7, 7));
        board.SetBrick(3, 3, 14);
        SetRing(board, 3, 3, {11, 14, 41, 14, 1, c.last});
        board.RunMatches();
        EXPECT_EQ(board.GetBrickCode(3, 3) == 0, c.removed) << "sixth neighbour " << c.last;
    }
}

TEST(Match, MultiAndStarCentres)
{
    // Multi bricks all round a multi centre: enclosed.
    cBoard multi(PlainLevel(7, 7));
    multi.SetBrick(3, 3, 100);
    SetRing(multi, 3, 3, {100, 100, 100, 100, 100, 100});
    multi.RunMatches();
    EXPECT_EQ(BrickCount(multi), 0);

    // A multi centre takes its colours from the first colour neighbour.
    cBoard mixed(PlainLevel(7, 7));
    mixed.SetBrick(3, 3, 100);
    SetRing(mixed, 3, 3, {100, 56, 65, 5, 51, 100});
    mixed.RunMatches();
    EXPECT_EQ(BrickCount(mixed), 0);
    cBoard clash(PlainLevel(7, 7));
    clash.SetBrick(3, 3, 100);
    SetRing(clash, 3, 3, {100, 56, 65, 7, 51, 100});
    clash.RunMatches();
    EXPECT_EQ(BrickCount(clash), 7);
}

TEST(Match, OverlappingEnclosuresAreRemovedOnce)
{
    cLevel level = PlainLevel(6, 6);
    cBoard board(level);
    cRecorder sounds;
    board.SetSoundListener(&sounds);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            board.SetBrick(x, y, 33);
    board.RunMatches();
    const int removed = 36 - BrickCount(board);
    EXPECT_GT(removed, 20);
    EXPECT_EQ(board.GetFading().size(), static_cast<size_t>(removed));
    EXPECT_EQ(sounds.Count(kSndBricksRemoved), 1);
    // A corner cell belongs to no enclosed neighbourhood.
    EXPECT_EQ(board.GetBrickCode(0, 0), 33);
}

TEST(Match, StarClearsTheMatchedColourEverywhere)
{
    cBoard board(PlainLevel(9, 9));
    board.SetBrick(4, 4, 33);
    SetRing(board, 4, 4, {33, 101, 13, 35, 3, 33});
    board.SetBrick(0, 0, 43);
    board.SetBrick(8, 8, 31);
    board.SetBrick(0, 8, 11);
    board.SetBrick(8, 0, 101); // a star that is not in a match stays
    board.RunMatches();
    EXPECT_EQ(board.GetBrickCode(4, 4), 0);
    EXPECT_EQ(board.GetBrickCode(0, 0), 0);
    EXPECT_EQ(board.GetBrickCode(8, 8), 0);
    EXPECT_EQ(board.GetBrickCode(0, 8), 11);
    EXPECT_EQ(board.GetBrickCode(8, 0), 101);
    EXPECT_EQ(board.GetFading().size(), 9u);
}

TEST(Match, NoMatchPassWhileABrickMoves)
{
    cLevel level = PlainLevel(7, 7);
    level.SetCell(0, 0, kCellIce);
    level.SetCell(0, 1, kCellIce);
    level.SetCell(0, 2, kCellIce);
    cBoard board(level);
    board.SetBrick(3, 3, 11);
    SetRing(board, 3, 3, {11, 11, 11, 11, 11, 11});
    board.CreateMover(0, 0, kSouth, 22);
    board.Update(1.0f / 60.0f, true);
    EXPECT_EQ(board.GetBrickCode(3, 3), 11);
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(3, 3), 0);
    EXPECT_EQ(board.GetBrickCode(0, 3), 22);
}

TEST(Match, StarClearSparesABrickSlidingAtThatMoment)
{
    // The piece closes a star ring around (6, 6) and drops a 43 on an arrow
    // that sends it sliding north over ice: the colour clear of the same move
    // takes the 43 standing elsewhere but not the one in flight.
    cLevel level = PlainLevel(9, 9);
    level.SetCell(5, 4, 1 + kNorth);
    for (int y = 0; y < 4; ++y)
        level.SetCell(5, y, kCellIce);
    cBoard board(level);
    board.SetBrick(6, 6, 33);
    SetRing(board, 6, 6, {33, 101, 13, 35, 3, 0}); // north-west (5, 5) open
    board.SetBrick(0, 8, 43);
    ASSERT_EQ(Step(board, 5, 5, kNorth), std::make_pair(5, 4));
    ASSERT_TRUE(board.PlacePiece(5, 5, tPiece{33, 43, 0, 0, 0, 0, 0}, 0));
    EXPECT_EQ(board.GetBrickCode(6, 6), 0);
    EXPECT_EQ(board.GetBrickCode(0, 8), 0);
    EXPECT_EQ(board.GetMovers().size(), 1u);
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(5, 0), 43);
}
