#include "game/Game/Screen/HintMarker.h"

#include "engine/Display/Font.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "game/Game/Board.h"
#include "game/Game/Puzzle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Korva;

namespace
{
const cColor kOutline(255, 220, 60, 255);
const cColor kMessageColour(255, 255, 255, 255);
// White on the light blue screen is hard to read: the notes stand on a dark band.
const cColor kMessageBand(16, 24, 52, 200);
constexpr int32_t kBandPadX = 10;
constexpr int32_t kBandPadY = 3;
// Where the notes go: just above the hint line, so both can be read.
const cPoint kMessageCentre(400, 445);
// The item bar's slots, as the game screen draws them.
constexpr int32_t kSlotX = 130;
constexpr int32_t kSlotPitch = 60;
constexpr int32_t kSlotY = 560;
// The last part of a showing fades out instead of vanishing.
constexpr float kFadeTime = 0.5f;

int32_t FadeAlpha(float remaining)
{
    return static_cast<int32_t>(255.0f * std::clamp(remaining / kFadeTime, 0.0f, 1.0f));
}
} // namespace

cHintMarker::cHintMarker() : m_bricks(cBrickSprites::Find("")), m_outline(FindSprite("SprHintCell"))
{
}

void cHintMarker::Show(const cMove& move, const cPuzzle& puzzle)
{
    m_move = move;
    m_cells.clear();
    m_codes.clear();
    m_time = kShowTime;
    m_clock = 0.0f;
    m_message.clear();
    if (!puzzle.HasBoard())
        return;
    if (move.item)
    {
        m_cells.emplace_back(move.x, move.y);
        m_codes.push_back(0);
        return;
    }
    const cPiecePanel& pieces = puzzle.GetPiecePanel();
    if (!pieces.HasPiecesLeft())
        return;
    // The solver names rotations from the level's own orientation.
    const tPiece shape =
        cBoard::RotatedPiece(puzzle.GetLevel().GetPiece(pieces.GetCurrentIndex()), move.rotation);
    const cBoard& board = puzzle.GetBoard();
    for (int k = 0; k < 7; ++k)
    {
        const int code = static_cast<int8_t>(shape[static_cast<size_t>(k)]);
        if (code <= 0)
            continue;
        int x = move.x, y = move.y;
        if (k > 0)
            board.Neighbour(move.x, move.y, k, x, y);
        m_cells.emplace_back(x, y);
        m_codes.push_back(code);
    }
}

void cHintMarker::ShowMessage(const std::string& text, float seconds)
{
    m_message = text;
    m_messageTime = seconds;
}

void cHintMarker::Clear()
{
    m_time = 0.0f;
    m_cells.clear();
    m_codes.clear();
    m_message.clear();
    m_messageTime = 0.0f;
}

void cHintMarker::Update(float dt)
{
    m_clock += dt;
    if (m_time > 0.0f)
    {
        m_time = std::max(0.0f, m_time - dt);
        if (m_time == 0.0f)
        {
            m_cells.clear();
            m_codes.clear();
        }
    }
    if (m_messageTime > 0.0f)
    {
        m_messageTime = std::max(0.0f, m_messageTime - dt);
        if (m_messageTime == 0.0f)
            m_message.clear();
    }
}

float cHintMarker::GetPulse() const
{
    return 0.5f + 0.5f * std::sin(m_clock * kPulseRate * 2.0f * std::numbers::pi_v<float>);
}

void cHintMarker::DrawOnBoard(const cBoard& board, int32_t ox, int32_t oy) const
{
    if (!IsShown())
        return;
    const int32_t fade = FadeAlpha(m_time);
    const float pulse = GetPulse();
    const cBrickLook look;
    for (size_t i = 0; i < m_cells.size(); ++i)
    {
        const auto [x, y] = m_cells[i];
        int32_t cx = 0, cy = 0;
        board.CellCentre(x, y, cx, cy);
        // Faint bricks show the rotation; the outline pulses over them.
        if (m_codes[i] > 0)
            DrawBrick(
                m_bricks, look, m_codes[i], ox + cx, oy + cy,
                static_cast<int32_t>((70.0f + 50.0f * pulse) * static_cast<float>(fade) / 255.0f));
        if (m_outline)
        {
            cColor colour = kOutline;
            colour.a =
                static_cast<int32_t>((110.0f + 145.0f * pulse) * static_cast<float>(fade) / 255.0f);
            m_outline->DrawFrame(ox + cx, oy + cy, 0, colour);
        }
    }
}

void cHintMarker::DrawOnItemBar() const
{
    if (!IsShown() || !m_move.item || !m_outline)
        return;
    cColor colour = kOutline;
    colour.a = static_cast<int32_t>((110.0f + 145.0f * GetPulse()) *
                                    static_cast<float>(FadeAlpha(m_time)) / 255.0f);
    m_outline->DrawFrame(kSlotX + kSlotPitch * m_move.slot, kSlotY, 0, colour);
}

void cHintMarker::DrawMessage(const cFont& font, cRenderDevice* device) const
{
    if (m_message.empty())
        return;
    const int32_t alpha = m_messageTime > 0.0f ? FadeAlpha(m_messageTime) : 255;
    if (device)
    {
        const int32_t width = font.GetTextWidth(m_message);
        cColor band = kMessageBand;
        band.a = band.a * alpha / 255;
        device->FillRect(cRect(kMessageCentre.x - width / 2 - kBandPadX,
                               kMessageCentre.y - kBandPadY, width + 2 * kBandPadX,
                               font.GetHeight() + 2 * kBandPadY),
                         band);
    }
    cColor colour = kMessageColour;
    colour.a = alpha;
    font.DrawText(kMessageCentre, m_message, colour, kAlignCenter);
}
