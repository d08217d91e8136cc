// "visit homepage" and the logo: the address read from the program folder's
// link file, and what the opener (xdg-open) is handed for it.
#include "game/Homepage.h"
#include "TempFolder.h"
#include "engine/Core/Core.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

using namespace Korva;

namespace
{

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(HomepageTest, RelativeAddressesNameFilesBesideTheLinkFile)
{
    EXPECT_EQ(Homepage::Resolve("Manual/index.html", "/usr/share/games/zeltra"),
              "file:///usr/share/games/zeltra/Manual/index.html");
    // Characters a path may hold but an address may not are encoded.
    EXPECT_EQ(Homepage::Resolve("Manual/index.html", "/home/a b/50%/#1/"),
              "file:///home/a%20b/50%25/%231/Manual/index.html");
    EXPECT_EQ(Homepage::Resolve("/opt/zeltra/help.html", "/usr"), "file:///opt/zeltra/help.html");
    // Addresses with a scheme are used as they stand.
    EXPECT_EQ(Homepage::Resolve("https://quillbee.example/games", "/x"),
              "https://quillbee.example/games");
    EXPECT_EQ(Homepage::Resolve("file:///tmp/a.html", "/x"), "file:///tmp/a.html");
    // "2:00.html" is a file: a scheme starts with a letter.
    EXPECT_EQ(Homepage::Resolve("2:00.html", "/x"), "file:///x/2%3A00.html");
}

TEST(HomepageTest, LinkFileLinesAndTheBuiltInAddress)
{
    cTempFolder temp("homepage");
    cFileSystemPOSIX folder(temp.Path().string());
    EXPECT_EQ(Homepage::ReadAddress(folder), Homepage::kBuiltInAddress); // no link file

    temp.Write("Quillbee.url", "[InternetShortcut]\r\nURL=https://quillbee.example/x\r\n");
    EXPECT_EQ(Homepage::ReadAddress(folder), "https://quillbee.example/x");
    temp.Write("Quillbee.url", "[InternetShortcut]\nIconIndex=0\n");
    EXPECT_EQ(Homepage::ReadAddress(folder), Homepage::kBuiltInAddress);
    temp.Write("Quillbee.url", "URL=Manual/index.html\n");
    EXPECT_EQ(Homepage::ReadAddress(folder),
              "file://" + temp.Path().string() + "/Manual/index.html");
}

// The build's program folder holds the manual, and its link file leads the
// opener to it.
TEST(HomepageTest, TheOpenerIsHandedTheBuiltManual)
{
    const std::filesystem::path program = ZELTRA_TEST_PROGRAM_DIR;
    if (!std::filesystem::exists(program / "Quillbee.url"))
        GTEST_SKIP() << "the manual has not been built";
    ASSERT_TRUE(std::filesystem::exists(program / "Manual/index.html"));
    cFileSystemPOSIX folder(program.string());
    const std::string address = Homepage::ReadAddress(folder);
    EXPECT_EQ(address, "file://" + program.string() + "/Manual/index.html");

    // A stand-in xdg-open first on the search path writes down its arguments.
    cTempFolder temp("opener");
    const std::filesystem::path record = temp.Path() / "opened.txt";
    const std::string opener = temp.Write(
        "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record.string() + ".tmp'\nmv '" +
                        record.string() + ".tmp' '" + record.string() + "'\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath ? oldPath : "";
    setenv("PATH", (temp.Path().string() + ":" + savedPath).c_str(), 1);
    cCore::Get().OpenURL(address);
    setenv("PATH", savedPath.c_str(), 1);
    for (int i = 0; i < 500 && !std::filesystem::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadAll(record), address + "\n");
}

} // namespace
