#pragma once

#include "engine/Gui/Button.h"
#include "engine/Gui/Widget.h"
#include "engine/Input/InputDeviceEvent.h"
#include "game/Menu/MenuPanelHost.h"

#include <array>
#include <memory>

namespace Korva
{
class cSpriteResource;
}

class cOptions;

// What the options and reset-progress panels change: the application's
// settings and files. The application provides the real one; tests their own.
class cSettings
{
public:
    virtual ~cSettings() = default;
    virtual cOptions& GetOptions() = 0;
    // Music and sound on/off and volumes of the options, to the sound player.
    virtual void ApplySound() = 0;
    virtual void SetDisplayMode(bool fullScreen, int32_t bitDepth) = 0;
    virtual void WriteOptions() = 0;
    virtual void ResetProgress() = 0;
    virtual void OpenHomepage() = 0;
};

// The settings of the running game application.
class cApplicationSettings : public cSettings
{
public:
    static cApplicationSettings& Get();
    cOptions& GetOptions() override;
    void ApplySound() override;
    void SetDisplayMode(bool fullScreen, int32_t bitDepth) override;
    void WriteOptions() override;
    void ResetProgress() override;
    void OpenHomepage() override;
};

// The menu as the options panel sees it: besides going back it can show the
// reset-progress and credits panels.
class cOptionsPanelHost : public cMenuPanelHost
{
public:
    virtual void RequestResetProgressPanel() = 0;
    virtual void RequestCreditsPanel() = 0;
};

// The options: music and sound on/off with their volumes (applied at once
// and undone by Cancel), window or full screen, colour depth and hints
// (applied by OK, which also writes the options file).
class cOptionsPanel : public Korva::cWidget,
                      public Korva::cWidgetListener,
                      public Korva::cButtonListener,
                      public Korva::cInputListener,
                      public cMenuPanel
{
public:
    enum eControl
    {
        kMusicToggle,
        kSoundToggle,
        kFullScreenToggle,
        kHintsToggle,
        kBits16,
        kBits32,
        kResetProgress,
        kCredits,
        kHomepage,
        kOk,
        kCancel,
        kControlCount
    };
    static constexpr int32_t kSliderStep = 23;
    static constexpr int32_t kSliderSteps = 8;

    cOptionsPanel(Korva::cGUI& gui, cOptionsPanelHost& host, cSettings& settings);
    ~cOptionsPanel() override;

    // A volume for a pointer `x` pixels from a slider's left edge: 1..8.
    static int32_t SliderValue(int32_t x);

    void OnEnter() override;
    void OnLeave() override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnMouseUp(const Korva::cMouseEvent& event, bool handled) override;

    void OnMouseEnter(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseDown(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseMove(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseUp(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnInputEvent(const Korva::cInputEvent& event) override;

    void Ok();
    void Cancel();

    bool IsMusicOn() const { return m_musicOn; }
    bool IsSoundOn() const { return m_soundOn; }
    int32_t GetMusicVolume() const { return m_musicVolume; }
    int32_t GetSoundVolume() const { return m_soundVolume; }
    bool IsFullScreen() const { return m_fullScreen; }
    bool IsHintsOn() const { return m_hintsOn; }
    int32_t GetBitDepth() const { return m_bitDepth; }
    bool IsDragging() const { return m_dragMusic || m_dragSound; }
    Korva::cButton& GetControl(int control) { return *m_controls[static_cast<size_t>(control)]; }
    Korva::cWidget& GetMusicSlider() { return *m_musicSlider; }
    Korva::cWidget& GetSoundSlider() { return *m_soundSlider; }

private:
    // The four sound values of the working copy, to the options and the
    // sound player.
    void ApplySound();
    void SetSlider(Korva::cWidget* slider, int32_t x, bool tick);
    void DrawCheck(int32_t x, int32_t y, bool on, int32_t label) const;

    cOptionsPanelHost& m_host;
    cSettings& m_settings;
    std::array<std::unique_ptr<Korva::cButton>, kControlCount> m_controls;
    std::unique_ptr<Korva::cWidget> m_musicSlider;
    std::unique_ptr<Korva::cWidget> m_soundSlider;
    Korva::cSpriteResource* m_sprite;

    bool m_musicOn = true;
    int32_t m_musicVolume = 8;
    bool m_soundOn = true;
    int32_t m_soundVolume = 8;
    bool m_fullScreen = false;
    bool m_hintsOn = true;
    int32_t m_bitDepth = 32;
    bool m_entryMusicOn = true;
    int32_t m_entryMusicVolume = 8;
    bool m_entrySoundOn = true;
    int32_t m_entrySoundVolume = 8;
    bool m_dragMusic = false;
    bool m_dragSound = false;
    bool m_entered = false;
};

// Asks whether the record of completed levels should be erased.
class cResetProgressPanel : public Korva::cWidget,
                            public Korva::cButtonListener,
                            public Korva::cInputListener,
                            public cMenuPanel
{
public:
    cResetProgressPanel(Korva::cGUI& gui, cMenuPanelHost& host, cSettings& settings);
    ~cResetProgressPanel() override;

    void OnEnter() override;
    void OnLeave() override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnInputEvent(const Korva::cInputEvent& event) override;

    Korva::cButton& GetYesButton() { return *m_yes; }
    Korva::cButton& GetNoButton() { return *m_no; }

private:
    cMenuPanelHost& m_host;
    cSettings& m_settings;
    std::unique_ptr<Korva::cButton> m_yes;
    std::unique_ptr<Korva::cButton> m_no;
    Korva::cSpriteResource* m_sprite;
    bool m_entered = false;
};
