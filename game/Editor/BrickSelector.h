#pragma once

#include "game/Editor/BrickPalette.h"
#include "game/Editor/EditorChooser.h"

// "change brick": coloured bricks from two colours, and the special bricks;
// a press sets the editor's current brick code at once.
class cBrickSelector : public cEditorChooser
{
public:
    static constexpr int32_t kWidth = 340;
    static constexpr int32_t kHeight = 235;

    cBrickSelector(Korva::cGUI& gui, cEditorPanelsHost& host);

    // The code marked as chosen; a coloured brick also sets the two colours.
    // Codes outside 1..104 are ignored.
    void SetBrickCode(int code);
    int GetBrickCode() const { return m_code; }
    const cBrickPalette& GetPalette() const { return m_palette; }

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;

protected:
    void OnPress(const Korva::cPoint& point, int32_t button) override;

private:
    int m_code = 11;
    cBrickPalette m_palette;
};
