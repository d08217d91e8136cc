#include "game/Editor/LevelInfoDialog.h"

#include "engine/Gui/Scrollbar.h"
#include "game/Editor/EditorPanelsHost.h"
#include "game/Game/Screen/SpriteDrawing.h"

using namespace Korva;

cLevelInfoDialog::cLevelInfoDialog(cGUI& gui, cEditorPanelsHost& host)
    : cEditorChooser(gui, host, cPoint(kWidth, kHeight), "edit level info", cPoint(115, 405)),
      m_font(std::make_unique<cSpriteFont>()), m_labelFont(std::make_unique<cHeadlineFont>()),
      m_name(std::make_unique<cTextField>(gui)),
      m_description(std::make_unique<cTextBox>(gui, cPoint(360, 280)))
{
    m_name->SetSize(cPoint(360, 20));
    m_name->SetMaxLength(kMaxNameLength);
    m_name->SetFont(m_font.get());
    AddChild(cPoint(20, 60), m_name.get());

    m_description->SetFont(m_font.get());
    if (cScrollbar* bar = m_description->GetVerticalScrollbar())
    {
        // SprScrollbarBig: arrows 0..2 and 3..5, track 6..8, thumb 9..17.
        bar->SetSprite(const_cast<cSprite*>(FindSprite("SprScrollbarBig")));
        bar->SetBevel(false);
        bar->GetBackButton().SetFrames(0, 1, 2);
        bar->GetForwardButton().SetFrames(3, 4, 5);
        bar->SetTrackFrames(6, 7, 8);
        for (int32_t state = 0; state < 3; ++state)
            bar->SetThumbFrames(state, 9 + 3 * state, 10 + 3 * state, 11 + 3 * state);
    }
    AddChild(cPoint(20, 110), m_description.get());

    m_cancel = MakeButton(cRect(205, 405, 80, 28), 19, this);
}

cLevelInfoDialog::~cLevelInfoDialog()
{
    RemoveAllChildren();
}

void cLevelInfoDialog::Load(const std::string& name, const std::string& description)
{
    // A longer name from a level file is shown whole: only typing is limited.
    m_name->SetText(name);
    m_description->SetText(description);
    m_description->SetCaret(0);
}

void cLevelInfoDialog::OnClicked(const cMouseEvent& event, cButton* button)
{
    if (button == &GetOkButton())
    {
        m_host.SetLevelName(m_name->GetText());
        m_host.SetLevelDescription(m_description->GetText());
        m_host.ClosePopup();
    }
    else if (button == m_cancel.get())
        m_host.ClosePopup();
    else
        cEditorChooser::OnClicked(event, button);
}

void cLevelInfoDialog::OnPress(const cPoint& point, int32_t button)
{
    (void)point;
    (void)button;
}

void cLevelInfoDialog::Draw(int x, int y, bool drawChildren)
{
    cPopup::Draw(x, y, false);
    const cPoint origin = Origin(x, y);
    const cColor label(240, 240, 0, 255);
    m_labelFont->DrawText(cPoint(origin.x + 20, origin.y + 40), "level name", label, kAlignLeft);
    m_labelFont->DrawText(cPoint(origin.x + 20, origin.y + 90), "description", label, kAlignLeft);
    if (drawChildren)
        DrawChildren(x, y);
}
