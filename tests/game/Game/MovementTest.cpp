#include "PuzzleTestUtil.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

namespace
{
constexpr int kArrowSouth = 1 + kSouth;

// Column 2 of a 5 x h board: an arrow pointing south at the top, then the
// given cells below it.
cLevel Lane(const std::vector<int>& below)
{
    cLevel level = PlainLevel(5, static_cast<int>(below.size()) + 1);
    level.SetCell(2, 0, kArrowSouth);
    for (size_t i = 0; i < below.size(); ++i)
        level.SetCell(2, static_cast<int>(i) + 1, below[i]);
    return level;
}
} // namespace

TEST(Movement, ArrowPushesOntoIceAndTheBrickSlidesToTheFirstStop)
{
    cBoard board(Lane({kCellIce, kCellIce, kCellIce, kCellPlain, kCellPlain}));
    cRecorder sounds;
    board.SetSoundListener(&sounds);
    board.SetBrick(2, 0, 11);
    board.RunArrowsAndVortices();
    EXPECT_EQ(board.GetBrickCode(2, 0), 0);
    ASSERT_EQ(board.GetMovers().size(), 1u);
    // The target is reserved while the brick travels.
    EXPECT_FALSE(board.IsFree(2, 1));
    EXPECT_TRUE(board.IsOccupied(2, 1));
    const int frames = RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(2, 4), 11); // first plain cell after the ice
    EXPECT_TRUE(board.IsCovered(2, 4));
    EXPECT_NEAR(frames, 60, 2); // four cells, a quarter second each
    EXPECT_EQ(sounds.Count(kSndCollision), 0);
}

TEST(Movement, SlidingBrickStopsAgainstABrickAndKnocksOnARowOnIce)
{
    // Stops against a brick on a plain cell: collision, nothing knocked on.
    cBoard stop(Lane({kCellIce, kCellIce, kCellPlain}));
    cRecorder sounds;
    stop.SetSoundListener(&sounds);
    stop.SetBrick(2, 3, 22);
    stop.SetBrick(2, 0, 11);
    RunBoard(stop);
    EXPECT_EQ(stop.GetBrickCode(2, 2), 11);
    EXPECT_EQ(stop.GetBrickCode(2, 3), 22);
    EXPECT_EQ(sounds.Count(kSndCollision), 1);

    // Two bricks on ice ahead: the last of the row slides on.
    cBoard row(Lane({kCellIce, kCellIce, kCellIce, kCellIce, kCellIce}));
    row.SetBrick(2, 3, 22);
    row.SetBrick(2, 4, 33);
    row.SetBrick(2, 0, 11);
    RunBoard(row);
    EXPECT_EQ(row.GetBrickCode(2, 2), 11);
    EXPECT_EQ(row.GetBrickCode(2, 3), 22);
    EXPECT_EQ(row.GetBrickCode(2, 4), 0);
    EXPECT_EQ(row.GetBrickCode(2, 5), 33);
}

TEST(Movement, ArrowWithABrickOnIceAheadPushesThatBrick)
{
    cBoard board(Lane({kCellIce, kCellIce, kCellPlain}));
    cRecorder sounds;
    board.SetSoundListener(&sounds);
    board.SetBrick(2, 0, 11);
    board.SetBrick(2, 1, 22);
    board.RunArrowsAndVortices();
    EXPECT_EQ(board.GetBrickCode(2, 0), 11); // the brick on the arrow stays for now
    EXPECT_EQ(board.GetBrickCode(2, 1), 0);
    EXPECT_EQ(sounds.Count(kSndCollision), 1);
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(2, 3), 22);
    EXPECT_EQ(board.GetBrickCode(2, 2), 11);
    EXPECT_EQ(board.GetBrickCode(2, 0), 0);
}

TEST(Movement, BlockedArrowsAndImmovableBricksStay)
{
    cBoard board(Lane({kCellPlain, kCellPlain}));
    board.SetBrick(2, 0, 11);
    board.SetBrick(2, 1, 22); // on plain: cannot be pushed
    board.RunArrowsAndVortices();
    EXPECT_TRUE(board.IsIdle());
    EXPECT_EQ(board.GetBrickCode(2, 0), 11);

    cBoard blocker(Lane({kCellPlain, kCellPlain}));
    blocker.SetBrick(2, 0, 102);
    blocker.RunArrowsAndVortices();
    EXPECT_EQ(blocker.GetBrickCode(2, 0), 102);

    // A brick arriving on an arrow follows it at once.
    cLevel level = PlainLevel(5, 5);
    level.SetCell(2, 1, 1 + kSouthEast);
    cBoard follow(level);
    follow.CreateMover(2, 0, kSouth, 11);
    RunBoard(follow);
    EXPECT_EQ(follow.GetBrickCode(2, 1), 0);
    EXPECT_EQ(follow.GetBrickCode(3, 1), 11); // south-east of an even column: same row
}

TEST(Movement, VortexSwallowsEverythingButBlockers)
{
    cLevel level = PlainLevel(5, 5);
    level.SetCell(2, 2, kCellVortex);
    level.SetCell(3, 3, kCellVortex);
    cBoard board(level);
    cRecorder sounds;
    board.SetSoundListener(&sounds);
    // A bomb put on a vortex is swallowed by the move's own pass and never
    // lights the fuse.
    ASSERT_TRUE(board.PlacePiece(2, 2, tPiece{103, 0, 0, 0, 0, 0, 0}, 0));
    EXPECT_EQ(board.GetBrickCode(2, 2), 0);
    EXPECT_EQ(sounds.Count(kSndVortex), 1);
    board.SetBrick(3, 3, 102);
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(3, 3), 102);
    EXPECT_EQ(board.GetBombAnimation(), 0);
    EXPECT_EQ(sounds.Count(kSndExplosion), 0);
}
