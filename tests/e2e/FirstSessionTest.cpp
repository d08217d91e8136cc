// A first session with the game, as a new player has it: everything by
// pointer and keys on the real window, then a second start that must show
// what the first one left behind.
#include "E2EFixture.h"

namespace
{

// Each of the seven options lines, in the file's order.
void ExpectOptionsFile(const std::string& text, const std::vector<std::string>& lines)
{
    size_t at = text.find("Options=\n{\n");
    ASSERT_NE(at, std::string::npos) << text;
    for (const std::string& line : lines)
    {
        const size_t found = text.find("\t" + line + "\n", at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << text;
        at = found;
    }
}

TEST_F(EndToEnd, FirstSessionPlaysALevelChangesOptionsAndTheNextStartShowsBoth)
{
    cLevel level;
    cMoveLog moves;
    E2E_STEP(cGameDriver::LoadCampaignLevel(LevelFolder(), 1, level, moves));

    // First run, from an empty per-user folder.
    E2E_STEP(StartGame());
    E2E_STEP(game.SkipIntro());
    game.PressMenuButton(cGameDriver::kMenuPlay);
    E2E_STEP(game.WaitForSelector());
    Korva::cPixelBuffer frame = x.Grab();
    EXPECT_FALSE(game.IconShowsCompleted(frame, 0)) << "nothing is completed yet";
    E2E_STEP(game.StartCampaignLevel(0));
    E2E_STEP(game.PlayLevel(level, moves, "LvlZeltra01"));
    E2E_STEP(game.QuitGameToMenu());

    game.PressMenuButton(cGameDriver::kMenuOptions);
    E2E_STEP(game.WaitForOptions());
    frame = x.Grab();
    ASSERT_TRUE(game.OptionsMusicOn(frame)) << "music starts on";
    ASSERT_EQ(game.OptionsVolume(frame, true), 8) << "sound volume starts at 8";
    game.ClickOptionsMusic();
    game.SetOptionsVolume(true, 3);
    ASSERT_TRUE(
        x.WaitForFrame([&](const Korva::cPixelBuffer& f)
                       { return !game.OptionsMusicOn(f) && game.OptionsVolume(f, true) == 3; },
                       10.0))
        << "the music toggle or the sound slider did not take the clicks";
    game.PressOptionsOk();
    E2E_STEP(game.WaitForMenu());
    E2E_STEP(QuitFromMenu());

    // The options file holds the changes; the rest as a first start leaves it
    // (no file: full screen).
    ExpectOptionsFile(ReadFile(UserFile("Zeltra.cfg")),
                      {"MusicEnabled=\"False\"", "SoundEnabled=\"True\"", "MusicVolume=\"8\"",
                       "SoundVolume=\"3\"", "Fullscreen=\"True\"", "BitDepth=\"16\"",
                       "ShowHints=\"True\""});
    ASSERT_TRUE(game.ProgressHas("LvlZeltra01"));

    // Second run: the options panel shows the saved values, the selector the
    // completed level.
    E2E_STEP(StartGame());
    E2E_STEP(game.SkipIntro());
    game.PressMenuButton(cGameDriver::kMenuOptions);
    E2E_STEP(game.WaitForOptions());
    frame = x.Grab();
    EXPECT_FALSE(game.OptionsMusicOn(frame)) << "music was turned off in the first run";
    EXPECT_TRUE(game.OptionsSoundOn(frame));
    EXPECT_EQ(game.OptionsVolume(frame, true), 3);
    EXPECT_EQ(game.OptionsVolume(frame, false), 8);
    x.Key("Escape"); // Cancel
    E2E_STEP(game.WaitForMenu());
    game.PressMenuButton(cGameDriver::kMenuPlay);
    E2E_STEP(game.WaitForSelector());
    x.MoveTo(780, 300); // no icon under the pointer
    frame = x.Grab();
    EXPECT_TRUE(game.IconShowsCompleted(frame, 0)) << "level 1 was completed in the first run";
    EXPECT_FALSE(game.IconShowsCompleted(frame, 1));
    x.Key("Escape");
    E2E_STEP(game.WaitForMenu());
    E2E_STEP(QuitFromMenu());
}

} // namespace
