#pragma once

#include "game/Game/Board.h"
#include "game/Game/Level.h"
#include "game/Game/Puzzle.h"

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
