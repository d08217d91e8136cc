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
} // namespace ForgeRules
