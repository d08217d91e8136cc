#include "game/LevelSelector/LoadFailedPopup.h"

using namespace Korva;

cLoadFailedPopup::cLoadFailedPopup(cGUI& gui)
    : cTextPopup(gui, cPoint(kWidth, kHeight), cRect(20, 45, kWidth - 40, kHeight - 100))
{
    SetTitle("level not loaded");
    // "SprPopupPanels" frames 16..18: ok.
    m_ok = AddButton(cRect((kWidth - 80) / 2, kHeight - 45, 80, 28), 16, this);
}

cLoadFailedPopup::~cLoadFailedPopup()
{
    Close();
}

void cLoadFailedPopup::Open(cWidget& parent, const std::string& file, const std::string& reason)
{
    m_message = "The level file '" + file + "' could not be loaded.";
    if (!reason.empty())
        m_message += "\n\n" + reason;
    SetText(m_message);
    Close();
    parent.AddChild(cPoint((parent.GetWidth() - kWidth) / 2, (parent.GetHeight() - kHeight) / 2),
                    this);
}

void cLoadFailedPopup::Close()
{
    if (cWidget* parent = GetParent())
        parent->RemoveChild(this);
}

void cLoadFailedPopup::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (button == m_ok.get())
        Close();
}
