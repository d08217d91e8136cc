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

// The credits: picture blocks (the frames of "SprCredits", a heading with its
// lines each) stacked top to bottom and scrolling slowly upwards, starting
// again from the bottom once the last has passed.
class cCreditsPanel : public Korva::cWidget,
                      public Korva::cButtonListener,
                      public Korva::cInputListener,
                      public cMenuPanel
{
public:
    static constexpr float kScrollSpeed = 25.0f; // pixels per second
    // The height of all the blocks when the sprite has none.
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
    // All the blocks with the gaps between them.
    int32_t GetTotalHeight() const;
    Korva::cButton& GetBackButton() { return *m_back; }

private:
    cMenuPanelHost& m_host;
    Korva::cSpriteResource* m_credits;
    float m_position = kRestartPosition;
    std::unique_ptr<Korva::cButton> m_back;
    bool m_entered = false;
};
