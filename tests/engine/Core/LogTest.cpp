#include "engine/Core/Log.h"
#include "engine/Core/Exception.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/resource.h>
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

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Until it goes out of scope, files of this process stop growing past `bytes`
// and a write beyond that fails (as on a full disk) instead of raising SIGXFSZ.
class cFileSizeLimit
{
public:
    explicit cFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~cFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(LogTest, AFileThatCannotBeWrittenIsDroppedOnceAndTheLogGoesOn)
{
    cLog& log = cLog::Get();
    log.WriteDefault("before\n");
    cFileSystemPOSIX devices("");
    testing::internal::CaptureStderr();
    // A full disk from the start: the header cannot be written.
    EXPECT_NO_THROW(log.AddLogFile(devices, "/dev/full"));
    {
        // A file that fills up later: past 2000 bytes nothing more fits.
        cFileSizeLimit limit(2000);
        EXPECT_NO_THROW(log.AddLogFile(*fileSystem, "/limited.log"));
        for (int i = 0; i < 100; ++i)
            EXPECT_NO_THROW(log.WriteDefault("line " + std::to_string(i) + " of the log\n"));
    }
    // A file attached now still gets everything, the failures' own lines too.
    log.AddLogFile(*fileSystem, "/kept.log");
    log.WriteDefault("after\n");
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(Count(errors, "Log file '/dev/full' can't be written"), 1u) << errors;
    EXPECT_EQ(Count(errors, "limited.log' can't be written"), 1u) << errors;
    const std::vector<std::string> history = log.GetHistory();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.back(), "after\n");
    const std::string kept = Read("kept.log");
    ExpectLogFile(kept, kept.substr(kept.find("before\n")));
    for (const char* part :
         {"line 99 of the log\n", "after\n", "Error when writing to file",
          "Log file '/dev/full' can't be written", "/limited.log' can't be written"})
        EXPECT_NE(kept.find(part), std::string::npos) << part;
    EXPECT_LE(fs::file_size(folder / "limited.log"), 2000u);
    EXPECT_EQ(Read("limited.log").rfind("--- Creating log ---\n", 0), 0u);
    EXPECT_EQ(fileSystem->GetOpenStreamCount(), 1u) << "the dropped file is closed";
    EXPECT_EQ(devices.GetOpenStreamCount(), 0u);
}

TEST_F(LogTest, AFileThatCannotBeCreatedRaisesAndLeavesNothingOpen)
{
    EXPECT_THROW(cLog::Get().AddLogFile(*fileSystem, "/no/such/folder/x.log"),
                 cExceptionCreatingFile);
    EXPECT_EQ(fileSystem->GetOpenStreamCount(), 0u);
}

} // namespace
} // namespace Korva
