#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/Button.h"
#include "engine/Gui/Hint.h"
#include "engine/Gui/Widget.h"
#include "engine/Input/InputDeviceEvent.h"
#include "game/Game/Random.h"
#include "game/Menu/OptionsPanel.h"
#include "game/Screen.h"

#include <array>
#include <memory>
#include <optional>

namespace Korva
{
class cImageResource;
class cSpriteResource;
} // namespace Korva

class cCreditsPanel;
class cInstructionsPanel;

// The main menu: five buttons that fly out sideways when a panel
// (instructions, options, reset progress, credits) is asked for, after which
// the panel slides up from the bottom; going back reverses both.
class cMenu : public Korva::cWidget,
              public Korva::cWidgetListener,
              public Korva::cButtonListener,
              public Korva::cInputListener,
              public cOptionsPanelHost,
              public cScreen
{
public:
    enum class ePanel
    {
        None,
        Instructions,
        Options,
        ResetProgress,
        Credits,
    };
    enum class eChange
    {
        None,
        Buttons,
        Instructions,
        Options,
        ResetProgress,
        Credits,
    };
    enum eButton
    {
        kPlay,
        kEditor,
        kInstructions,
        kOptions,
        kQuit,
        kButtonCount
    };
    struct ButtonRecord
    {
        bool left = false; // flies out to the left
        bool hovered = false;
        float a = 0.7f;   // brightness
        float b = 0.654f; // glow
    };
    static constexpr float kChangeSpeed = 5.0f; // radians per second
    static constexpr int32_t kButtonX = 200;
    static constexpr int32_t kButtonTop = 240;
    static constexpr int32_t kButtonStep = 60;

    // Only one menu may exist.
    explicit cMenu(Korva::cGUI& gui);
    ~cMenu() override;

    // The menu of the running application, created on first use with the
    // application's GUI and registered with it.
    static cMenu& Get();
    static cMenu* GetIfExists() { return s_instance; }
    static void Destroy();

    // --- cScreen ---
    Korva::cWidget& GetScreenWidget() override { return *this; }
    void Activate() override;
    void Deactivate() override;

    // --- cMenuPanelHost ---
    void ShowHint(const std::string& text, Korva::cWidget* owner) override;
    void HideHint(Korva::cWidget* owner) override;
    void RequestBackToButtons() override { Request(eChange::Buttons); }
    void RequestOptionsPanel() override { Request(eChange::Options); }
    void RequestInstructionsPanel() { Request(eChange::Instructions); }
    void RequestResetProgressPanel() override { Request(eChange::ResetProgress); }
    void RequestCreditsPanel() override { Request(eChange::Credits); }

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnMouseEnter(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnInputEvent(const Korva::cInputEvent& event) override;

    // Pictures of the menu need the same waves every time: a fixed seed for
    // the following activations instead of one from the clock.
    void SetFixedSeed(std::optional<uint32_t> seed) { m_fixedSeed = seed; }

    // --- state, for tests ---
    ePanel GetShownPanel() const { return m_shown; }
    eChange GetRequestedChange() const { return m_requested; }
    float GetFlyPhase() const { return m_fly; }
    float GetSlidePhase() const { return m_slide; }
    const ButtonRecord& GetRecord(int k) const { return m_records[static_cast<size_t>(k)]; }
    Korva::cButton& GetButton(int k) { return *m_buttons[static_cast<size_t>(k)]; }
    const Korva::cHint& GetHint() const { return m_hint; }
    cOptionsPanel* GetOptionsPanel() { return m_options.get(); }
    cResetProgressPanel* GetResetProgressPanel() { return m_reset.get(); }
    // Where the hint line is drawn now (its centre, relative to the menu):
    // the menu's line at the bottom, or the place the shown panel gives for
    // its own hints, drawn over the panel.
    Korva::cPoint GetHintCentre() const;
    bool IsHintOverPanel() const;
    // The x of button k at the present fly phase.
    int32_t GetButtonX(int k) const;

private:
    void Request(eChange change);
    void UpdateChange(float dt);
    void CompleteChange();
    void PlaceButtons();
    void PlaceShownPanel();
    Korva::cWidget* PanelWidget(ePanel panel) const;
    cMenuPanel* PanelOf(ePanel panel) const;
    void DrawButton(int k, int32_t left, int32_t top) const;
    void DrawBackground(int32_t left, int32_t top) const;

    static cMenu* s_instance;

    cRandom m_random;
    std::optional<uint32_t> m_fixedSeed;
    bool m_drawn = false;
    std::array<std::unique_ptr<Korva::cButton>, kButtonCount> m_buttons;
    std::array<ButtonRecord, kButtonCount> m_records{};
    ePanel m_shown = ePanel::None;
    eChange m_requested = eChange::None;
    float m_fly = 0.0f;
    float m_slide = 0.0f;
    std::array<float, 6> m_waves{};
    std::array<float, 6> m_waveSpeeds{};
    Korva::cHint m_hint;
    bool m_listening = false;

    std::unique_ptr<cInstructionsPanel> m_instructions;
    std::unique_ptr<cOptionsPanel> m_options;
    std::unique_ptr<cResetProgressPanel> m_reset;
    std::unique_ptr<cCreditsPanel> m_credits;

    Korva::cImageResource* m_background;
    Korva::cImageResource* m_logo;
    Korva::cSpriteResource* m_panels;
    Korva::cHeadlineFont m_font;
};
