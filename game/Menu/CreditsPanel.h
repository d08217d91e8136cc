#pragma once

#include "engine/Gui/Button.h"
#include "engine/Gui/Widget.h"
#include "engine/Input/InputDeviceEvent.h"
#include "game/Menu/MenuPanelHost.h"

#include <memory>

namespace Korva
{
class cSpriteResource;
}

// The credits: picture lines (frames of "SprCredits") scrolling slowly
// upwards, starting again from the bottom once the last has passed.
class cCreditsPanel : public Korva::cWidget,
                      public Korva::cButtonListener,
                      public Korva::cInputListener,
                      public cMenuPanel
{
public:
    static constexpr float kScrollSpeed = 25.0f; // pixels per second
    static constexpr int32_t kTotalHeight = 500;
    static constexpr float kRestartPosition = 330.0f;

    cCreditsPanel(Korva::cGUI& gui, cMenuPanelHost& host);
    ~cCreditsPanel() override;

    void OnEnter() override;
    void OnLeave() override;
    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnInputEvent(const Korva::cInputEvent& event) override;

    float GetScrollPosition() const { return m_position; }
    Korva::cButton& GetBackButton() { return *m_back; }

private:
    cMenuPanelHost& m_host;
    Korva::cSpriteResource* m_credits;
    float m_position = kRestartPosition;
    std::unique_ptr<Korva::cButton> m_back;
    bool m_entered = false;
};
