#include "PuzzleTestUtil.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

namespace
{
constexpr float kDt = 1.0f / 60.0f;

void Advance(cBoard& board, float seconds)
{
    for (float t = 0.0f; t < seconds; t += kDt)
        board.Update(kDt, true);
}
} // namespace

TEST(Bomb, BlowsUpItsNeighboursWhenTheSharedFuseEnds)
{
    cLevel level = PlainLevel(7, 7);
    level.SetCell(4, 4, kCellHole);
    cBoard board(level);
    cRecorder sounds;
    board.SetSoundListener(&sounds);
    board.SetBrick(3, 3, 103);
    SetRing(board, 3, 3, {102, 11, 0, 33, 44, 55}); // (4,4), south-east, is a hole
    board.SetBrick(0, 0, 103);                      // a second bomb shares the timer
    board.SetBrick(6, 6, 11);

    board.Update(kDt, true);
    EXPECT_EQ(board.GetBombAnimation(), 1);
    EXPECT_FALSE(board.IsMovable(3, 3));
    Advance(board, 1.9f);
    EXPECT_EQ(board.GetBrickCode(3, 2), 102);
    EXPECT_EQ(sounds.Count(kSndExplosion), 0);
    ASSERT_GT(RunBoard(board), 0);
    EXPECT_EQ(sounds.Count(kSndExplosion), 1);
    for (int d = 1; d <= 6; ++d)
    {
        auto [x, y] = Step(board, 3, 3, d);
        EXPECT_EQ(board.GetBrickCode(x, y), 0) << "direction " << d;
    }
    EXPECT_EQ(board.GetBrickCode(3, 3), 0);
    EXPECT_EQ(board.GetBrickCode(0, 0), 0);
    EXPECT_EQ(board.GetBrickCode(6, 6), 11);
    EXPECT_EQ(board.GetBombAnimation(), 0);
}

TEST(Bomb, FuseWaitsForMovingBricksThenTakesTheArrivedOneToo)
{
    cLevel level = PlainLevel(7, 7);
    for (int y = 0; y < 4; ++y)
        level.SetCell(4, y, kCellIce);
    cBoard board(level);
    board.SetBrick(3, 3, 103);
    // Slides down column 4 and stops south-east of the bomb, on plain.
    board.CreateMover(4, 0, kSouth, 11);
    Advance(board, 0.9f);
    EXPECT_EQ(board.GetBombAnimation(), 0);
    EXPECT_FALSE(board.GetMovers().empty());
    Advance(board, 0.2f);
    EXPECT_EQ(board.GetBrickCode(4, 4), 11);
    EXPECT_EQ(board.GetBombAnimation(), 1);
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(4, 4), 0);
}

TEST(Bomb, AnExplosionSparesABrickTravellingThroughIt)
{
    // A brick on its way is not on the board, so particles cannot take it.
    cLevel level = PlainLevel(7, 7);
    level.SetCell(2, 2, kCellIce);
    cBoard board(level);
    board.CreateExplosion(2, 2, 0.0f, 0.0f);
    board.CreateMover(2, 1, kSouth, 22);
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(2, 3), 22);
    EXPECT_EQ(board.GetBrickCode(2, 2), 0);
}

TEST(Plasma, BoltDestroysWhatLiesBetweenAndEndsAfterOneSecond)
{
    cLevel level = PlainLevel(5, 7);
    level.SetCell(2, 1, kCellHole); // holes are passed over
    cBoard board(level);
    cRecorder sounds;
    board.SetSoundListener(&sounds);
    board.SetBrick(2, 0, 104);
    board.SetBrick(2, 2, 102);
    board.SetBrick(2, 3, 103);
    board.SetBrick(2, 5, 104);
    board.SetBrick(0, 6, 11);
    board.Update(kDt, true);
    ASSERT_EQ(board.GetBolts().size(), 1u);
    EXPECT_EQ(board.GetBolts()[0].columns, 11);
    EXPECT_EQ(sounds.Count(kSndPlasmaBolt), 1);
    EXPECT_FALSE(board.IsDestructible(2, 0));
    Advance(board, 0.45f);
    EXPECT_TRUE(board.GetParticles().empty());
    Advance(board, 0.1f);
    EXPECT_FALSE(board.GetParticles().empty());
    EXPECT_EQ(sounds.Count(kSndExplosion), 1);
    Advance(board, 0.4f);
    EXPECT_EQ(board.GetBrickCode(2, 0), 104); // the ends survive their own bolt
    EXPECT_EQ(board.GetBrickCode(2, 2), 0);
    Advance(board, 0.1f);
    EXPECT_EQ(board.GetBrickCode(2, 0), 0);
    EXPECT_EQ(board.GetBrickCode(2, 5), 0);
    ASSERT_EQ(sounds.stopped.size(), 1u);
    EXPECT_EQ(sounds.stopped[0], kSndPlasmaBolt);
    RunBoard(board);
    // The bomb hit by the bolt took its neighbours; the far brick stays.
    EXPECT_EQ(board.GetBrickCode(2, 4), 0);
    EXPECT_EQ(board.GetBrickCode(0, 6), 11);
    EXPECT_TRUE(board.IsIdle());
}

TEST(Plasma, BrokenCellStopsTheRay)
{
    cLevel level = PlainLevel(5, 5);
    level.SetCell(2, 2, kCellBroken);
    cBoard board(level);
    board.SetBrick(2, 0, 104);
    board.SetBrick(2, 4, 104);
    EXPECT_GT(RunBoard(board), 0);
    EXPECT_TRUE(board.GetBolts().empty());
    EXPECT_EQ(board.GetBrickCode(2, 0), 104);
    EXPECT_FALSE(board.IsCleared());
}

TEST(Fragile, CellCrumblesOnlyAfterItsBrickHasGone)
{
    cLevel level = PlainLevel(7, 7);
    level.SetCell(3, 3, kCellFragilePlain);
    level.SetCell(0, 0, kCellFragileIce);
    level.SetCell(6, 6, kCellFragilePlain);
    level.SetBrick(6, 6, 22); // stays for good
    cBoard board(level);
    board.SetBrick(3, 3, 11);
    SetRing(board, 3, 3, {11, 11, 11, 11, 11, 11});
    board.RunMatches();
    // Fading first; then, at rest, the cell crumbles (a hole meanwhile).
    bool sawHole = false;
    for (int frame = 0; frame < 600 && !board.IsIdle(); ++frame)
    {
        board.Update(kDt, true);
        sawHole |= board.GetCellKind(3, 3) == kCellHole;
    }
    board.Update(kDt, true);
    RunBoard(board);
    EXPECT_TRUE(sawHole);
    EXPECT_EQ(board.GetCellKind(3, 3), kCellBroken);
    EXPECT_EQ(board.GetCellKind(6, 6), kCellFragilePlain);
    EXPECT_EQ(board.GetCellKind(0, 0), kCellFragileIce); // never carried a brick
    EXPECT_FALSE(board.IsFree(3, 3));
}

TEST(Fragile, BoltAcrossAFragileCellBreaksIt)
{
    cLevel level = PlainLevel(5, 5);
    level.SetCell(2, 2, kCellFragileIce);
    cBoard board(level);
    board.SetBrick(2, 0, 104);
    board.SetBrick(2, 2, 33);
    board.SetBrick(2, 4, 104);
    for (int i = 0; i < 3; ++i)
        RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(2, 2), 0);
    EXPECT_EQ(board.GetCellKind(2, 2), kCellBroken);
    EXPECT_TRUE(board.IsCleared());
}

TEST(Board, PausedBoardOnlyAnimates)
{
    cBoard board(PlainLevel(5, 5));
    board.CreateMover(0, 0, kSouth, 11);
    board.Update(0.5f, false);
    EXPECT_EQ(board.GetMovers()[0].progress, 0.0f);
    EXPECT_FLOAT_EQ(board.GetStarPhase(), 0.75f);
    EXPECT_FLOAT_EQ(board.GetMultiPhase(), 0.25f);
}
