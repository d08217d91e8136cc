#include "engine/Core/RunProcess.h"
#include "engine/Core/Application.h"
#include "engine/Core/Core.h"
#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace Korva
{
namespace
{

struct cShownMessage
{
    std::string title;
    std::string text;
};

class cTestApplication : public cApplication
{
public:
    std::function<int(int, char**)> main;
    std::vector<int> heard;

    int Main(int argc, char** argv) override { return main(argc, argv); }
    std::string GetName() const override { return "TestApp"; }
    void OnEvent(const cEvent& event) override { heard.push_back(event.GetType()); }
};

class RunProcessTest : public testing::Test
{
protected:
    void SetUp() override
    {
        cCore::Destroy();
        cCore::SetMessageSink(
            [this](const std::string& title, const std::string& text) {
                shown.push_back({title, text});
            });
    }
    void TearDown() override
    {
        cCore::Destroy();
        cCore::SetMessageSink(nullptr);
    }
    int Run() { return RunProcess(static_cast<int>(argv.size()), const_cast<char**>(argv.data())); }

    std::vector<const char*> argv{"/opt/zeltra/zeltra", "--initdelay", "5"};
    std::vector<cShownMessage> shown;
};

TEST_F(RunProcessTest, WithoutApplicationShowsErrorAndFails)
{
    EXPECT_NE(Run(), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "KorvaLib - Error");
    EXPECT_EQ(shown[0].text, "No instance of cApplication found.");
    EXPECT_FALSE(cCore::Exists());
}

TEST_F(RunProcessTest, RunsMainWithTheCommandLineAndReturnsItsResult)
{
    cTestApplication application;
    std::vector<std::string> argumentsInMain;
    bool commandLineLogged = false;
    application.main = [&](int argc, char** argv)
    {
        EXPECT_EQ(argc, 3);
        EXPECT_STREQ(argv[1], "--initdelay");
        argumentsInMain = cCore::Get().GetArguments();
        const auto history = cLog::Get().GetHistory();
        commandLineLogged = std::count(history.begin(), history.end(),
                                       "Command line: /opt/zeltra/zeltra --initdelay 5\n") == 1;
        cCore::Get().Update();
        return 7;
    };
    EXPECT_EQ(Run(), 7);
    EXPECT_EQ(argumentsInMain, (std::vector<std::string>{argv.begin(), argv.end()}));
    EXPECT_TRUE(commandLineLogged);
    // The application listens to the core: the tick of its update, then the
    // shutdown as the core ends.
    EXPECT_EQ(application.heard, (std::vector<int>{kEventTick, kEventShutdown}));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(cCore::Exists());
}

TEST_F(RunProcessTest, EngineExceptionFromMainIsShownWithItsFullTextAndFails)
{
    cTestApplication application;
    int line = 0;
    std::string logged;
    application.main = [&](int, char**) -> int
    {
        try
        {
            line = __LINE__ + 1;
            KORVA_THROW(cExceptionOpeningFile, "/Levels/a.lvl");
        }
        catch (const cException&)
        {
            // Logged the moment it was made, before anyone handled it.
            logged = cLog::Get().GetHistory().back();
            throw;
        }
    };
    EXPECT_EQ(Run(), -1);
    const std::string text = "Exception at line " + std::to_string(line) +
                             " in 'RunProcessTest.cpp'.\nError opening file: '/Levels/a.lvl'.";
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "TestApp - Error");
    EXPECT_EQ(shown[0].text, text);
    EXPECT_EQ(logged, text + "\n");
    EXPECT_FALSE(cCore::Exists());
}

TEST_F(RunProcessTest, OtherExceptionFromMainIsReportedInsteadOfAborting)
{
    cTestApplication application;
    application.main = [](int, char**) -> int { throw std::runtime_error("disk on fire"); };
    EXPECT_EQ(Run(), -1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "TestApp - Error");
    EXPECT_NE(shown[0].text.find("disk on fire"), std::string::npos);
    EXPECT_FALSE(cCore::Exists());
}

TEST_F(RunProcessTest, OnlyOneApplicationAtATime)
{
    {
        cTestApplication first;
        EXPECT_EQ(cApplication::Get(), &first);
        try
        {
            cTestApplication second;
            ADD_FAILURE() << "a second application was allowed";
        }
        catch (const cException& exception)
        {
            EXPECT_EQ(exception.GetMessage(), "Only one instance of cApplication is allowed.");
        }
        EXPECT_EQ(cApplication::Get(), &first);
    }
    EXPECT_EQ(cApplication::Get(), nullptr);
    cTestApplication again;
    EXPECT_EQ(cApplication::Get(), &again);
}

} // namespace
} // namespace Korva
