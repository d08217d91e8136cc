// The whole path a player takes with an installed game: install to a fresh
// prefix, start it with a fresh per-user folder, play the campaign's first
// levels through the real screens, quit, and find everything kept; then start
// it again and see the levels marked.
#include "E2EFixture.h"
#include "Flower.h"

#include <cstdlib>
#include <regex>

namespace
{
namespace fs = std::filesystem;

// Lines of the log that report a fault. The first start has neither an
// options nor a progress file; the game says so and goes on, which is no
// fault.
std::vector<std::string> ErrorLines(const std::string& log)
{
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const std::regex expected(
        "Error opening file: '.*/Quillbee Studios/Zeltra/(Zeltra\\.cfg|CompletedLevels\\.dat)'\\.");
    const std::regex fault("Exception|[Ee]rror|Missing|Couldn't|[Ff]ailed|[Cc]annot");
    std::vector<std::string> errors;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (i + 1 < lines.size() && lines[i].rfind("Exception at line", 0) == 0 &&
            std::regex_search(lines[i + 1], expected))
        {
            ++i;
            continue;
        }
        if (std::regex_search(lines[i], fault))
            errors.push_back(lines[i]);
    }
    return errors;
}

class EndToEndInstalled : public cE2ETest
{
protected:
    // Installs the build into a prefix in the test's folder; the path of the
    // installed executable, or the build's own when the build installs none.
    std::string Install()
    {
        const fs::path prefix = Folder() / "prefix";
        const std::string command = std::string("\"") + ZELTRA_E2E_CMAKE + "\" --install \"" +
                                    ZELTRA_E2E_BUILD_DIR + "\" --prefix \"" + prefix.string() +
                                    "\" > \"" + (Folder() / "install.txt").string() + "\" 2>&1";
        const int status = std::system(command.c_str());
        const fs::path installed = prefix / "bin" / "zeltra";
        if (status == 0 && fs::exists(installed))
        {
            m_programFolder = (prefix / "share" / "zeltra").string();
            return installed.string();
        }
        std::cerr << "No installed executable (cmake --install gave " << status
                  << "); running the build's own.\n";
        return DefaultExecutable();
    }

    // Plays campaign level `number` (1-based) from the level info popup on.
    std::string PlayCampaignLevel(int number)
    {
        cLevel level;
        cMoveLog moves;
        if (std::string error = cGameDriver::LoadCampaignLevel(LevelFolder(), number, level, moves);
            !error.empty())
            return error;
        char alias[32];
        std::snprintf(alias, sizeof alias, "LvlZeltra%02d", number);
        const std::string error = game.PlayLevel(level, moves, alias);
        return error.empty() ? "" : "level " + std::to_string(number) + ": " + error;
    }

    std::string m_programFolder = ProgramFolder();
};

TEST_F(EndToEndInstalled, PlaysThreeLevelsKeepsEverythingAndShowsThemCompletedNextTime)
{
    const std::string executable = Install();
    if (executable != DefaultExecutable())
    {
        // The installed game finds its data in the prefix, not the build.
        ASSERT_TRUE(fs::exists(m_programFolder + "/Resources/Levels.res")) << m_programFolder;
    }

    E2E_STEP(StartGame(executable));
    E2E_STEP(game.SkipIntro());
    game.PressMenuButton(cGameDriver::kMenuPlay);
    E2E_STEP(game.WaitForSelector());
    E2E_STEP(game.StartCampaignLevel(0));
    // After each completed level the game goes on to the next by itself.
    for (int number = 1; number <= 3; ++number)
        E2E_STEP(PlayCampaignLevel(number));
    E2E_STEP(game.QuitGameToMenu());

    // The editor: a small level built and saved, then back to the menu.
    game.PressMenuButton(cGameDriver::kMenuEditor);
    E2E_STEP(game.WaitForEditor());
    const sFlower flower(game.GetMetrics());
    E2E_STEP(PaintFlower(game, flower, "flower"));
    E2E_STEP(game.EditorSave("myflower"));
    x.Key("Escape"); // asks first; Enter says yes
    x.Sleep(0.5);
    x.Key("Return");
    E2E_STEP(game.WaitForMenu());
    E2E_STEP(QuitFromMenu());

    EXPECT_EQ(ReadFile(UserFile("UserLevels/myflower.lvl")),
              LevelText(flower.Level("flower"), (Folder() / "expected.lvl").string()));
    for (const char* alias : {"LvlZeltra01", "LvlZeltra02", "LvlZeltra03"})
        EXPECT_TRUE(game.ProgressHas(alias)) << alias;
    EXPECT_FALSE(game.ProgressHas("LvlZeltra04"));
    const std::string options = ReadFile(UserFile("Zeltra.cfg"));
    for (const char* line :
         {"MusicEnabled=\"True\"", "SoundEnabled=\"True\"", "MusicVolume=\"8\"",
          "SoundVolume=\"8\"", "Fullscreen=\"True\"", "BitDepth=\"16\"", "ShowHints=\"True\""})
        EXPECT_NE(options.find(std::string("\t") + line + "\n"), std::string::npos)
            << line << " in\n"
            << options;
    const std::string log = x.ReadLog();
    EXPECT_NE(log.find("--- Exiting main loop ---"), std::string::npos);
    const std::vector<std::string> errors = ErrorLines(log);
    EXPECT_TRUE(errors.empty()) << "first error line: " << (errors.empty() ? "" : errors[0]);

    // Second start: the selector marks the three levels.
    E2E_STEP(StartGame(executable));
    E2E_STEP(game.SkipIntro());
    game.PressMenuButton(cGameDriver::kMenuPlay);
    E2E_STEP(game.WaitForSelector());
    x.MoveTo(780, 300);
    const Korva::cPixelBuffer frame = x.Grab();
    for (int index = 0; index < 3; ++index)
        EXPECT_TRUE(game.IconShowsCompleted(frame, index)) << "level " << index + 1;
    EXPECT_FALSE(game.IconShowsCompleted(frame, 3)) << "level 4";
    x.Key("Escape");
    E2E_STEP(game.WaitForMenu());
    E2E_STEP(QuitFromMenu());
    EXPECT_TRUE(ErrorLines(x.ReadLog()).empty());
}

// "visit homepage" in the options of the installed game hands the browser
// the manual installed beside the game's data. A stand-in xdg-open, first on
// the game's search path, writes down what it was handed.
TEST_F(EndToEndInstalled, VisitHomepageOpensTheInstalledManual)
{
    const std::string executable = Install();
    const fs::path manual = fs::path(m_programFolder) / "Manual" / "index.html";
    ASSERT_TRUE(fs::exists(manual)) << manual;
    const fs::path openers = Folder() / "openers";
    const fs::path record = Folder() / "opened.txt";
    fs::create_directories(openers);
    {
        std::ofstream script(openers / "xdg-open");
        script << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << record.string() << ".tmp'\nmv '"
               << record.string() << ".tmp' '" << record.string() << "'\n";
    }
    fs::permissions(openers / "xdg-open", fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    std::string error;
    ASSERT_TRUE(x.Start(executable, Home(), (Folder() / "output.txt").string(), error,
                        {{"PATH", openers.string() + ":" + (path ? path : "")}}))
        << error;
    E2E_STEP(game.SkipIntro());
    game.PressMenuButton(cGameDriver::kMenuOptions);
    E2E_STEP(game.WaitForOptions());
    x.Click(400, 210 + 300 + 13); // visit homepage, (272, 300) in the panel
    for (int i = 0; i < 100 && !fs::exists(record); ++i)
        x.Sleep(0.1);
    EXPECT_EQ(ReadFile(record.string()), "file://" + manual.string() + "\n");
    x.Key("Escape"); // Cancel
    E2E_STEP(game.WaitForMenu());
    E2E_STEP(QuitFromMenu());
    EXPECT_TRUE(ErrorLines(x.ReadLog()).empty());
}

} // namespace
