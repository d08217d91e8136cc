// The two kinds of move the player makes on the board: putting a piece and
// using an item. Both change the bricks at once and then run the arrow,
// vortex and match passes; the rest of the reaction follows frame by frame.
#include "game/Game/Board.h"

tPiece cBoard::RotatedPiece(const tPiece& piece, int rotation)
{
    rotation %= 6;
    if (rotation < 0)
        rotation += 6;
    tPiece placed{};
    placed[0] = piece[0];
    for (int k = 1; k <= 6; ++k)
        placed[static_cast<size_t>((k - 1 + rotation) % 6 + 1)] = piece[static_cast<size_t>(k)];
    return placed;
}

bool cBoard::PlacePiece(int x, int y, const tPiece& piece, int rotation)
{
    const tPiece placed = RotatedPiece(piece, rotation);
    int targets[7][2];
    for (int k = 0; k < 7; ++k)
    {
        targets[k][0] = x;
        targets[k][1] = y;
        if (k > 0)
            Neighbour(x, y, k, targets[k][0], targets[k][1]);
        if (static_cast<int8_t>(placed[static_cast<size_t>(k)]) > 0 &&
            !IsFree(targets[k][0], targets[k][1]))
            return false;
    }
    for (int k = 0; k < 7; ++k)
    {
        const int code = static_cast<int8_t>(placed[static_cast<size_t>(k)]);
        if (code > 0)
            SetBrick(targets[k][0], targets[k][1], code);
    }
    RunArrowsAndVortices();
    RunMatches();
    return true;
}

bool cBoard::UseItem(int x, int y, int code)
{
    if (code >= 1 && code <= kBrickLast)
    {
        if (!IsFree(x, y))
            return false;
        SetBrick(x, y, code);
    }
    else if (code >= kItemPushFirst && code <= kItemPushLast)
    {
        const int d = code - 200;
        int nx = x, ny = y;
        Neighbour(x, y, d, nx, ny);
        if (!IsOccupied(x, y) || !IsFree(nx, ny))
            return false;
        CreateMover(x, y, d, GetBrickCode(x, y));
        SetBrick(x, y, 0);
    }
    else if (code >= kItemSwapNorthWest && code <= kItemSwapNorthEast)
    {
        const int d = code == kItemSwapNorthWest ? kNorthWest
                      : code == kItemSwapNorth   ? kNorth
                                                 : kNorthEast;
        int nx = x, ny = y;
        Neighbour(x, y, d, nx, ny);
        if (!IsOccupied(x, y) || !IsOccupied(nx, ny))
            return false;
        const int a = GetBrickCode(x, y);
        const int b = GetBrickCode(nx, ny);
        SetBrick(x, y, 0);
        SetBrick(nx, ny, 0);
        CreateMover(x, y, d, a);
        CreateMover(nx, ny, OppositeDirection(d), b);
    }
    else if (code == kItemTurnClockwise || code == kItemTurnAnticlockwise)
    {
        // The ring brick in direction k travels two directions further round
        // and lands on the next ring position.
        const int turn = code == kItemTurnClockwise ? 2 : -2;
        int ring[6][2];
        int bricks[6];
        bool any = false;
        for (int k = 1; k <= 6; ++k)
        {
            ring[k - 1][0] = x;
            ring[k - 1][1] = y;
            Neighbour(x, y, k, ring[k - 1][0], ring[k - 1][1]);
            bricks[k - 1] = GetBrickCode(ring[k - 1][0], ring[k - 1][1]);
        }
        for (int k = 1; k <= 6; ++k)
        {
            if (bricks[k - 1] <= 0)
                continue;
            any = true;
            const int next = (k - 1 + (turn > 0 ? 1 : 5)) % 6;
            const int dx = ring[next][0];
            const int dy = ring[next][1];
            if (!IsInside(dx, dy) || !IsPlaceableClass(GetCellClass(dx, dy)))
                return false;
        }
        if (!any)
            return false;
        for (int k = 0; k < 6; ++k)
            SetBrick(ring[k][0], ring[k][1], 0);
        for (int k = 1; k <= 6; ++k)
        {
            if (bricks[k - 1] <= 0)
                continue;
            const int direction = (k - 1 + turn + 6) % 6 + 1;
            CreateMover(ring[k - 1][0], ring[k - 1][1], direction, bricks[k - 1]);
        }
    }
    RunArrowsAndVortices();
    RunMatches();
    return true;
}
