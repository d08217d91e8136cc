#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/Button.h"
#include "engine/Gui/Hint.h"
#include "engine/Gui/Widget.h"
#include "game/Game/PuzzleTypes.h"
#include "game/Game/Screen/BoardScroller.h"
#include "game/Menu/PopupHost.h"
#include "game/Menu/YesNoPopup.h"
#include "game/Screen.h"

#include <cstdint>

// What the game screen and the level editor share around their boards: a
// full-screen widget with the board area and its view, the one popup host
// that shows their popups and hears their keys, the hint line with the
// hints of their buttons, and where their sounds go.
class cBoardScreen : public Korva::cWidget,
                     public Korva::cWidgetListener,
                     public Korva::cButtonListener,
                     public cYesNoPopupListener,
                     public cPopupOwner,
                     public cScreen
{
public:
    static constexpr Korva::cRect kBoardArea = cBoardScroller::kBoardArea;

    ~cBoardScreen() override;

    // --- cScreen ---
    Korva::cWidget& GetScreenWidget() override { return *this; }

    // --- popups ---
    int GetPopup() const { return m_popups.GetKind(); }
    Korva::cWidget* GetPopupWidget() const;
    bool IsPopupOpen() const { return m_popups.IsOpen(); }

    // --- the view of the board ---
    float GetOffsetX() const { return m_view.GetOffsetX(); }
    float GetOffsetY() const { return m_view.GetOffsetY(); }
    // Where the board's origin (its top-left corner) is drawn on screen.
    int32_t GetOriginX() const { return m_view.GetOriginX(); }
    int32_t GetOriginY() const { return m_view.GetOriginY(); }
    int32_t GetPointerFrame() const { return m_view.GetPointerFrame(); }

    const Korva::cHint& GetHint() const { return m_hint; }
    // Where the sounds go (the game's sound player by default).
    void SetSoundListener(cBoardSoundListener* listener) { m_sound = listener; }

    // --- the pointer: the view follows it; presses, releases and moves on
    // the screen itself (not on a control or the popup) go to the screen ---
    void OnMouseMove(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseDown(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseUp(const Korva::cMouseEvent& event, bool handled) override;
    // The wheel scrolls a board larger than the board area (Shift, or a
    // sideways wheel, scrolls across), within the arrow keys' limits; not
    // while a popup is open.
    bool OnMouseWheel(const Korva::cMouseEvent& event) override;

    // --- listeners: the buttons' hints, the popups ---
    void OnMouseEnter(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    // A popup opening or closing takes the hint away.
    void OnPopupOpened(int kind) override;
    void OnPopupClosed(int kind) override;
    void PlayPopupSound() override;
    void OnPopupNo(cYesNoPopup* popup) override;

protected:
    explicit cBoardScreen(Korva::cGUI& gui);

    // The hint of the screen's button `widget`; null for any other widget.
    virtual const char* ButtonHint(const Korva::cWidget* widget) const = 0;
    virtual bool IsFullScreen() const = 0;
    // A press on the screen itself; an open popup has just been closed (a
    // click outside a popup dismisses it).
    virtual void OnScreenPress(const Korva::cMouseEvent& event) = 0;
    // Every release, `onScreen` when it is on the screen itself.
    virtual void OnScreenRelease(const Korva::cMouseEvent& event, bool onScreen)
    {
        (void)event, (void)onScreen;
    }
    // The pointer moved over the screen itself while no popup is open.
    virtual void OnScreenMove(int32_t mx, int32_t my) = 0;
    // The pointer left the screen.
    virtual void OnScreenLeave() {}
    // The board's size in pixels ((0, 0) without a board).
    virtual Korva::cPoint GetBoardPixelSize() const = 0;
    // The wheel moved the view by `move`.
    virtual void OnViewScrolled(const cBoardScroller::sMove& move) { (void)move; }
    void Sound(int effect) const;
    bool IsKeyDown(int32_t key) const;
    // The modifier keys held now (kModShift, kModControl, ...).
    int32_t HeldModifiers() const;

    cBoardSoundListener* m_sound;
    cBoardScroller m_view;
    // Derived screens own the popups: they take the open one away in their
    // destructors, before the popups go.
    cPopupHost m_popups;
    Korva::cHint m_hint;
    Korva::cHeadlineFont m_font;
};
