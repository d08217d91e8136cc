#include "engine/Core/Core.h"
#include "engine/Core/Log.h"
#include "engine/Core/SDL/Spawn.h"
#include "engine/Core/SDL/SystemInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace Korva
{
namespace
{

namespace fs = std::filesystem;

class TempFolder
{
public:
    TempFolder()
        : path(fs::temp_directory_path() /
               ("korva-core-" + std::to_string(getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
    const fs::path path;
};

// Polls for up to five seconds; a spawned child runs on its own schedule.
template <class Condition> bool Eventually(Condition condition)
{
    for (int i = 0; i < 500; ++i)
    {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

TEST(SystemInfoTest, ProgramFolderIsBesideTheExecutableUnlessInstalled)
{
    TempFolder temp;
    const fs::path bin = temp.path / "bin";
    fs::create_directories(bin);
    EXPECT_EQ(FindProgramFolder(bin), bin); // neither layout: the executable's folder

    fs::create_directories(temp.path / "share/zeltra/Resources");
    EXPECT_EQ(FindProgramFolder(bin), temp.path / "share/zeltra");

    // Data beside the executable (a build folder) wins over an installed copy.
    fs::create_directories(bin / "Resources");
    EXPECT_EQ(FindProgramFolder(bin), bin);
}

TEST(SystemInfoTest, ProgramFolderOfDebiansGamesLayout)
{
    // /usr/games/zeltra finds /usr/share/games/zeltra.
    TempFolder temp;
    const fs::path games = temp.path / "games";
    fs::create_directories(games);
    fs::create_directories(temp.path / "share/games/zeltra/Resources");
    EXPECT_EQ(FindProgramFolder(games), temp.path / "share/games/zeltra");
}

TEST(SystemInfoTest, CoreWritesTheSystemReportWhenCreated)
{
    cCore::Destroy();
    cCore& core = cCore::Get();
    const auto history = cLog::Get().GetHistory();
    const auto logged = [&](const std::string& line)
    { return std::find(history.begin(), history.end(), line) != history.end(); };

    EXPECT_EQ(core.GetOSDescription().rfind("Linux ", 0), 0u) << core.GetOSDescription();
    EXPECT_TRUE(logged("Operating system: " + core.GetOSDescription() + "\n"));
    // This test's executable has no data beside it, so its own folder.
    EXPECT_EQ(fs::path(core.GetWorkingDirectory()), fs::canonical("/proc/self/exe").parent_path());
    EXPECT_TRUE(logged("Working directory: " + core.GetWorkingDirectory() + "\n"));
    // 0x0 without a display; a real size under X.
    EXPECT_EQ(core.GetDesktopWidth() == 0, core.GetDesktopHeight() == 0);
    EXPECT_TRUE(logged("Desktop resolution: " + std::to_string(core.GetDesktopWidth()) + "x" +
                       std::to_string(core.GetDesktopHeight()) + "\n"));
    cCore::Destroy();
}

TEST(SpawnTest, ArgumentsReachTheProgramUntouchedAndTheChildIsReaped)
{
    TempFolder temp;
    // A shell would split, expand and run parts of this name.
    const fs::path target = temp.path / "a b;touch x $(echo y)";
    const pid_t child = SpawnDetached({"touch", target.string()});
    ASSERT_GT(child, 0);
    EXPECT_TRUE(Eventually([&] { return fs::exists(target); }));
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
    // A zombie would still answer kill(pid, 0).
    EXPECT_TRUE(Eventually([&] { return kill(child, 0) != 0 && errno == ESRCH; }));
}

TEST(SpawnTest, MissingProgramIsAFailure)
{
    EXPECT_EQ(SpawnDetached({"korva-no-such-program"}), -1);
    EXPECT_EQ(SpawnDetached({}), -1);
}

} // namespace
} // namespace Korva
