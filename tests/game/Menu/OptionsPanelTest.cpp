#include "engine/Gui/GuiHarness.h"

#include "game/Menu/OptionsPanel.h"
#include "game/Options.h"

using namespace GuiTest;

namespace
{

class cFakeSettings : public cSettings
{
public:
    cOptions& GetOptions() override { return options; }
    void ApplySound() override
    {
        ++applied;
        appliedMusicVolume = options.GetMusicVolume();
        appliedMusicOn = options.IsMusicEnabled();
    }
    void SetDisplayMode(bool fullScreen, int32_t bitDepth) override
    {
        ++displayChanges;
        modeFullScreen = fullScreen;
        modeBits = bitDepth;
    }
    void WriteOptions() override { ++writes; }
    void ResetProgress() override { ++resets; }
    void OpenHomepage() override {}

    cOptions options;
    int applied = 0;
    int32_t appliedMusicVolume = 0;
    bool appliedMusicOn = false;
    int displayChanges = 0;
    bool modeFullScreen = false;
    int32_t modeBits = 0;
    int writes = 0;
    int resets = 0;
};

class cFakeHost : public cOptionsPanelHost
{
public:
    void ShowHint(const std::string& text, cWidget*) override { hint = text; }
    void HideHint(cWidget*) override { hint.clear(); }
    void RequestBackToButtons() override { ++back; }
    void RequestOptionsPanel() override { ++options; }
    void RequestResetProgressPanel() override { ++reset; }
    void RequestCreditsPanel() override { ++credits; }
    std::string hint;
    int back = 0;
    int options = 0;
    int reset = 0;
    int credits = 0;
};

// The panel sits at (0, 100) on the screen, as when the menu shows it.
class OptionsPanelTest : public Harness
{
protected:
    void Enter(cWidget& panel, cMenuPanel& asPanel)
    {
        gui->GetRoot().AddChild(cPoint(0, 100), &panel);
        asPanel.OnEnter();
    }
    cFakeSettings settings;
    cFakeHost host;
};

TEST_F(OptionsPanelTest, SliderStepsAre23PixelsFromOneToEight)
{
    EXPECT_EQ(cOptionsPanel::SliderValue(0), 1);
    EXPECT_EQ(cOptionsPanel::SliderValue(22), 1);
    EXPECT_EQ(cOptionsPanel::SliderValue(23), 2);
    EXPECT_EQ(cOptionsPanel::SliderValue(160), 7);
    EXPECT_EQ(cOptionsPanel::SliderValue(161), 8);
    EXPECT_EQ(cOptionsPanel::SliderValue(183), 8);
    EXPECT_EQ(cOptionsPanel::SliderValue(5000), 8);
    EXPECT_EQ(cOptionsPanel::SliderValue(-30), 1);
}

TEST_F(OptionsPanelTest, DraggingAppliesAtOnceAndCancelRestoresTheEntryVolume)
{
    settings.options.SetMusicVolume(5);
    cOptionsPanel panel(*gui, host, settings);
    Enter(panel, panel);

    // Press on the music slider 23 pixels from its left edge (346, 44).
    MoveTo(346 + 23, 150);
    Button(true, 346 + 23, 150);
    EXPECT_EQ(panel.GetMusicVolume(), 2);
    EXPECT_EQ(settings.appliedMusicVolume, 2);
    EXPECT_EQ(host.hint, "change music volume");
    MoveTo(346 + 170, 150);
    EXPECT_EQ(settings.appliedMusicVolume, 8);
    Button(false, 346 + 170, 150);
    EXPECT_FALSE(panel.IsDragging());
    // Without a drag a move changes nothing.
    MoveTo(346 + 30, 150);
    EXPECT_EQ(panel.GetMusicVolume(), 8);

    panel.Cancel();
    EXPECT_EQ(settings.options.GetMusicVolume(), 5);
    EXPECT_EQ(settings.appliedMusicVolume, 5);
    EXPECT_EQ(host.back, 1);
    EXPECT_EQ(settings.writes, 0);
    panel.OnLeave();
    gui->GetRoot().RemoveChild(&panel);
}

TEST_F(OptionsPanelTest, DisplayAndHintsWaitForOkWhileMusicToggleIsImmediate)
{
    settings.options.SetFullScreen(false);
    settings.options.SetBitDepth(32);
    settings.options.SetShowHints(true);
    settings.options.SetMusicEnabled(true);
    cOptionsPanel panel(*gui, host, settings);
    Enter(panel, panel);

    Click(280, 125); // music toggle at (270, 20)
    EXPECT_FALSE(settings.appliedMusicOn);
    Click(280, 265); // full screen toggle at (270, 160)
    Click(410, 265); // hints toggle at (400, 160)
    Click(280, 295); // 16 bit at (270, 190)
    Click(280, 295);
    EXPECT_EQ(panel.GetBitDepth(), 16);
    EXPECT_TRUE(panel.IsFullScreen());
    // Nothing of the display or the hints is applied yet.
    EXPECT_EQ(settings.displayChanges, 0);
    EXPECT_TRUE(settings.options.IsShowHints());

    // Cancel drops them; the music comes back on.
    panel.Cancel();
    EXPECT_EQ(settings.displayChanges, 0);
    EXPECT_TRUE(settings.options.IsMusicEnabled());
    EXPECT_TRUE(settings.options.IsShowHints());

    // Entered again: the working copy is fresh, and OK applies everything.
    panel.OnLeave();
    panel.OnEnter();
    EXPECT_FALSE(panel.IsFullScreen());
    Click(280, 265);
    Click(420, 295); // 32 bit at (410, 190) keeps 32
    Click(350, 465); // OK at (310, 350)
    EXPECT_EQ(settings.displayChanges, 1);
    EXPECT_TRUE(settings.modeFullScreen);
    EXPECT_EQ(settings.modeBits, 32);
    EXPECT_EQ(settings.writes, 1);
    EXPECT_EQ(host.back, 2);
    panel.OnLeave();
    gui->GetRoot().RemoveChild(&panel);
}

TEST_F(OptionsPanelTest, EscapeCancelsAndResetPanelErasesOnlyOnYes)
{
    settings.options.SetSoundVolume(3);
    cOptionsPanel panel(*gui, host, settings);
    Enter(panel, panel);
    MoveTo(346 + 100, 220);
    Button(true, 346 + 100, 220); // sound slider at (346, 114)
    Button(false, 346 + 100, 220);
    EXPECT_EQ(settings.options.GetSoundVolume(), 5);
    Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(settings.options.GetSoundVolume(), 3);
    EXPECT_EQ(host.back, 1);
    Click(400, 345); // reset progress at (272, 230)
    EXPECT_EQ(host.reset, 1);
    panel.OnLeave();
    gui->GetRoot().RemoveChild(&panel);

    cResetProgressPanel reset(*gui, host, settings);
    Enter(reset, reset);
    Click(450, 345); // No at (410, 230)
    EXPECT_EQ(settings.resets, 0);
    EXPECT_EQ(host.options, 1);
    Click(350, 345); // Yes at (310, 230)
    EXPECT_EQ(settings.resets, 1);
    EXPECT_EQ(host.options, 2);
    reset.OnLeave();
    gui->GetRoot().RemoveChild(&reset);
}

} // namespace
