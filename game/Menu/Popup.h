#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/Button.h"
#include "engine/Gui/Widget.h"

#include <memory>
#include <string>

namespace Korva
{
class cSpriteResource;
}

// The titled window every popup and dialog of the game and the editor is
// built from. Derived popups add their controls as children.
class cPopup : public Korva::cWidget
{
public:
    cPopup(const Korva::cPoint& size, Korva::cGUI& gui);
    ~cPopup() override;

    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& GetTitle() const { return m_title; }
    void Draw(int x, int y, bool drawChildren) override;

    // Keys a screen's popup host hands the open popup first. Enter: true
    // when the popup acted on it (a question answers yes). Esc: true when
    // the popup took it itself and stays open; otherwise the host closes it.
    virtual bool OnEnterKey() { return false; }
    virtual bool OnEscapeKey() { return false; }
    // Taken away by a popup host.
    virtual void OnHidden() {}

protected:
    // A button of the popup sprite (frames normal, normal + 1 and + 2) with
    // the standard sounds, added as a child.
    std::unique_ptr<Korva::cButton> MakeButton(const Korva::cRect& rect, int32_t normal,
                                               Korva::cButtonListener* listener);
    Korva::cSpriteResource* GetPanelSprite() const { return m_panels; }

private:
    std::string m_title;
    std::unique_ptr<Korva::cFont> m_font;
    Korva::cSpriteResource* m_panels;
};
