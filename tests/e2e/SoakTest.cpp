// The game left running for a long time while a player goes round its
// screens and plays levels; its resident memory is sampled once a minute.
// Only run on request (scripts/soak.sh sets ZELTRA_SOAK_SECONDS).
#include "E2EFixture.h"

#include <chrono>
#include <fstream>

namespace
{

// Resident set size of a process in KiB (0 when it is gone).
long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

TEST_F(EndToEnd, Soak)
{
    const char* seconds = std::getenv("ZELTRA_SOAK_SECONDS");
    if (!seconds)
        GTEST_SKIP() << "set ZELTRA_SOAK_SECONDS to run the soak test";
    const auto length = std::chrono::seconds(std::atol(seconds));
    const char* reportPath = std::getenv("ZELTRA_SOAK_REPORT");
    std::ofstream report(reportPath ? reportPath : "/dev/null");
    const auto say = [&](const std::string& text)
    {
        std::cout << text << std::endl;
        report << text << std::endl;
    };

    std::vector<std::pair<cLevel, cMoveLog>> levels(3);
    for (int i = 0; i < 3; ++i)
        E2E_STEP(cGameDriver::LoadCampaignLevel(LevelFolder(), i + 1, levels[i].first,
                                                levels[i].second));

    E2E_STEP(StartGame());
    E2E_STEP(game.SkipIntro());
    const auto start = std::chrono::steady_clock::now();
    const auto minutes = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
               60.0;
    };
    std::vector<long> samples = {ResidentKiB(x.GetPid())};
    say("minute 0: resident " + std::to_string(samples.back()) + " KiB");
    int rounds = 0, played = 0;
    while (std::chrono::steady_clock::now() - start < length)
    {
        // Play: the first three levels one after another.
        game.PressMenuButton(cGameDriver::kMenuPlay);
        E2E_STEP(game.WaitForSelector());
        E2E_STEP(game.StartCampaignLevel(0));
        for (auto& [level, moves] : levels)
        {
            E2E_STEP(game.PlayLevel(level, moves));
            // The game goes on to the next level by itself.
            E2E_STEP(game.WaitForLevelInfo());
            ++played;
        }
        E2E_STEP(game.QuitGameToMenu());
        // Options, then Cancel; the instructions, then back with Esc.
        game.PressMenuButton(cGameDriver::kMenuOptions);
        E2E_STEP(game.WaitForOptions());
        game.PressOptionsCancel();
        E2E_STEP(game.WaitForMenu());
        game.PressMenuButton(cGameDriver::kMenuInstructions);
        x.Sleep(1.5);
        x.Key("Escape");
        E2E_STEP(game.WaitForMenu());
        ++rounds;
        while (static_cast<double>(samples.size()) <= minutes())
        {
            samples.push_back(ResidentKiB(x.GetPid()));
            say("minute " + std::to_string(samples.size() - 1) + ": resident " +
                std::to_string(samples.back()) + " KiB (" + std::to_string(rounds) + " rounds, " +
                std::to_string(played) + " levels played)");
        }
    }
    samples.push_back(ResidentKiB(x.GetPid()));
    E2E_STEP(QuitFromMenu());

    const std::string log = x.ReadLog();
    const size_t fps = log.rfind("Average FPS: ");
    say("rounds: " + std::to_string(rounds) + ", levels played: " + std::to_string(played));
    say("resident at the end: " + std::to_string(samples.back()) + " KiB");
    if (samples.size() > 2)
        say("growth after the first minute: " + std::to_string(samples.back() - samples[1]) +
            " KiB");
    if (fps != std::string::npos)
    {
        const std::string line = log.substr(fps, log.find('\n', fps) - fps);
        const double average = std::atof(line.substr(13).c_str());
        say(line + (average > 0
                        ? " (average frame time " + std::to_string(1000.0 / average) + " ms)"
                        : ""));
    }
    EXPECT_GT(played, 0);
}

} // namespace
