#include "game/Options.h"
#include "game/Progress.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
namespace fs = std::filesystem;

// Runs a copy of the real executable in a program folder of its own, with
// minimal resource lists, and a per-user folder in the test's temporary
// folder.
class ProcessRun : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "the game needs a display (run under xvfb-run)";
        const fs::path executable = fs::path(ZELTRA_TEST_PROGRAM_DIR) / "zeltra";
        ASSERT_TRUE(fs::exists(executable)) << executable;
        m_program = m_folder.Path() / "program";
        m_home = m_folder.Path() / "home";
        fs::create_directories(m_program / "Resources");
        fs::create_directories(m_home);
        fs::copy_file(executable, m_program / "zeltra");
        for (const char* list : {"Images", "Sprites", "Sounds", "Levels"})
            m_folder.Write(std::string("program/Resources/") + list + ".res",
                           "ResourceList=\n{\n}\n");
        m_folder.Write("program/Resources/Campaigns.res",
                       "ResourceList=\n{\n\tResource=\n\t{\n\t\tType=\"Campaign\"\n"
                       "\t\tFile=\"/Campaigns/Zeltra.cmp\"\n\t\tAlias=\"CmpZeltra\"\n\t}\n}\n");
        fs::create_directories(m_program / "Campaigns");
        m_folder.Write("program/Campaigns/Zeltra.cmp",
                       "Campaign=\n{\n\tIconSpriteAlias=\"S\"\n\tLevels=\n\t{\n\t}\n}\n");
    }

    std::string UserFile(const std::string& name) const
    {
        return (m_home / "Quillbee Studios" / "Zeltra" / name).string();
    }
    std::string Log() const { return m_folder.ReadText("home/Quillbee Studios/Zeltra/Zeltra.log"); }

    // Starts the game, waits for its main loop, sends `signal` and returns
    // the exit status.
    int RunUntilSignal(int signal, std::vector<std::string> extraArguments = {})
    {
        const std::string program = (m_program / "zeltra").string();
        std::vector<std::string> arguments = {program};
        arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        ::setenv("XDG_DATA_HOME", m_home.c_str(), 1);
        pid_t pid = 0;
        const int spawned =
            ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
        ::unsetenv("XDG_DATA_HOME");
        EXPECT_EQ(spawned, 0);
        if (spawned != 0)
            return -1;

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        int status = 0;
        bool exited = false;
        while (std::chrono::steady_clock::now() < deadline)
        {
            if (::waitpid(pid, &status, WNOHANG) == pid)
            {
                exited = true;
                break;
            }
            if (Log().find("--- Entering main loop ---") != std::string::npos)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (!exited)
        {
            ::kill(pid, signal);
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (std::chrono::steady_clock::now() < end &&
                   ::waitpid(pid, &status, WNOHANG) != pid)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (std::chrono::steady_clock::now() >= end)
            {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                ADD_FAILURE() << "the game did not end after the signal";
                return -1;
            }
        }
        EXPECT_TRUE(WIFEXITED(status)) << "ended by a signal";
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    cTempFolder m_folder{"process"};
    fs::path m_program;
    fs::path m_home;
};

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
} // namespace

TEST_F(ProcessRun, FirstStartWritesLogOptionsAndProgressAndQuitsOnSigterm)
{
    EXPECT_EQ(RunUntilSignal(SIGTERM, {"--initdelay", "50"}), 0);

    const std::string log = Log();
    EXPECT_TRUE(Has(log, "--- Starting game ---\nVersion: Zeltra v1.21\n")) << log;
    EXPECT_TRUE(Has(log, "Delaying for 50ms... Done\n"));
    EXPECT_TRUE(Has(log, "--- Starting intro ---\n"));
    EXPECT_TRUE(Has(log, "--- Entering main loop ---\n"));
    EXPECT_TRUE(Has(log, "--- Exiting main loop ---\n"));
    // The banners come in start-up order.
    EXPECT_LT(log.find("--- Starting game ---"), log.find("--- Creating display"));
    EXPECT_LT(log.find("--- Starting intro ---"), log.find("--- Entering main loop ---"));
    EXPECT_TRUE(fs::is_directory(m_home / "Quillbee Studios" / "Zeltra" / "UserLevels"));

    // No options file: the first start runs in full screen, and says so.
    const std::string options = m_folder.ReadText("home/Quillbee Studios/Zeltra/Zeltra.cfg");
    EXPECT_TRUE(Has(options, "\tFullscreen=\"True\"\n")) << options;
    EXPECT_TRUE(Has(options, "\tBitDepth=\"16\"\n"));

    cProgress progress;
    progress.Add("stale");
    EXPECT_TRUE(progress.Load(m_folder.FileSystem(), UserFile("CompletedLevels.dat")));
    EXPECT_EQ(progress.GetCompletedLevelCount(), 0);
}

TEST_F(ProcessRun, KeepsTheFilesItFindsAndQuitsOnCtrlC)
{
    fs::create_directories(m_home / "Quillbee Studios" / "Zeltra");
    cOptions options;
    options.SetMusicVolume(3);
    options.SetShowHints(false);
    options.SetBitDepth(32);
    options.Write(m_folder.FileSystem(), UserFile("Zeltra.cfg"));
    cProgress progress;
    progress.Add("LvlZeltra01");
    progress.Add("LvlZeltra02");
    progress.Save(m_folder.FileSystem(), UserFile("CompletedLevels.dat"));
    const std::string optionsBefore = m_folder.ReadText("home/Quillbee Studios/Zeltra/Zeltra.cfg");
    const std::string progressBefore =
        m_folder.ReadText("home/Quillbee Studios/Zeltra/CompletedLevels.dat");

    EXPECT_EQ(RunUntilSignal(SIGINT), 0);
    EXPECT_TRUE(Has(Log(), "--- Exiting main loop ---\n"));
    EXPECT_EQ(m_folder.ReadText("home/Quillbee Studios/Zeltra/Zeltra.cfg"), optionsBefore);
    EXPECT_EQ(m_folder.ReadText("home/Quillbee Studios/Zeltra/CompletedLevels.dat"),
              progressBefore);
}

TEST_F(ProcessRun, TheWindowStartsAtTheRememberedSizeAndForgetsOneThatDoesNotFit)
{
    // The test server (1280 x 1024) has room for 1000 x 700, not for 3000 x 700.
    fs::create_directories(m_home / "Quillbee Studios" / "Zeltra");
    cOptions options;
    options.SetFullScreen(false);
    options.SetWindowSize(1000, 700);
    options.Write(m_folder.FileSystem(), UserFile("Zeltra.cfg"));
    EXPECT_EQ(RunUntilSignal(SIGTERM), 0);
    EXPECT_TRUE(Has(Log(), "Window size: 1000x700\n")) << Log();
    cOptions kept;
    kept.Read(m_folder.FileSystem(), UserFile("Zeltra.cfg"));
    EXPECT_EQ(kept.GetWindowWidth(), 1000);
    EXPECT_EQ(kept.GetWindowHeight(), 700);

    options.SetWindowSize(3000, 700);
    options.Write(m_folder.FileSystem(), UserFile("Zeltra.cfg"));
    fs::remove(UserFile("Zeltra.log")); // the next run is watched through its own log
    EXPECT_EQ(RunUntilSignal(SIGTERM), 0);
    EXPECT_TRUE(Has(Log(), "Window size 3000x700 does not fit; using the default.\n"));
    cOptions forgotten;
    forgotten.Read(m_folder.FileSystem(), UserFile("Zeltra.cfg"));
    EXPECT_EQ(forgotten.GetWindowWidth(), 0) << "the default size is not written down";
}
