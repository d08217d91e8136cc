#pragma once

#include "game/Game/PuzzleTypes.h"

namespace Korva
{
class cSprite;
}

// The board's measures and timings from the game's sprites: the cell size
// from frame 0 of SprCells, the fuse and blast from animations 1 and 2 of
// SprBrickBombShadow, crumbling from animations 13 and 14 of SprCells and the
// explosion particle from animation 0 of SprExplosion. A sprite, frame or
// animation that is missing keeps the default value and is logged, so a
// damaged sprite file cannot stop a level from being played.
cBoardMetrics BoardMetricsFromSprites(const Korva::cSprite* cells, const Korva::cSprite* bomb,
                                      const Korva::cSprite* explosion);
// The same with the three sprites looked up by alias in the resource manager.
cBoardMetrics BoardMetricsFromResources();
