#include "game/Menu/YesNoPopup.h"

#include "engine/Gui/GUI.h"

using namespace Korva;

cYesNoPopup::cYesNoPopup(cGUI& gui, const std::string& title, cYesNoPopupListener* listener)
    : cPopup(cPoint(kWidth, kHeight), gui), m_listener(listener)
{
    SetTitle(title);
    m_yes = MakeButton(cRect(20, 45, 80, 28), 16, this);
    m_no = MakeButton(cRect(110, 45, 80, 28), 19, this);
}

cYesNoPopup::~cYesNoPopup()
{
    Close();
    RemoveAllChildren();
}

void cYesNoPopup::Open(cWidget& parent)
{
    if (m_parent)
        return;
    m_parent = &parent;
    parent.AddChild(cPoint((parent.GetWidth() - kWidth) / 2, (parent.GetHeight() - kHeight) / 2),
                    this);
}

void cYesNoPopup::Close()
{
    if (!m_parent)
        return;
    m_parent->RemoveChild(this);
    m_parent = nullptr;
}

void cYesNoPopup::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (!m_listener)
        return;
    if (button == m_yes.get())
        m_listener->OnPopupYes(this);
    else if (button == m_no.get())
        m_listener->OnPopupNo(this);
}

bool cYesNoPopup::OnEnterKey()
{
    if (m_listener)
        m_listener->OnPopupYes(this);
    return true;
}
