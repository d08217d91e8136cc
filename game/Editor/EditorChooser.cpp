#include "game/Editor/EditorChooser.h"

#include "game/Editor/EditorPanelsHost.h"

using namespace Korva;

cEditorChooser::cEditorChooser(cGUI& gui, cEditorPanelsHost& host, const cPoint& size,
                               const std::string& title, const cPoint& okPosition, int32_t okFrame)
    : cPopup(size, gui), m_host(host)
{
    SetTitle(title);
    m_ok = MakeButton(cRect(okPosition.x, okPosition.y, 80, 28), okFrame, this);
    // Listening to itself: presses that no button took.
    AddListener(static_cast<cWidgetListener*>(this));
}

cEditorChooser::~cEditorChooser()
{
    RemoveAllChildren();
}

void cEditorChooser::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (button == m_ok.get())
        m_host.ClosePopup();
}

void cEditorChooser::OnMouseDown(const cMouseEvent& event, cWidget* widget)
{
    if (widget == this)
        OnPress(cPoint(event.GetX(), event.GetY()), event.GetButton());
}
