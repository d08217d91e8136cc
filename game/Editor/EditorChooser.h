#pragma once

#include "engine/Gui/Button.h"
#include "game/Menu/Popup.h"

#include <memory>
#include <string>

class cEditorPanelsHost;

// Base of the editor's popups: the editor they act on and an OK button that
// closes the popup through the editor. Presses on the popup itself (not on
// one of its buttons) arrive in OnPress; a chooser's choice takes effect in
// the editor at once, so OK only closes.
class cEditorChooser : public cPopup, public Korva::cButtonListener, public Korva::cWidgetListener
{
public:
    cEditorChooser(Korva::cGUI& gui, cEditorPanelsHost& host, const Korva::cPoint& size,
                   const std::string& title, const Korva::cPoint& okPosition, int32_t okFrame = 16);
    ~cEditorChooser() override;

    Korva::cButton& GetOkButton() { return *m_ok; }

    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnMouseDown(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;

    using cPopup::OnMouseDown;

protected:
    // A press of either button at `point` (popup coordinates) on no button.
    virtual void OnPress(const Korva::cPoint& point, int32_t button) = 0;
    // The popup's absolute origin when drawn with its parent at (x, y).
    Korva::cPoint Origin(int x, int y) const
    {
        return Korva::cPoint(x + GetPosition().x, y + GetPosition().y);
    }

    cEditorPanelsHost& m_host;

private:
    std::unique_ptr<Korva::cButton> m_ok;
};
