#pragma once

#include "game/Game/PuzzleTypes.h"

// What the construction asks of cells and bricks.
namespace ForgeRules
{
// A brick standing here stays where it is (ice only moves it when pushed).
inline bool StandsStill(int kind)
{
    return kind == kCellPlain || kind == kCellIce || kind == kCellFragilePlain ||
           kind == kCellFragileIce;
}

// Arrows, vortices and ice: a brick landing here does not stay put.
inline bool IsMovingKind(int kind)
{
    return (kind >= kCellArrowNorth && kind <= kCellArrowNorthWest) || kind == kCellVortex ||
           CellClass(kind) == kClassIce;
}

// The brick can be part of an enclosure of this colour.
inline bool Carries(int code, int colour)
{
    if (code == kBrickMulti || code == kBrickStar)
        return true;
    return IsColourBrick(code) && (code / 10 == colour || code % 10 == colour);
}

// A brick that must go before the level is won.
inline bool Removable(int code)
{
    return (code >= 1 && code <= kBrickStar) || code == kBrickPlasma;
}
} // namespace ForgeRules
