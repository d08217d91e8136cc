#pragma once

#include "engine/Display/AnimPlayer.h"
#include "game/Editor/EditorChooser.h"
#include "game/Game/PuzzleTypes.h"

#include <array>
#include <memory>

namespace Korva
{
class cSprite;
}

// "change cell": the twelve cell kinds (1..12), animated; a press sets the
// editor's current cell kind at once.
class cCellSelector : public cEditorChooser
{
public:
    static constexpr int32_t kWidth = 280;
    static constexpr int32_t kHeight = 285;

    cCellSelector(Korva::cGUI& gui, cEditorPanelsHost& host);
    ~cCellSelector() override;

    // The kind marked as chosen (the editor's current one when opening).
    void SetCellKind(int kind) { m_kind = kind; }
    int GetCellKind() const { return m_kind; }

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;

protected:
    void OnPress(const Korva::cPoint& point, int32_t button) override;

private:
    int m_kind = 1;
    const Korva::cSprite* m_cells;
    cBoardMetrics m_metrics;
    const Korva::cSprite* m_squares;
    std::array<std::unique_ptr<Korva::cAnimPlayer>, 13> m_players;
};
