#pragma once

#include "game/Game/Board.h"
#include "game/Game/Level.h"
#include "game/Game/Puzzle.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Small levels written in the test, and a listener that records sounds.
namespace PuzzleTest
{

// A w x h level of plain cells without bricks or pieces.
inline cLevel PlainLevel(int w, int h, bool adjust = false)
{
    cLevel level;
    level.SetWidth(w);
    level.SetHeight(h);
    level.SetAdjustIndexX(adjust);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            level.SetCell(x, y, kCellPlain);
    return level;
}

inline std::pair<int, int> Step(const cBoard& board, int x, int y, int d)
{
    int nx = x, ny = y;
    board.Neighbour(x, y, d, nx, ny);
    return {nx, ny};
}

// Puts `codes` (directions 1..6) around (x, y).
inline void SetRing(cBoard& board, int x, int y, const std::vector<int>& codes)
{
    for (int d = 1; d <= 6; ++d)
    {
        auto [nx, ny] = Step(board, x, y, d);
        board.SetBrick(nx, ny, codes[static_cast<size_t>(d - 1)]);
    }
}

// Advances the board until it is idle; the number of frames, or -1.
inline int RunBoard(cBoard& board, float dt = 1.0f / 60.0f, int maxFrames = 20000)
{
    for (int frame = 1; frame <= maxFrames; ++frame)
    {
        board.Update(dt, true);
        if (board.IsIdle())
            return frame;
    }
    return -1;
}

// A 7 x 7 level whose ring around (3, 3) lacks its north brick; the pieces
// are given by the test.
inline cLevel GapLevel(const std::vector<tPiece>& pieces)
{
    cLevel level = PlainLevel(7, 7);
    level.SetBrick(3, 3, 11);
    cBoard geometry(level);
    for (int d = 2; d <= 6; ++d)
    {
        auto [x, y] = Step(geometry, 3, 3, d);
        level.SetBrick(x, y, 11);
    }
    level.SetPieceCount(static_cast<int>(pieces.size()));
    for (size_t i = 0; i < pieces.size(); ++i)
        level.SetPiece(static_cast<int>(i), pieces[i]);
    return level;
}

// A puzzle started on `level`, its start matches run and at rest.
inline cPuzzle Started(const cLevel& level, uint32_t seed = 5)
{
    cPuzzle puzzle({}, seed);
    puzzle.SetLevel(level);
    puzzle.StartLevel();
    puzzle.RunStartMatches();
    EXPECT_TRUE(puzzle.RunToRest());
    return puzzle;
}

class cRecorder : public cPuzzleListener
{
public:
    void PlaySound(int effect) override { played.push_back(effect); }
    void StopSound(int effect) override { stopped.push_back(effect); }
    void OnLevelCompleted() override { ++completions; }
    int Count(int effect) const
    {
        int n = 0;
        for (int e : played)
            n += e == effect;
        return n;
    }
    std::vector<int> played;
    std::vector<int> stopped;
    int completions = 0;
};

} // namespace PuzzleTest
