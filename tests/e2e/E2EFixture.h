#pragma once

#include "GameDriver.h"
#include "XDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

// One game run after another in a fresh folder: the per-user folder lives in
// it, and on failure the last picture of the window, the game's output and
// its log stay there for the report.
class cE2ETest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display (run under xvfb-run)";
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::temp_directory_path() /
                   ("zeltra_e2e_" + std::to_string(::getpid()) + "_" + info->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder / "home");
        std::string error;
        ASSERT_TRUE(x.Connect(error)) << error;
    }

    void TearDown() override
    {
        if (HasFailure())
        {
            if (x.IsRunning())
                x.SaveGrab((m_folder / "failure.png").string());
            std::cerr << "End-to-end artefacts (window picture, output, log) kept in " << m_folder
                      << "\n";
        }
        x.Stop();
        if (!HasFailure())
            std::filesystem::remove_all(m_folder);
    }

    // Starts the executable with the test's per-user folder; "" or the reason.
    std::string StartGame(const std::string& executable = DefaultExecutable(),
                          const std::vector<std::string>& arguments = {})
    {
        std::string error;
        if (!x.Start(executable, Home(), (m_folder / "output.txt").string(), error, {}, arguments))
            return "starting the game: " + error;
        return "";
    }

    // Asks the game to quit from its menu and waits for a clean exit.
    std::string QuitFromMenu()
    {
        game.PressMenuButton(cGameDriver::kMenuQuit);
        int status = -1;
        if (!x.WaitForExit(60.0, status))
            return "the game did not end after Quit";
        if (status != 0)
            return "the game ended with status " + std::to_string(status);
        return "";
    }

    static std::string DefaultExecutable()
    {
        return std::string(ZELTRA_TEST_PROGRAM_DIR) + "/zeltra";
    }
    static std::string ProgramFolder() { return ZELTRA_TEST_PROGRAM_DIR; }
    static std::string LevelFolder()
    {
        return std::string(ZELTRA_TEST_SOURCE_DIR) + "/data/levels";
    }
    std::string Home() const { return (m_folder / "home").string(); }
    const std::filesystem::path& Folder() const { return m_folder; }
    std::string UserFile(const std::string& name) const { return x.UserFolder() + "/" + name; }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path m_folder;
    cXDriver x;
    cGameDriver game{x, ProgramFolder()};
};

// Stops the test at a failed step with the step's own message.
#define E2E_STEP(expression)                                                                       \
    do                                                                                             \
    {                                                                                              \
        const std::string e2eError = (expression);                                                 \
        ASSERT_TRUE(e2eError.empty()) << #expression << ": " << e2eError;                          \
    } while (false)
using EndToEnd = cE2ETest;
