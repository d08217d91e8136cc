#include "game/CommandLine.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace
{
namespace fs = std::filesystem;
using Args = std::vector<std::string>;

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
} // namespace

TEST(CommandLine, KnownOptionsAndTheInitDelayNumber)
{
    EXPECT_EQ(ParseCommandLine(Args{"zeltra"}).action, eCommandLineAction::Run);
    EXPECT_EQ(ParseCommandLine(Args{}).action, eCommandLineAction::Run);
    EXPECT_EQ(ParseCommandLine(Args{"zeltra", "--initdelay"}).action, eCommandLineAction::Run);
    // The number after --initdelay is its value, even a negative or odd one.
    for (const char* value : {"250", "-5", "fast"})
        EXPECT_EQ(ParseCommandLine(Args{"zeltra", "--initdelay", value}).action,
                  eCommandLineAction::Run)
            << value;
    EXPECT_EQ(ParseCommandLine(Args{"zeltra", "--initdelay", "--version"}).action,
              eCommandLineAction::ShowVersion);
    EXPECT_EQ(ParseCommandLine(Args{"zeltra", "-V"}).action, eCommandLineAction::ShowVersion);
    EXPECT_EQ(ParseCommandLine(Args{"zeltra", "-h"}).action, eCommandLineAction::ShowHelp);
    // Asking for help is answered whatever else is on the line.
    EXPECT_EQ(ParseCommandLine(Args{"zeltra", "--bogus", "--version", "--help"}).action,
              eCommandLineAction::ShowHelp);
}

TEST(CommandLine, AnythingElseIsOneLineNamingTheFirstBadArgument)
{
    const cCommandLine unknown = ParseCommandLine(Args{"/usr/games/zeltra", "--full", "-x"});
    EXPECT_EQ(unknown.action, eCommandLineAction::Fail);
    EXPECT_EQ(unknown.error, "zeltra: unknown option '--full' (try 'zeltra --help')");

    const cCommandLine stray = ParseCommandLine(Args{"zeltra", "--initdelay", "10", "level.lvl"});
    EXPECT_EQ(stray.action, eCommandLineAction::Fail);
    EXPECT_TRUE(Has(stray.error, "unexpected argument 'level.lvl'")) << stray.error;
    // Glued values are not the option the game knows.
    EXPECT_EQ(ParseCommandLine(Args{"zeltra", "--initdelay=200"}).action, eCommandLineAction::Fail);
    EXPECT_EQ(unknown.error.find('\n'), std::string::npos);
}

TEST(CommandLine, UsageNamesEveryOption)
{
    const std::string usage = GetUsageText("zeltra");
    for (const char* option : {"--initdelay", "--help", "-h", "--version", "-V"})
        EXPECT_TRUE(Has(usage, option)) << option;
    EXPECT_EQ(usage.rfind("Usage: zeltra ", 0), 0u);
    EXPECT_EQ(usage.back(), '\n');
    EXPECT_EQ(GetProgramName(Args{"./build/bin/zeltra"}), "zeltra");
    EXPECT_EQ(GetProgramName(Args{""}), "zeltra");
}

namespace
{
struct cRunResult
{
    bool exited = false; // false: killed by a signal or timed out
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the real game without a display, with its own per-user folder.
class CommandLineProcess : public testing::Test
{
protected:
    void SetUp() override
    {
        m_executable = fs::path(ZELTRA_TEST_PROGRAM_DIR) / "zeltra";
        ASSERT_TRUE(fs::exists(m_executable)) << m_executable;
        fs::create_directories(m_folder.Path() / "home");
    }

    cRunResult Run(Args arguments)
    {
        arguments.insert(arguments.begin(), m_executable.string());
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        std::vector<std::string> environment;
        for (char** variable = environ; *variable; ++variable)
        {
            const std::string entry = *variable;
            bool kept = true;
            for (const char* name :
                 {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER=", "XDG_DATA_HOME="})
                kept = kept && entry.rfind(name, 0) != 0;
            if (kept)
                environment.push_back(entry);
        }
        environment.push_back("XDG_DATA_HOME=" + (m_folder.Path() / "home").string());
        environment.push_back("SDL_AUDIODRIVER=dummy");
        std::vector<char*> envp;
        for (auto& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        const std::string out = m_folder.File("out.txt");
        const std::string err = m_folder.File("err.txt");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        pid_t pid = 0;
        const int spawned =
            ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        cRunResult result;
        EXPECT_EQ(spawned, 0);
        if (spawned != 0)
            return result;

        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (::waitpid(pid, &status, WNOHANG) != pid)
        {
            if (std::chrono::steady_clock::now() > deadline)
            {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                ADD_FAILURE() << "the game did not end by itself";
                return result;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        result.exited = WIFEXITED(status);
        result.status = result.exited ? WEXITSTATUS(status) : -1;
        result.out = m_folder.ReadText("out.txt");
        result.err = m_folder.ReadText("err.txt");
        return result;
    }

    bool UserFolderExists() const
    {
        return fs::exists(m_folder.Path() / "home" / "Quillbee Studios");
    }

    cTempFolder m_folder{"commandline"};
    fs::path m_executable;
};
} // namespace

TEST_F(CommandLineProcess, VersionAndHelpAnswerWithoutADisplayOrUserFolder)
{
    const cRunResult version = Run({"--version"});
    EXPECT_TRUE(version.exited);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Zeltra v1.21\n");
    EXPECT_EQ(version.err, "");

    const cRunResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Has(help.out, "--initdelay")) << help.out;
    EXPECT_EQ(help.err, "");
    EXPECT_FALSE(UserFolderExists());
}

TEST_F(CommandLineProcess, UnknownOptionIsOneLineOnStandardErrorAndStatusOne)
{
    const cRunResult run = Run({"--fullscreen"});
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "zeltra: unknown option '--fullscreen' (try 'zeltra --help')\n");
    EXPECT_FALSE(UserFolderExists());
}

TEST_F(CommandLineProcess, NoDisplayEndsWithAMessageNotACrash)
{
    const cRunResult run = Run({});
    ASSERT_TRUE(run.exited) << "ended by a signal";
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(Has(run.err, "No display found")) << run.err;
    const std::string log = m_folder.ReadText("home/Quillbee Studios/Zeltra/Zeltra.log");
    EXPECT_TRUE(Has(log, "No display found")) << log;
}
