#include "game/Editor/BrickPalette.h"

#include "engine/Display/Rect.h"
#include "engine/Display/Sprite.h"
#include "game/Game/PuzzleTypes.h"

#include <algorithm>

using namespace Korva;

namespace
{
constexpr int32_t kSquare = 60;
constexpr int32_t kColourSquare = 30;
constexpr int32_t kColoursX = 80;

void Wrap(float& phase, float step)
{
    phase += step;
    if (phase >= 1.0f)
        phase -= 1.0f;
}
} // namespace

void DrawItemSquare(const cSprite* squares, int32_t x, int32_t y, bool chosen)
{
    if (squares)
        squares->DrawFrame(x, y, chosen ? 1 : 0);
}

cBrickPalette::cBrickPalette(int32_t colourY, int32_t specialY)
    : m_colourY(colourY), m_specialY(specialY), m_sprites(cBrickSprites::Find("")),
      m_squares(FindSprite("SprItemSquares")), m_colourSquares(FindSprite("SprColorSquares")),
      m_bomb(std::make_unique<cAnimPlayer>(m_sprites.bomb)),
      m_plasma(std::make_unique<cAnimPlayer>(m_sprites.plasma))
{
    m_bomb->Play(0);
    m_plasma->Play(0);
}

cBrickPalette::~cBrickPalette() = default;

void cBrickPalette::SetFromCode(int code)
{
    if (code < 1 || code > 99)
        return;
    m_first = std::clamp(code / 10, 1, kColourCount);
    m_second = std::clamp(code % 10, 1, kColourCount);
}

int cBrickPalette::Press(const cPoint& point)
{
    const auto inside = [&point](int32_t x, int32_t y, int32_t w, int32_t h)
    { return cRect(x, y, w, h).Contains(point.x, point.y); };

    if (inside(20, m_colourY, kSquare, kSquare))
        return GetColourCode();
    if (inside(kColoursX, m_colourY, kColourCount * kColourSquare, 2 * kColourSquare))
    {
        const int colour = (point.x - kColoursX) / kColourSquare + 1;
        if (point.y < m_colourY + kColourSquare)
            m_first = colour;
        else
            m_second = colour;
        return GetColourCode();
    }
    if (inside(20, m_specialY, 5 * kSquare, kSquare))
        return kBrickMulti + (point.x - 20) / kSquare;
    return 0;
}

void cBrickPalette::Update(float dt)
{
    // The editor's pulse speeds, so the previews beat with the board.
    Wrap(m_multiPhase, 0.5f * dt);
    Wrap(m_starPhase, 1.5f * dt);
    m_bomb->Update(dt);
    m_plasma->Update(dt);
}

cBrickLook cBrickPalette::GetLook() const
{
    cBrickLook look;
    look.multiPhase = m_multiPhase;
    look.starPhase = m_starPhase;
    look.bombFrame = m_bomb->GetFrame();
    look.plasmaFrame = m_plasma->GetFrame();
    return look;
}

void cBrickPalette::Draw(int32_t x, int32_t y, int current) const
{
    const cBrickLook look = GetLook();
    const int32_t half = kSquare / 2;

    DrawItemSquare(m_squares, x + 20, y + m_colourY, current == GetColourCode());
    DrawBrick(m_sprites, look, GetColourCode(), x + 20 + half, y + m_colourY + half);

    // Each colour square previews its colour as a brick of one colour.
    for (int row = 0; row < 2; ++row)
    {
        const int chosen = row == 0 ? m_first : m_second;
        for (int j = 0; j < kColourCount; ++j)
        {
            const int32_t sx = x + kColoursX + kColourSquare * j;
            const int32_t sy = y + m_colourY + kColourSquare * row;
            if (m_colourSquares)
                m_colourSquares->DrawFrame(sx, sy, chosen == j + 1 ? 1 : 0);
            DrawBrick(m_sprites, look, 11 * (j + 1), sx + kColourSquare / 2, sy + kColourSquare / 2,
                      255, 0.5f);
        }
    }

    for (int i = 0; i < 5; ++i)
    {
        const int32_t sx = x + 20 + kSquare * i;
        const int32_t sy = y + m_specialY;
        DrawItemSquare(m_squares, sx, sy, current == kBrickMulti + i);
        DrawBrick(m_sprites, look, kBrickMulti + i, sx + half, sy + half);
    }
}
