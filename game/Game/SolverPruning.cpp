#include "game/Game/SolverPruning.h"

#include "game/Game/PlayState.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace
{
// What the rest of the level can bring to bear, over the board, the pieces
// still to come and the items.
struct sMeans
{
    bool destroys = false; // bomb, plasma or star: bricks go without an enclosure
    bool tools = false;    // tool items, which move any brick
    bool vortex = false;   // a vortex swallows what lands on it
    bool floors = false;   // arrows or ice, which move the bricks standing on them
    // Bricks that carry each colour, multi and star bricks included, on the
    // board and still to come.
    std::array<int, 10> carriers{};
    int wildcards = 0;
    // The same for the bricks still to come alone: only they can fill a gap.
    std::array<int, 10> supply{};
    int wildSupply = 0;
    int looseItems = 0; // loose bricks among the items: each closes gaps like a piece
};

void Count(int code, sMeans& means, bool toCome)
{
    if (code >= 1 && code <= 99)
    {
        const int a = code / 10, b = code % 10;
        ++means.carriers[static_cast<size_t>(a)];
        if (b != a)
            ++means.carriers[static_cast<size_t>(b)];
        if (toCome)
        {
            ++means.supply[static_cast<size_t>(a)];
            if (b != a)
                ++means.supply[static_cast<size_t>(b)];
        }
    }
    else if (code == kBrickMulti)
    {
        ++means.wildcards;
        means.wildSupply += toCome;
    }
    else if (code == kBrickStar || code == kBrickBomb || code == kBrickPlasma)
        means.destroys = true;
}

// Arrows push the bricks on them and bricks slide on ice; a brick on any
// other cell stays where it is unless a tool moves it.
bool IsMovingFloor(int kind)
{
    return (kind >= kCellArrowNorth && kind <= kCellArrowNorthWest) || CellClass(kind) == kClassIce;
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
                means.vortex = true;
            else if (IsMovingFloor(kind))
                means.floors = true;
            // A brick that can still move may fill a gap, like one to come.
            Count(board.GetBrickCode(x, y), means, IsMovingFloor(kind));
        }
    }
    for (int i = state.GetPieceIndex(); i < state.GetPieceCount(); ++i)
        for (uint8_t code : state.GetPiece(i))
            Count(static_cast<int8_t>(code), means, true);
    if (useItems)
    {
        for (int slot = 0; slot < kItemSlotCount; ++slot)
        {
            const int code = state.GetItem(slot);
            if (code > kBrickLast)
                means.tools = true;
            else if (code > 0)
            {
                Count(code, means, true);
                ++means.looseItems;
            }
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
// enclosure takes it: some cell among it and its neighbours must be the
// centre of a window of seven positions on the board, able to carry bricks
// and free of bricks that never match, whose gaps (empty positions and
// bricks of other colours, which must go first) the bricks still to come
// can fill with the window's colour.
bool CanBeEnclosedHere(const cBoard& board, int x, int y, const sMeans& means)
{
    const int code = board.GetBrickCode(x, y);
    for (int d = 0; d <= 6; ++d)
    {
        int cx = x, cy = y;
        if (d > 0)
            board.Neighbour(x, y, d, cx, cy);
        std::array<int, 7> window{};
        bool open = true;
        for (int k = 0; k <= 6 && open; ++k)
        {
            int wx = cx, wy = cy;
            if (k > 0)
                board.Neighbour(cx, cy, k, wx, wy);
            if (!board.IsInside(wx, wy) || !IsPlaceableClass(board.GetCellClass(wx, wy)))
                open = false;
            else
            {
                window[static_cast<size_t>(k)] = board.GetBrickCode(wx, wy);
                const int c = window[static_cast<size_t>(k)];
                open = c >= 0 && c != kBrickBlocker && c != kBrickBomb && c != kBrickPlasma;
            }
        }
        if (!open)
            continue;
        for (int colour = 0; colour <= 9; ++colour)
        {
            if (!CarriesColour(code, colour))
                continue;
            int gaps = 0;
            for (int c : window)
                gaps += !CarriesColour(c, colour);
            if (gaps <= means.supply[static_cast<size_t>(colour)] + means.wildSupply)
                return true;
        }
    }
    return false;
}

// Axial hex coordinates of a position, for distances.
std::pair<int, int> Axial(const cBoard& board, int x, int y)
{
    const int column = x + board.GetAdjustIndexX();
    const int parity = ((column % 2) + 2) % 2;
    return {column, y - (column - parity) / 2};
}

int Distance(std::pair<int, int> a, std::pair<int, int> b)
{
    const int dq = a.first - b.first;
    const int dr = a.second - b.second;
    return (std::abs(dq) + std::abs(dr) + std::abs(dq + dr)) / 2;
}

// On a board where nothing moves, a piece clears only bricks within three
// steps of its centre (its bricks lie within one step, and every enclosure it
// closes holds one of them), and a loose brick within two. Bricks more than
// six steps apart need a move each.
bool TooFarApart(const cBoard& board, int movesLeft)
{
    std::vector<std::pair<int, int>> apart;
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            const int code = board.GetBrickCode(x, y);
            if (!IsColourBrick(code) && code != kBrickMulti)
                continue;
            const std::pair<int, int> here = Axial(board, x, y);
            bool far = true;
            for (const auto& other : apart)
                far = far && Distance(here, other) > 6;
            if (far)
            {
                apart.push_back(here);
                if (static_cast<int>(apart.size()) > movesLeft)
                    return true;
            }
        }
    }
    return false;
}
} // namespace

bool IsHopeless(const cPlayState& state, bool useItems)
{
    if (!state.HasPiecesLeft() && (!useItems || !state.HasItems()))
        return true; // no move left, and the caller knows it is not completed
    const sMeans means = Survey(state, useItems);
    if (means.destroys)
        return false;
    const cBoard& board = state.GetBoard();
    // Bricks still to come may end in a vortex.
    for (int i = state.GetPieceIndex(); i < state.GetPieceCount() && !means.vortex; ++i)
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
            if (!IsColourBrick(code) && code != kBrickMulti)
                continue;
            // Only a tool moves a brick off a still cell; there it can reach
            // no vortex and must be enclosed where it stands.
            const bool still = !means.tools && !IsMovingFloor(board.GetCellKind(x, y));
            if (!still && (means.tools || means.vortex))
                continue;
            if (IsColourBrick(code) && !ColourCanBeEnclosed(code, means))
                return true;
            if (still && !CanBeEnclosedHere(board, x, y, means))
                return true;
        }
    }
    if (!means.tools && !means.floors && !means.vortex)
    {
        const int movesLeft = state.GetPieceCount() - state.GetPieceIndex() + means.looseItems;
        if (TooFarApart(board, movesLeft))
            return true;
    }
    return false;
}
