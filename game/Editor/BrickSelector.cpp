#include "game/Editor/BrickSelector.h"

#include "game/Editor/EditorPanelsHost.h"
#include "game/SoundPlayer.h"

using namespace Korva;

cBrickSelector::cBrickSelector(cGUI& gui, cEditorPanelsHost& host)
    : cEditorChooser(gui, host, cPoint(kWidth, kHeight), "change brick", cPoint(130, 190)),
      m_palette(45, 115)
{
}

void cBrickSelector::SetBrickCode(int code)
{
    if (code < 1 || code > kBrickLast)
        return;
    m_code = code;
    m_palette.SetFromCode(code);
}

void cBrickSelector::OnPress(const cPoint& point, int32_t button)
{
    (void)button;
    const int code = m_palette.Press(point);
    if (code == 0)
        return;
    m_code = code;
    m_host.SetCurrentBrickCode(code);
    m_host.PlaySound(kSndButtonPressed);
}

void cBrickSelector::Update(float dt)
{
    cEditorChooser::Update(dt);
    m_palette.Update(dt);
}

void cBrickSelector::Draw(int x, int y, bool drawChildren)
{
    cPopup::Draw(x, y, false);
    const cPoint origin = Origin(x, y);
    m_palette.Draw(origin.x, origin.y, m_code);
    if (drawChildren)
        DrawChildren(x, y);
}
