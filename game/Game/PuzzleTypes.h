#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Vocabulary shared by the level, the board, the panels and the tools.

// Cell kinds as stored in a level.
enum : int
{
    kCellHole = 0,
    kCellPlain = 1,
    kCellArrowNorth = 2, // 2..7: arrow pushing in direction kind - 1
    kCellArrowNorthWest = 7,
    kCellVortex = 8,
    kCellIce = 9,
    kCellFragilePlain = 10,
    kCellFragileIce = 11,
    kCellBroken = 12,
    kCellKindCount = 13,
};

// Cell classes, what the rules look at. Classes 0 and 10 carry no brick.
enum : int
{
    kClassNone = 0,
    kClassPlain = 1,
    kClassVortex = 8,
    kClassIce = 9,
    kClassBroken = 10,
};

inline int CellClass(int kind)
{
    if (kind >= 1 && kind <= 9)
        return kind;
    if (kind == kCellFragilePlain)
        return kClassPlain;
    if (kind == kCellFragileIce)
        return kClassIce;
    if (kind == kCellBroken)
        return kClassBroken;
    return kClassNone;
}

inline bool IsPlaceableClass(int cellClass)
{
    return cellClass != kClassNone && cellClass != kClassBroken;
}

// Brick codes. 1..99 are two-coloured bricks: tens digit and units digit.
enum : int
{
    kBrickNone = 0,
    kBrickColourLast = 99,
    kBrickMulti = 100,
    kBrickStar = 101,
    kBrickBlocker = 102,
    kBrickBomb = 103,
    kBrickPlasma = 104,
    kBrickLast = 104,
};

inline bool IsColourBrick(int code)
{
    return code >= 1 && code <= kBrickColourLast;
}

// A brick that must go before the level is won: colour, multi, star, plasma.
inline bool IsRemovableBrick(int code)
{
    return (code >= 1 && code <= kBrickStar) || code == kBrickPlasma;
}

// The brick can be part of an enclosure of this colour.
inline bool CarriesColour(int code, int colour)
{
    return code == kBrickMulti || code == kBrickStar ||
           (IsColourBrick(code) && (code / 10 == colour || code % 10 == colour));
}

// Item codes; 1..104 are loose bricks.
enum : int
{
    kItemPushFirst = 201, // 201..206: push in direction code - 200
    kItemPushLast = 206,
    kItemSwapNorthWest = 207,
    kItemSwapNorth = 208,
    kItemSwapNorthEast = 209,
    kItemTurnClockwise = 210,
    kItemTurnAnticlockwise = 211,
    kItemSlotCount = 10,
};

inline bool IsValidItemCode(int code)
{
    return (code >= 0 && code <= kBrickLast) ||
           (code >= kItemPushFirst && code <= kItemTurnAnticlockwise);
}

// Directions 1..6, clockwise on screen starting at north.
enum : int
{
    kNorth = 1,
    kNorthEast = 2,
    kSouthEast = 3,
    kSouth = 4,
    kSouthWest = 5,
    kNorthWest = 6,
};

inline int OppositeDirection(int d)
{
    return (d + 2) % 6 + 1;
}

// The direction a push item moves its brick in.
inline int PushDirection(int code)
{
    return code - kItemPushFirst + 1;
}

// The partner direction of a swap item.
inline int SwapDirection(int code)
{
    return code == kItemSwapNorthWest ? kNorthWest : code == kItemSwapNorth ? kNorth : kNorthEast;
}

// A piece: slot 0 is the centre, slot k (1..6) lies in direction k.
using tPiece = std::array<uint8_t, 7>;

// Sound effect numbers of the game's sound player for the events of the puzzle.
enum : int
{
    kSndRotatePiece = 3,
    kSndPutPiece = 4,
    kSndInvalid = 5,
    kSndBricksRemoved = 6,
    kSndCollision = 7,
    kSndVortex = 8,
    kSndExplosion = 9,
    kSndPlasmaBolt = 10,
    kSndLevelCompleted = 11,
};

// The puzzle tells the game's sound player what happened through this; the
// default does nothing, so the rules run silent in tests and tools.
class cBoardSoundListener
{
public:
    virtual ~cBoardSoundListener() = default;
    virtual void PlaySound(int effect) { (void)effect; }
    virtual void StopSound(int effect) { (void)effect; }
};

// What the board needs from the game's sprites: the cell size (frame 0 of
// SprCells) and the durations of the animations that time the reactions.
// Production code fills it from the sprite resources; tests and tools use
// these defaults or their own values.
struct cBoardMetrics
{
    int cellWidth = 40;
    int cellHeight = 36;
    float fuseTime = 2.0f;      // SprBrickBombShadow animation 1
    float blastTime = 0.5f;     // SprBrickBombShadow animation 2
    float crumbleTimeA = 0.5f;  // SprCells animation 13
    float crumbleTimeB = 0.5f;  // SprCells animation 14
    float explosionTime = 0.5f; // SprExplosion animation 0
};
