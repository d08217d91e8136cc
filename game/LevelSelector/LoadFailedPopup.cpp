#include "game/LevelSelector/LoadFailedPopup.h"

using namespace Korva;

cLoadFailedPopup::cLoadFailedPopup(cGUI& gui, cButtonListener* listener)
    : cTextPopup(gui, cPoint(kWidth, kHeight), cRect(20, 45, kWidth - 40, kHeight - 100))
{
    SetTitle("level not loaded");
    // "SprPopupPanels" frames 16..18: ok.
    m_ok = AddButton(cRect((kWidth - 80) / 2, kHeight - 45, 80, 28), 16, listener);
}

void cLoadFailedPopup::SetMessage(const std::string& file, const std::string& reason)
{
    m_message = "The level file '" + file + "' could not be loaded.";
    if (!reason.empty())
        m_message += "\n\n" + reason;
    SetText(m_message);
}
