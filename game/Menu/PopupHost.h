#pragma once

#include "engine/Display/Point.h"
#include "engine/Input/InputDeviceEvent.h"

namespace Korva
{
class cWidget;
}
class cPopup;

// What a screen does around the popups its host shows. Popups are known by
// the screen's own kind numbers (1 and up; 0 is none).
class cPopupOwner
{
public:
    virtual ~cPopupOwner() = default;
    // The popup of `kind`, loaded with the screen's state; null for none.
    virtual cPopup* PreparePopup(int kind) = 0;
    // The popup of `kind` has just been shown.
    virtual void OnPopupOpened(int kind) { (void)kind; }
    // The popup of `kind` was closed, by the player or by another popup
    // taking its place: the screen's step after it.
    virtual void OnPopupClosed(int kind) { (void)kind; }
    // Enter on the open popup of `kind`, which did not take it itself; true
    // when the screen acted on it.
    virtual bool OnPopupEnter(int kind)
    {
        (void)kind;
        return false;
    }
    // A key answered or closed a popup.
    virtual void PlayPopupSound() {}
    // Every other key press while the screen is shown, popup open or not.
    virtual void OnScreenKey(const Korva::cKeyboardEvent& event) = 0;
};

// The one open popup of a screen: shows it centred on a point of the screen,
// replaces it, closes it with the screen's step after it, and hears the
// keyboard for the screen while the screen is the one shown. Esc closes the
// open popup and Enter (main or keypad, not with Alt, which switches the
// display) answers it; every other key goes to the screen. No key reaches
// the popups of a screen that is not shown, and a closing popup gives the
// focus back to its screen only while that screen is shown.
class cPopupHost : public Korva::cInputListener
{
public:
    cPopupHost(Korva::cWidget& screen, cPopupOwner& owner, const Korva::cPoint& centre);
    ~cPopupHost() override;
    cPopupHost(const cPopupHost&) = delete;
    cPopupHost& operator=(const cPopupHost&) = delete;

    // The screen is shown from now on (it hears the keyboard and has the
    // focus), or no longer.
    void Activate();
    void Deactivate();
    bool IsActive() const { return m_active; }

    // Shows the popup of `kind`. An open popup is closed first, with the
    // screen's step after it.
    void Open(int kind);
    // Closes the open popup and runs the screen's step after it.
    void Close();
    // Takes the open popup away without the screen's step (the screen
    // starts over).
    void Dismiss();

    bool IsOpen() const { return m_kind != 0; }
    int GetKind() const { return m_kind; }
    cPopup* GetPopup() const { return m_popup; }

    void OnInputEvent(const Korva::cInputEvent& event) override;

private:
    void HandleKey(const Korva::cKeyboardEvent& event);
    void Listen(bool on);
    void FocusScreen();

    Korva::cWidget& m_screen;
    cPopupOwner& m_owner;
    Korva::cPoint m_centre;
    bool m_active = false;
    bool m_listening = false;
    int m_kind = 0;
    cPopup* m_popup = nullptr;
};
