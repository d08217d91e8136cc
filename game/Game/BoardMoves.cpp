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

bool cBoard::CanPlacePiece(int x, int y, const tPiece& piece, int rotation) const
{
    const tPiece placed = rotation == 0 ? piece : RotatedPiece(piece, rotation);
    for (int k = 0; k < 7; ++k)
    {
        int tx = x, ty = y;
        if (k > 0)
            Neighbour(x, y, k, tx, ty);
        if (static_cast<int8_t>(placed[static_cast<size_t>(k)]) > 0 && !IsFree(tx, ty))
            return false;
    }
    return true;
}

bool cBoard::PlacePiece(int x, int y, const tPiece& piece, int rotation)
{
    if (!CanPlacePiece(x, y, piece, rotation))
        return false;
    const tPiece placed = RotatedPiece(piece, rotation);
    for (int k = 0; k < 7; ++k)
    {
        const int code = static_cast<int8_t>(placed[static_cast<size_t>(k)]);
        int tx = x, ty = y;
        if (k > 0)
            Neighbour(x, y, k, tx, ty);
        if (code > 0)
            SetBrick(tx, ty, code);
    }
    RunMovePasses();
    return true;
}

bool cBoard::CanUseItem(int x, int y, int code) const
{
    if (code >= 1 && code <= kBrickLast)
        return IsFree(x, y);
    if (code >= kItemPushFirst && code <= kItemPushLast)
    {
        int nx = x, ny = y;
        Neighbour(x, y, PushDirection(code), nx, ny);
        return IsOccupied(x, y) && IsFree(nx, ny);
    }
    if (code >= kItemSwapNorthWest && code <= kItemSwapNorthEast)
    {
        int nx = x, ny = y;
        Neighbour(x, y, SwapDirection(code), nx, ny);
        return IsOccupied(x, y) && IsOccupied(nx, ny);
    }
    if (code == kItemTurnClockwise || code == kItemTurnAnticlockwise)
    {
        // Every ring brick needs a cell to land on, the next ring position.
        const int step = code == kItemTurnClockwise ? 1 : 5;
        bool any = false;
        for (int k = 0; k < 6; ++k)
        {
            int bx = x, by = y;
            Neighbour(x, y, k + 1, bx, by);
            if (GetBrickCode(bx, by) <= 0)
                continue;
            any = true;
            int dx = x, dy = y;
            Neighbour(x, y, (k + step) % 6 + 1, dx, dy);
            if (!IsInside(dx, dy) || !IsPlaceableClass(GetCellClass(dx, dy)))
                return false;
        }
        return any;
    }
    return true;
}

bool cBoard::UseItem(int x, int y, int code)
{
    if (!CanUseItem(x, y, code))
        return false;
    if (code >= 1 && code <= kBrickLast)
    {
        SetBrick(x, y, code);
    }
    else if (code >= kItemPushFirst && code <= kItemPushLast)
    {
        CreateMover(x, y, PushDirection(code), GetBrickCode(x, y));
        SetBrick(x, y, 0);
    }
    else if (code >= kItemSwapNorthWest && code <= kItemSwapNorthEast)
    {
        const int d = SwapDirection(code);
        int nx = x, ny = y;
        Neighbour(x, y, d, nx, ny);
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
        const int turn = code == kItemTurnClockwise ? 2 : 4;
        int ring[6][2];
        int bricks[6];
        for (int k = 0; k < 6; ++k)
        {
            ring[k][0] = x;
            ring[k][1] = y;
            Neighbour(x, y, k + 1, ring[k][0], ring[k][1]);
            bricks[k] = GetBrickCode(ring[k][0], ring[k][1]);
        }
        for (int k = 0; k < 6; ++k)
            SetBrick(ring[k][0], ring[k][1], 0);
        for (int k = 0; k < 6; ++k)
        {
            if (bricks[k] > 0)
                CreateMover(ring[k][0], ring[k][1], (k + turn) % 6 + 1, bricks[k]);
        }
    }
    RunMovePasses();
    return true;
}
