#pragma once

#include "engine/Display/AnimPlayer.h"
#include "engine/Display/Point.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include <memory>

namespace Korva
{
class cSprite;
}

// The brick choices shared by the brick, item and piece choosers: a sample
// square with the coloured brick of the two chosen colours, two rows of
// eight colour squares (first and second colour) and a row of the five
// special bricks. Coordinates are the popup's own.
class cBrickPalette
{
public:
    static constexpr int kColourCount = 8;

    cBrickPalette(int32_t colourY, int32_t specialY);
    ~cBrickPalette();

    // Takes over the colours of a coloured brick code (1..99); colours
    // outside 1..8 are brought into it, so codes made here stay valid.
    void SetFromCode(int code);
    // The brick code a press at `point` chooses, 0 when it hits no square.
    int Press(const Korva::cPoint& point);

    int GetFirstColour() const { return m_first; }
    int GetSecondColour() const { return m_second; }
    int GetColourCode() const { return 10 * m_first + m_second; }

    void Update(float dt);
    // (x, y) is the popup's absolute origin; `current` is marked as chosen.
    void Draw(int32_t x, int32_t y, int current) const;
    // The brick sprites and animation state the palette draws with, for
    // owners that draw more bricks the same way.
    const cBrickSprites& GetSprites() const { return m_sprites; }
    cBrickLook GetLook() const;

private:
    int32_t m_colourY;
    int32_t m_specialY;
    int m_first = 1;
    int m_second = 1;
    float m_multiPhase = 0.0f;
    float m_starPhase = 0.0f;
    cBrickSprites m_sprites;
    const Korva::cSprite* m_squares;
    const Korva::cSprite* m_colourSquares;
    std::unique_ptr<Korva::cAnimPlayer> m_bomb;
    std::unique_ptr<Korva::cAnimPlayer> m_plasma;
};

// A 60 x 60 palette square of "SprItemSquares" at (x, y), frame 1 when chosen.
void DrawItemSquare(const Korva::cSprite* squares, int32_t x, int32_t y, bool chosen);
