#include "engine/Core/Log.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace Korva
{
namespace
{

namespace fs = std::filesystem;

class LogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("korva-log-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        fileSystem = std::make_unique<cFileSystemPOSIX>(folder.string());
        cLog::Destroy(); // start from an empty history
    }
    void TearDown() override
    {
        cLog::Destroy();
        fileSystem.reset();
        fs::remove_all(folder);
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(folder / name);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    fs::path folder;
    std::unique_ptr<cFileSystem> fileSystem;
};

// "--- Creating log ---", the ctime-style time line, then `rest`.
void ExpectLogFile(const std::string& content, const std::string& rest)
{
    static const std::regex header("--- Creating log ---\nTime: [A-Z][a-z]{2} [A-Z][a-z]{2} "
                                   "[ 1-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\\.\n");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(content, match, header, std::regex_constants::match_continuous))
        << content;
    EXPECT_EQ(match.suffix().str(), rest);
}

TEST_F(LogTest, FilesAttachedLateReceiveTheWholeHistoryAfterTheirHeader)
{
    cLog& log = cLog::Get();
    log.WriteDefault("first\n");
    log.Write(4, "too detailed\n"); // above the maximum level: neither kept nor written
    log.Write(3, "second\n");
    std::ofstream(folder / "one.log") << "an old log, longer than the new one will be\n";
    log.AddLogFile(*fileSystem, "/one.log");
    log.WriteDefault("third\n");
    log.AddLogFile(*fileSystem, "/two.log");
    log.WriteDefault("fourth\n");
    log.RemoveLogFile(*fileSystem, "/one.log");
    log.WriteDefault("fifth\n");

    EXPECT_EQ(log.GetHistory(),
              (std::vector<std::string>{"first\n", "second\n", "third\n", "fourth\n", "fifth\n"}));
    // Every write reaches the file at once, before the log is closed.
    ExpectLogFile(Read("one.log"), "first\nsecond\nthird\nfourth\n");
    ExpectLogFile(Read("two.log"), "first\nsecond\nthird\nfourth\nfifth\n");
}

TEST_F(LogTest, AFileSystemThatGoesAwayTakesItsLogFilesWithIt)
{
    cLog& log = cLog::Get();
    log.AddLogFile(*fileSystem, "/gone.log");
    log.WriteDefault("kept\n");
    fileSystem.reset(); // without RemoveLogFile, as a shut-down that skipped it would
    log.WriteDefault("after\n");
    cLog::Destroy(); // closing the log must not touch the destroyed file system

    std::ifstream in(folder / "gone.log");
    std::stringstream content;
    content << in.rdbuf();
    ExpectLogFile(content.str(), "kept\n");
}

} // namespace
} // namespace Korva
