#pragma once

#include "game/Menu/Popup.h"

#include <memory>

class cYesNoPopup;

// The owner of a yes/no popup closes it and acts on the answer.
class cYesNoPopupListener
{
public:
    virtual ~cYesNoPopupListener() = default;
    virtual void OnPopupYes(cYesNoPopup* popup) { (void)popup; }
    virtual void OnPopupNo(cYesNoPopup* popup) { (void)popup; }
};

// A question with Yes and No. Enter (main or keypad), handed on by the popup
// host of the screen that shows it, answers Yes.
class cYesNoPopup : public cPopup, public Korva::cButtonListener
{
public:
    static constexpr int32_t kWidth = 210;
    static constexpr int32_t kHeight = 90;

    cYesNoPopup(Korva::cGUI& gui, const std::string& title, cYesNoPopupListener* listener);
    ~cYesNoPopup() override;

    // For a question inside another popup: shows it centred in `parent`, or
    // takes it away; both may be called again without harm.
    void Open(Korva::cWidget& parent);
    void Close();
    bool IsOpen() const { return m_parent != nullptr; }

    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    bool OnEnterKey() override;

    Korva::cButton& GetYesButton() { return *m_yes; }
    Korva::cButton& GetNoButton() { return *m_no; }

private:
    cYesNoPopupListener* m_listener;
    std::unique_ptr<Korva::cButton> m_yes;
    std::unique_ptr<Korva::cButton> m_no;
    Korva::cWidget* m_parent = nullptr;
};

// The instances the editor and the game screen show; their owners act on
// Yes as the titles say.
class cNewLevelPopup : public cYesNoPopup
{
public:
    cNewLevelPopup(Korva::cGUI& gui, cYesNoPopupListener* listener)
        : cYesNoPopup(gui, "new level", listener)
    {
    }
};

class cQuitToMenuPopup : public cYesNoPopup
{
public:
    cQuitToMenuPopup(Korva::cGUI& gui, cYesNoPopupListener* listener)
        : cYesNoPopup(gui, "quit to menu", listener)
    {
    }
};

class cBackToEditorPopup : public cYesNoPopup
{
public:
    cBackToEditorPopup(Korva::cGUI& gui, cYesNoPopupListener* listener)
        : cYesNoPopup(gui, "back to editor", listener)
    {
    }
};

class cChangeLevelPopup : public cYesNoPopup
{
public:
    cChangeLevelPopup(Korva::cGUI& gui, cYesNoPopupListener* listener)
        : cYesNoPopup(gui, "change level", listener)
    {
    }
};
