#include "game/Game/Screen/BoardScreen.h"

#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/Menu/Popup.h"
#include "game/SoundPlayer.h"

using namespace Korva;

cBoardScreen::cBoardScreen(cGUI& gui)
    : cWidget(gui), m_sound(&cSoundPlayer::Get()), m_view(gui),
      m_popups(*this, *this, cPoint(cBoardScroller::kCentreX, cBoardScroller::kCentreY))
{
    SetSize(cPoint(800, 600));
    SetBackgroundFill(false);
    SetBorder(false);
}

cBoardScreen::~cBoardScreen() = default;

cWidget* cBoardScreen::GetPopupWidget() const
{
    return m_popups.GetPopup();
}

void cBoardScreen::OnMouseMove(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseMove(event, handled);
    const int32_t mx = event.GetX();
    const int32_t my = event.GetY();
    m_view.Move(mx, my, IsFullScreen());
    if (!handled && !FindHitChild(cPoint(mx, my)) && !IsPopupOpen())
        OnScreenMove(mx, my);
}

void cBoardScreen::OnMouseLeave(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseLeave(event, handled);
    m_view.Leave();
    OnScreenLeave();
}

void cBoardScreen::OnMouseDown(const cMouseEvent& event, bool handled)
{
    // A button, a panel or the open popup takes a press on it.
    const bool onChild = !handled && FindHitChild(cPoint(event.GetX(), event.GetY()));
    cWidget::OnMouseDown(event, handled);
    if (onChild)
        return;
    if (IsPopupOpen())
        m_popups.Close();
    OnScreenPress(event);
}

void cBoardScreen::OnMouseUp(const cMouseEvent& event, bool handled)
{
    // The buttons are let go wherever the pointer is now.
    if (event.GetButton() == kMouseButtonLeft)
        m_view.Release();
    const bool onChild = !handled && FindHitChild(cPoint(event.GetX(), event.GetY()));
    cWidget::OnMouseUp(event, handled);
    OnScreenRelease(event, !onChild);
}

bool cBoardScreen::OnMouseWheel(const cMouseEvent& event)
{
    // The game waits while a popup is open; only the popup's text scrolls.
    if (IsPopupOpen())
        return true;
    const cPoint size = GetBoardPixelSize();
    const bool shift = (HeldModifiers() & kModShift) != 0;
    OnViewScrolled(m_view.Wheel(event.GetWheelX(), event.GetWheelY(), shift, size.x, size.y));
    return true;
}

void cBoardScreen::OnMouseEnter(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    if (const char* hint = ButtonHint(widget); hint && !IsPopupOpen())
        m_hint.Show(hint, widget);
}

void cBoardScreen::OnMouseLeave(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    m_hint.Hide(widget);
}

void cBoardScreen::OnPopupOpened(int kind)
{
    (void)kind;
    m_hint.HideAny();
}

void cBoardScreen::OnPopupClosed(int kind)
{
    (void)kind;
    m_hint.HideAny();
}

void cBoardScreen::PlayPopupSound()
{
    Sound(kSndButtonPressed);
}

void cBoardScreen::OnPopupNo(cYesNoPopup* popup)
{
    (void)popup;
    m_popups.Close();
}

void cBoardScreen::Sound(int effect) const
{
    if (m_sound)
        m_sound->PlaySound(effect);
}

bool cBoardScreen::IsKeyDown(int32_t key) const
{
    const cInputDevice* input = GetGUI().GetInputDevice();
    return input && input->IsKeyDown(key);
}

int32_t cBoardScreen::HeldModifiers() const
{
    const cInputDevice* input = GetGUI().GetInputDevice();
    return input ? input->GetModifiers() : 0;
}
