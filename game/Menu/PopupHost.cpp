#include "game/Menu/PopupHost.h"

#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/Menu/Popup.h"

using namespace Korva;

namespace
{
// No platform key makes this code; it confirms like Enter.
constexpr int32_t kKeyConfirm = 97;
} // namespace

cPopupHost::cPopupHost(cWidget& screen, cPopupOwner& owner, const cPoint& centre)
    : m_screen(screen), m_owner(owner), m_centre(centre)
{
}

cPopupHost::~cPopupHost()
{
    // The popups may be gone already: their screen takes the open one away
    // before they go (Dismiss).
    Listen(false);
}

void cPopupHost::Listen(bool on)
{
    cInputDevice* input = m_screen.GetGUI().GetInputDevice();
    if (!input || on == m_listening)
        return;
    m_listening = on;
    if (on)
        input->AddListener(this);
    else
        input->RemoveListener(this);
}

void cPopupHost::Activate()
{
    m_active = true;
    Listen(true);
    FocusScreen();
}

void cPopupHost::Deactivate()
{
    m_active = false;
    Listen(false);
}

void cPopupHost::FocusScreen()
{
    // A screen that is not shown must not take the focus from the one that
    // is (it would no longer get its text typed, say).
    if (m_active)
        m_screen.GetGUI().GetRoot().SetFocus(&m_screen);
}

void cPopupHost::Open(int kind)
{
    if (IsOpen())
        Close();
    // The closed popup's step may have shown one of its own: this one wins.
    Dismiss();
    cPopup* popup = m_owner.PreparePopup(kind);
    if (!popup || kind == 0)
        return;
    m_kind = kind;
    m_popup = popup;
    m_screen.AddChild(
        cPoint(m_centre.x - popup->GetWidth() / 2, m_centre.y - popup->GetHeight() / 2), popup);
    FocusScreen();
    m_owner.OnPopupOpened(kind);
}

void cPopupHost::Dismiss()
{
    if (!m_popup)
        return;
    cPopup* popup = m_popup;
    m_popup = nullptr;
    m_kind = 0;
    m_screen.RemoveChild(popup);
    popup->OnHidden();
}

void cPopupHost::Close()
{
    if (!IsOpen())
        return;
    const int kind = m_kind;
    Dismiss();
    FocusScreen();
    m_owner.OnPopupClosed(kind);
}

void cPopupHost::OnInputEvent(const cInputEvent& event)
{
    if (event.GetClass() != kInputClassKeyboard || !m_active)
        return;
    HandleKey(AsKeyboardEvent(event));
}

void cPopupHost::HandleKey(const cKeyboardEvent& event)
{
    if (event.GetKind() != kKeyPressed)
        return;
    const int32_t key = event.GetKey();
    if (IsOpen() && key == kKeyEscape)
    {
        if (!m_popup->OnEscapeKey())
            Close();
        m_owner.PlayPopupSound();
        return;
    }
    // Alt+Enter belongs to the application (full screen), not to a popup.
    const bool alt = (event.GetModifiers() & kModAlt) != 0;
    if (IsOpen() && (key == kKeyEnter || key == kKeyConfirm) && !alt)
    {
        const int kind = m_kind;
        if (m_popup->OnEnterKey() || m_owner.OnPopupEnter(kind))
            m_owner.PlayPopupSound();
        return;
    }
    m_owner.OnScreenKey(event);
}
