#include "game/Options.h"
#include "game/Progress.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

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
        const pid_t pid = Start(std::move(extraArguments));
        return pid < 0
                   ? -1
                   : SignalWhenReady(pid, signal,
                                     [this] { return Has(Log(), "--- Entering main loop ---"); });
    }

    // Starts the game with its standard error going to `stderrFile` and, when
    // `fileSizeLimit` is above 0, with that limit on the size of every file it
    // writes (the limit is inherited, as from a shell's ulimit -f).
    pid_t Start(std::vector<std::string> extraArguments, const std::string& stderrFile = "",
                rlim_t fileSizeLimit = 0)
    {
        const std::string program = (m_program / "zeltra").string();
        std::vector<std::string> arguments = {program};
        arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        std::vector<std::string> environment;
        for (char** e = environ; *e; ++e)
            if (std::string(*e).rfind("XDG_DATA_HOME=", 0) != 0)
                environment.emplace_back(*e);
        environment.push_back("XDG_DATA_HOME=" + m_home.string());
        std::vector<char*> envp;
        for (auto& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        const pid_t pid = ::fork();
        EXPECT_GE(pid, 0);
        if (pid == 0)
        {
            // Only calls that are safe between fork and exec.
            if (!stderrFile.empty())
            {
                const int fd = ::open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd >= 0)
                    ::dup2(fd, 2);
            }
            if (fileSizeLimit > 0)
            {
                rlimit limit{};
                ::getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = fileSizeLimit;
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            ::execve(program.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
        return pid;
    }

    // Waits until `ready` (or the end of the game), sends `signal` and returns
    // the exit status.
    int SignalWhenReady(pid_t pid, int signal, const std::function<bool()>& ready)
    {
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
            if (ready())
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
        EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    cTempFolder m_folder{"process"};
    fs::path m_program;
    fs::path m_home;
};

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
    // The render system reports what the desktop offers before the device
    // is made from it; the test server has one mode, its own.
    EXPECT_TRUE(Has(log, "--- Creating render system (OpenGL) ---\nDesktop format: X8R8G8B8\n"
                         "Supported resolutions:\n 1280x1024x32@"))
        << log;
    EXPECT_LT(log.find("--- Creating display ---"), log.find("--- Creating render system"));
    EXPECT_LT(log.find("--- Creating render system"), log.find("--- Creating render device"));
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

TEST_F(ProcessRun, ALogThatCannotBeWrittenIsDroppedAndTheFilesAreStillSaved)
{
    // Every file of the game may hold 3000 bytes: the log outgrows that while
    // the game starts; the options and the progress fit.
    const std::string errors = m_folder.File("stderr.txt");
    const pid_t pid = Start({}, errors, 3000);
    ASSERT_GT(pid, 0);
    const int status = SignalWhenReady(
        pid, SIGTERM, [&] { return Has(m_folder.ReadText("stderr.txt"), "can't be written"); });
    EXPECT_EQ(status, 0);

    const std::string said = m_folder.ReadText("stderr.txt");
    const std::string dropped = "Log file '" + UserFile("Zeltra.log") + "' can't be written";
    EXPECT_TRUE(Has(said, dropped)) << said;
    EXPECT_EQ(said.find(dropped), said.rfind(dropped)) << "said once";
    EXPECT_LE(fs::file_size(UserFile("Zeltra.log")), 3000u);
    EXPECT_EQ(Log().rfind("--- Creating log ---\n", 0), 0u);

    const std::string options = m_folder.ReadText("home/Quillbee Studios/Zeltra/Zeltra.cfg");
    EXPECT_TRUE(Has(options, "\tFullscreen=\"True\"\n")) << options;
    cProgress progress;
    EXPECT_TRUE(progress.Load(m_folder.FileSystem(), UserFile("CompletedLevels.dat")));
}
