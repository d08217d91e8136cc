#pragma once

#include "game/Game/MoveLog.h"
#include "game/Game/PuzzleTypes.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include <string>
#include <utility>
#include <vector>

namespace Korva
{
class cFont;
class cRenderDevice;
} // namespace Korva

class cBoard;
class cPuzzle;

// Shows a hint for a few seconds: the cells the hinted piece would cover,
// outlined and pulsing, with the piece's bricks faintly in the hinted
// rotation; or the cell an item is to be used on and the item's slot. Also
// the short notes about the search ("no hint found in time").
class cHintMarker
{
public:
    static constexpr float kShowTime = 5.0f;
    static constexpr float kMessageTime = 3.0f;
    // Pulses per second of the outline.
    static constexpr float kPulseRate = 1.5f;

    cHintMarker();

    // Marks `move` as it would be made on `puzzle` now.
    void Show(const cMove& move, const cPuzzle& puzzle);
    // A note under the board; empty time means until Clear or the next note.
    void ShowMessage(const std::string& text, float seconds = kMessageTime);
    void Clear();
    void Update(float dt);

    bool IsShown() const { return m_time > 0.0f; }
    const cMove& GetMove() const { return m_move; }
    // The marked cells; for a piece each with the brick code it would get.
    const std::vector<std::pair<int, int>>& GetCells() const { return m_cells; }
    const std::string& GetMessage() const { return m_message; }
    // 0..1, the outline's brightness now.
    float GetPulse() const;

    // Over the board drawn at (ox, oy), inside its clip.
    void DrawOnBoard(const cBoard& board, int32_t ox, int32_t oy) const;
    // Around the hinted item's slot in the item bar.
    void DrawOnItemBar() const;
    // On a dark band, so the note reads on any background; without a
    // device only the text.
    void DrawMessage(const Korva::cFont& font, Korva::cRenderDevice* device) const;

private:
    cBrickSprites m_bricks;
    const Korva::cSprite* m_outline;
    cMove m_move;
    std::vector<std::pair<int, int>> m_cells;
    std::vector<int> m_codes;
    float m_time = 0.0f;
    float m_clock = 0.0f;
    std::string m_message;
    float m_messageTime = 0.0f;
};
