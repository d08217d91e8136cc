#include "game/Options.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{
cOptions ReadFrom(cTempFolder& folder, const std::string& text)
{
    cOptions options;
    options.Read(folder.FileSystem(), folder.Write("Zeltra.cfg", text));
    return options;
}
} // namespace

TEST(Options, ReadingRulesClampAndCompareExactly)
{
    cTempFolder folder("options");
    const cOptions options = ReadFrom(folder, "Options=\n{\n"
                                              "\tMusicEnabled=\"False\"\n"
                                              "\tMusicVolume=\"12\"\n"
                                              "\tSoundVolume=\"-3\"\n"
                                              "\tFullscreen=\"true\"\n"
                                              "\tBitDepth=\"24\"\n"
                                              "\tShowHints=\"1\"\n"
                                              "}\n");
    EXPECT_FALSE(options.IsMusicEnabled());
    EXPECT_TRUE(options.IsSoundEnabled()) << "a missing key keeps its value";
    EXPECT_EQ(options.GetMusicVolume(), 8);
    EXPECT_EQ(options.GetSoundVolume(), 0);
    EXPECT_FALSE(options.IsFullScreen()) << "only \"True\" is true";
    EXPECT_EQ(options.GetBitDepth(), 32);
    EXPECT_FALSE(options.IsShowHints());

    const cOptions other = ReadFrom(folder, "Options=\n{\n"
                                            "\tMusicVolume=\" 5abc\"\n"
                                            "\tSoundVolume=\"abc\"\n"
                                            "\tFullscreen=\"True\"\n"
                                            "\tBitDepth=\"16\"\n"
                                            "}\n");
    EXPECT_EQ(other.GetMusicVolume(), 5);
    EXPECT_EQ(other.GetSoundVolume(), 0);
    EXPECT_TRUE(other.IsFullScreen());
    EXPECT_EQ(other.GetBitDepth(), 16);

    EXPECT_EQ(ReadFrom(folder, "Options=\n{\n\tBitDepth=\"16 \"\n}\n").GetBitDepth(), 32);
}

TEST(Options, MissingFileMeansFullScreenButMissingNodeKeepsEverything)
{
    cTempFolder folder("options");
    cOptions firstStart;
    firstStart.Read(folder.FileSystem(), folder.File("Zeltra.cfg"));
    EXPECT_TRUE(firstStart.IsFullScreen());
    EXPECT_EQ(firstStart.GetBitDepth(), 16);
    EXPECT_EQ(firstStart.GetMusicVolume(), 8);
    EXPECT_TRUE(firstStart.IsShowHints());

    const cOptions noNode = ReadFrom(folder, "Settings=\n{\n\tFullscreen=\"True\"\n}\n");
    EXPECT_FALSE(noNode.IsFullScreen());
    EXPECT_TRUE(noNode.IsMusicEnabled());

    // Bytes that are no data tree at all still leave usable settings.
    const cOptions garbage = ReadFrom(folder, std::string("\0\xff{{}}\"=\n", 9));
    EXPECT_FALSE(garbage.IsFullScreen());
    EXPECT_EQ(garbage.GetSoundVolume(), 8);
}

TEST(Options, WrittenFileHasTheKeysInOrderAndReadsBack)
{
    cTempFolder folder("options");
    cOptions options;
    options.SetSoundEnabled(false);
    options.SetMusicVolume(3);
    options.SetFullScreen(true);
    options.SetBitDepth(32);
    options.Write(folder.FileSystem(), folder.File("Zeltra.cfg"));
    EXPECT_EQ(folder.ReadText("Zeltra.cfg"), "Options=\n{\n"
                                             "\tMusicEnabled=\"True\"\n"
                                             "\tSoundEnabled=\"False\"\n"
                                             "\tMusicVolume=\"3\"\n"
                                             "\tSoundVolume=\"8\"\n"
                                             "\tFullscreen=\"True\"\n"
                                             "\tBitDepth=\"32\"\n"
                                             "\tShowHints=\"True\"\n"
                                             "\tColourSymbols=\"False\"\n"
                                             "}\n");
    cOptions back;
    back.Read(folder.FileSystem(), folder.File("Zeltra.cfg"));
    EXPECT_FALSE(back.IsSoundEnabled());
    EXPECT_EQ(back.GetMusicVolume(), 3);
    EXPECT_TRUE(back.IsFullScreen());
    EXPECT_EQ(back.GetBitDepth(), 32);

    // A folder that does not exist: the failure is raised, not swallowed.
    EXPECT_THROW(options.Write(folder.FileSystem(), folder.File("missing/Zeltra.cfg")),
                 Korva::cException);
}

TEST(Options, ColourSymbolsAreOffUntilTheFileTurnsThemOn)
{
    cTempFolder folder("options");
    // A file of an older version lacks the key: the aid stays off.
    EXPECT_FALSE(ReadFrom(folder, "Options=\n{\n\tShowHints=\"True\"\n}\n").IsColourSymbols());
    EXPECT_TRUE(ReadFrom(folder, "Options=\n{\n\tColourSymbols=\"True\"\n}\n").IsColourSymbols());

    cOptions on;
    on.SetColourSymbols(true);
    on.Write(folder.FileSystem(), folder.File("Zeltra.cfg"));
    cOptions back;
    back.Read(folder.FileSystem(), folder.File("Zeltra.cfg"));
    EXPECT_TRUE(back.IsColourSymbols());
    EXPECT_TRUE(back.IsShowHints());
}

TEST(Options, WindowSizeFollowsTheSevenKeysAndBrokenValuesAreForgotten)
{
    cTempFolder folder("options");
    cOptions options;
    options.SetWindowSize(1203, 777);
    options.Write(folder.FileSystem(), folder.File("Zeltra.cfg"));
    const std::string text = folder.ReadText("Zeltra.cfg");
    EXPECT_NE(text.find("\tShowHints=\"True\"\n\tWindowWidth=\"1203\"\n\tWindowHeight=\"777\"\n"),
              std::string::npos)
        << text;
    cOptions back;
    back.Read(folder.FileSystem(), folder.File("Zeltra.cfg"));
    EXPECT_EQ(back.GetWindowWidth(), 1203);
    EXPECT_EQ(back.GetWindowHeight(), 777);

    // Each of these leaves no size, so the window starts at its default.
    for (const char* keys :
         {"\tWindowWidth=\"1600\"\n", "\tWindowWidth=\"1600\"\n\tWindowHeight=\"abc\"\n",
          "\tWindowWidth=\"1600px\"\n\tWindowHeight=\"1200\"\n",
          "\tWindowWidth=\"-1600\"\n\tWindowHeight=\"1200\"\n",
          "\tWindowWidth=\"0\"\n\tWindowHeight=\"1200\"\n",
          "\tWindowWidth=\" 1600\"\n\tWindowHeight=\"1200\"\n",
          "\tWindowWidth=\"99999999999\"\n\tWindowHeight=\"1200\"\n",
          "\tWindowWidth=\"20000\"\n\tWindowHeight=\"1200\"\n"})
    {
        cOptions seeded;
        seeded.SetWindowSize(1000, 700);
        seeded.Read(folder.FileSystem(),
                    folder.Write("Zeltra.cfg", std::string("Options=\n{\n") +
                                                   "\tMusicVolume=\"3\"\n" + keys + "}\n"));
        EXPECT_EQ(seeded.GetWindowWidth(), 0) << keys;
        EXPECT_EQ(seeded.GetWindowHeight(), 0) << keys;
        EXPECT_EQ(seeded.GetMusicVolume(), 3) << "the other keys still count";
    }

    // Without a size (an older file, or none remembered) nothing is written.
    cOptions none;
    none.SetWindowSize(800, 0);
    none.Write(folder.FileSystem(), folder.File("Zeltra.cfg"));
    EXPECT_EQ(folder.ReadText("Zeltra.cfg").find("Window"), std::string::npos);
}
