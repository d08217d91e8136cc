#include "game/Game/Screen/GamePopups.h"

#include "engine/Gui/Scrollbar.h"
#include "game/Game/Screen/SpriteDrawing.h"

using namespace Korva;

const char* const cGameCompletedPopup::kText =
    "Congratulations! You have completed all the levels in the game. You are truly a master of "
    "logic thinking!\n\n"
    "There is more to discover: on our homepage you will find the other games we have made.\n\n"
    "Press the 'visit homepage' button below to open up our homepage in your web browser. Press "
    "'close' to continue playing.\n\n"
    "To get rid of this popup, reset your progress in the options.";

cTextPopup::cTextPopup(cGUI& gui, const cPoint& size, const cRect& textArea)
    : cPopup(size, gui), m_font(std::make_unique<cSpriteFont>()),
      m_text(std::make_unique<cTextBox>(gui, cPoint(textArea.width, textArea.height)))
{
    m_text->SetFont(m_font.get());
    m_text->SetReadOnly(true);
    // The text keeps clear of the white box's edges; the box keeps its size.
    m_text->SetInnerMargin(kTextMargin);
    if (cScrollbar* bar = m_text->GetVerticalScrollbar())
    {
        // SprScrollbarBig: arrows 0..2 and 3..5, track 6..8, thumb 9..17.
        bar->SetSprite(const_cast<cSprite*>(FindSprite("SprScrollbarBig")));
        bar->GetBackButton().SetFrames(0, 1, 2);
        bar->GetForwardButton().SetFrames(3, 4, 5);
        bar->SetTrackFrames(6, 7, 8);
        for (int32_t state = 0; state < 3; ++state)
            bar->SetThumbFrames(state, 9 + 3 * state, 10 + 3 * state, 11 + 3 * state);
        bar->SetBevel(false);
    }
    AddChild(cPoint(textArea.x, textArea.y), m_text.get());
}

cTextPopup::~cTextPopup()
{
    RemoveAllChildren();
}

std::unique_ptr<cButton> cTextPopup::AddButton(const cRect& rect, int32_t normal,
                                               cButtonListener* listener)
{
    return MakeButton(rect, normal, listener);
}

cLevelInfoPopup::cLevelInfoPopup(cGUI& gui, cButtonListener* listener)
    : cTextPopup(gui, cPoint(400, 450), cRect(20, 45, 360, 345))
{
    m_close = AddButton(cRect(160, 405, 80, 28), 16, listener);
}

cGameCompletedPopup::cGameCompletedPopup(cGUI& gui, cButtonListener* listener)
    : cTextPopup(gui, cPoint(340, 445), cRect(20, 45, 300, 300))
{
    SetTitle("game completed");
    SetText(kText);
    m_homepage = AddButton(cRect(85, 360, 170, 28), 13, listener);
    m_close = AddButton(cRect(130, 400, 80, 28), 22, listener);
}
