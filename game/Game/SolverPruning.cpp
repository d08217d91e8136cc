#include "game/Game/SolverPruning.h"

#include "game/Game/PlayState.h"

#include <array>

namespace
{
// What the rest of the level can bring to bear, over the board, the pieces
// still to come and the items.
struct sMeans
{
    bool removesOtherwise = false; // vortex, bomb, plasma or star: not only enclosures
    bool movesBricks = false;      // arrows, ice, or tool items
    // Bricks that carry each colour, multi and star bricks included.
    std::array<int, 10> carriers{};
    int wildcards = 0;
};

void Count(int code, sMeans& means)
{
    if (code >= 1 && code <= 99)
    {
        ++means.carriers[static_cast<size_t>(code / 10)];
        if (code % 10 != code / 10)
            ++means.carriers[static_cast<size_t>(code % 10)];
    }
    else if (code == kBrickMulti)
        ++means.wildcards;
    else if (code == kBrickStar || code == kBrickBomb || code == kBrickPlasma)
        means.removesOtherwise = true;
}

sMeans Survey(const cPlayState& state, bool useItems)
{
    sMeans means;
    const cBoard& board = state.GetBoard();
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            const int kind = board.GetCellKind(x, y);
            if (kind == kCellVortex)
                means.removesOtherwise = true;
            else if ((kind >= 2 && kind <= 7) || CellClass(kind) == kClassIce)
                means.movesBricks = true;
            Count(board.GetBrickCode(x, y), means);
        }
    }
    for (int i = state.GetPieceIndex(); i < state.GetPieceCount(); ++i)
        for (uint8_t code : state.GetPiece(i))
            Count(static_cast<int8_t>(code), means);
    if (useItems)
    {
        for (int slot = 0; slot < kItemSlotCount; ++slot)
        {
            const int code = state.GetItem(slot);
            if (code > kBrickLast)
                means.movesBricks = true;
            else
                Count(code, means);
        }
    }
    return means;
}

// A colour brick can only go in an enclosure of one of its colours, whose
// seven bricks all carry that colour or match every colour.
bool ColourCanBeEnclosed(int code, const sMeans& means)
{
    const int a = code / 10;
    const int b = code % 10;
    return means.carriers[static_cast<size_t>(a)] + means.wildcards >= 7 ||
           means.carriers[static_cast<size_t>(b)] + means.wildcards >= 7;
}

// On a board where nothing moves, a brick stays where it is until an
// enclosure takes it: some cell among it and its neighbours must have all
// seven positions on the board, able to carry a brick and free of blockers.
bool HasOpenWindow(const cBoard& board, int x, int y)
{
    auto windowOpen = [&board](int cx, int cy)
    {
        for (int d = 0; d <= 6; ++d)
        {
            int wx = cx, wy = cy;
            if (d > 0)
                board.Neighbour(cx, cy, d, wx, wy);
            if (!board.IsInside(wx, wy) || !IsPlaceableClass(board.GetCellClass(wx, wy)))
                return false;
            const int code = board.GetBrickCode(wx, wy);
            if (code < 0 || code == kBrickBlocker)
                return false;
        }
        return true;
    };
    if (windowOpen(x, y))
        return true;
    for (int d = 1; d <= 6; ++d)
    {
        int nx = x, ny = y;
        board.Neighbour(x, y, d, nx, ny);
        if (windowOpen(nx, ny))
            return true;
    }
    return false;
}
} // namespace

bool IsHopeless(const cPlayState& state, bool useItems)
{
    if (!state.HasPiecesLeft() && (!useItems || !state.HasItems()))
        return true; // no move left, and the caller knows it is not completed
    const sMeans means = Survey(state, useItems);
    if (means.removesOtherwise)
        return false;
    const cBoard& board = state.GetBoard();
    for (int i = state.GetPieceIndex(); i < state.GetPieceCount(); ++i)
    {
        for (uint8_t slot : state.GetPiece(i))
        {
            const int code = static_cast<int8_t>(slot);
            if (IsColourBrick(code) && !ColourCanBeEnclosed(code, means))
                return true;
        }
    }
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            const int code = board.GetBrickCode(x, y);
            if (IsColourBrick(code) && !ColourCanBeEnclosed(code, means))
                return true;
            if (!means.movesBricks && (IsColourBrick(code) || code == kBrickMulti) &&
                !HasOpenWindow(board, x, y))
                return true;
        }
    }
    return false;
}
