#include "game/Progress.h"
#include "game/Md5.h"

#include "TempFolder.h"
#include "engine/File/DataTree.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
// MD5 as the md5sum tool computes it, for an independent check.
std::string Md5Sum(cTempFolder& folder, const std::string& text)
{
    const std::string path = folder.Write("md5input", text);
    std::FILE* pipe = ::popen(("md5sum '" + path + "'").c_str(), "r");
    if (!pipe)
        return "popen failed";
    char digest[33] = {};
    const size_t n = std::fread(digest, 1, 32, pipe);
    ::pclose(pipe);
    return std::string(digest, n);
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Whether a progress file with this text loads any level.
bool Loads(cTempFolder& folder, const std::string& text)
{
    cProgress progress;
    const bool ok = progress.Load(folder.FileSystem(), folder.Write("Tampered.dat", text));
    EXPECT_EQ(ok, progress.GetCompletedLevelCount() > 0);
    return ok;
}
} // namespace

TEST(Progress, Md5MatchesTheReferenceVectors)
{
    EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Md5Hex("12345678901234567890123456789012345678901234567890123456789012345678901234"
                     "567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Progress, SavedFileValidatesAgainstAnIndependentDigest)
{
    cTempFolder folder("progress");
    cProgress progress;
    EXPECT_TRUE(progress.Add("LvlZeltra01"));
    EXPECT_TRUE(progress.Add(""));
    EXPECT_TRUE(progress.Add("LvlZeltra07"));
    EXPECT_FALSE(progress.Add("LvlZeltra01"));
    EXPECT_EQ(progress.GetCompletedLevelCount(), 3);
    EXPECT_FALSE(progress.IsLevelCompleted("lvlzeltra01"));
    progress.Save(folder.FileSystem(), folder.File("CompletedLevels.dat"));

    const std::string serialised = "NODE BEGIN \"CompletedLevels\" 0 3 "
                                   "NODE BEGIN \"Level\" 1 0 \"Alias\"=\"LvlZeltra01\" NODE END "
                                   "NODE BEGIN \"Level\" 1 0 \"Alias\"=\"\" NODE END "
                                   "NODE BEGIN \"Level\" 1 0 \"Alias\"=\"LvlZeltra07\" NODE END "
                                   "NODE END ";
    const std::string digest = Md5Sum(folder, serialised);
    ASSERT_EQ(digest.size(), 32u);
    const std::string expected =
        "WARNING=\"Do not tamper with this file! If you do, you will lose your progress!\"\n"
        "Validation=\"" +
        digest +
        "\"\n"
        "CompletedLevels=\n{\n"
        "\tLevel=\n\t{\n\t\tAlias=\"LvlZeltra01\"\n\t}\n"
        "\tLevel=\n\t{\n\t\tAlias=\"\"\n\t}\n"
        "\tLevel=\n\t{\n\t\tAlias=\"LvlZeltra07\"\n\t}\n"
        "}\n";
    EXPECT_EQ(folder.ReadText("CompletedLevels.dat"), expected);

    cProgress back;
    EXPECT_TRUE(back.Load(folder.FileSystem(), folder.File("CompletedLevels.dat")));
    EXPECT_EQ(back.GetCompletedLevels(), progress.GetCompletedLevels());

    // The empty list has its own fixed text.
    cProgress empty;
    empty.Save(folder.FileSystem(), folder.File("Empty.dat"));
    EXPECT_NE(folder.ReadText("Empty.dat")
                  .find(Md5Sum(folder, "NODE BEGIN \"CompletedLevels\" 0 0 NODE END ")),
              std::string::npos);
    EXPECT_EQ(ValidationText(nullptr), "");
}

TEST(Progress, EditedFilesLoadAsNoProgress)
{
    cTempFolder folder("progress");
    cProgress progress;
    progress.Add("LvlA");
    progress.Add("LvlB");
    progress.Save(folder.FileSystem(), folder.File("CompletedLevels.dat"));
    const std::string good = folder.ReadText("CompletedLevels.dat");
    ASSERT_TRUE(Loads(folder, good));

    EXPECT_FALSE(Loads(folder, Replace(good, "LvlB", "LvlC"))) << "alias changed";
    EXPECT_FALSE(Loads(folder, Replace(good, "Validation=", "Validatio="))) << "no validation";
    EXPECT_FALSE(
        Loads(folder, Replace(Replace(Replace(good, "LvlA", "@"), "LvlB", "LvlA"), "@", "LvlB")))
        << "levels reordered";
    EXPECT_FALSE(Loads(folder, Replace(good, "Alias=\"LvlA\"", "Alias=\"LvlA\" Extra=\"1\"")))
        << "extra attribute on a level";
    EXPECT_FALSE(Loads(folder, good.substr(0, good.size() / 2))) << "truncated";
    EXPECT_TRUE(Loads(folder, "Extra=\"1\"\n" + good)) << "extra root attribute";

    cProgress missing;
    missing.Add("Stale");
    EXPECT_FALSE(missing.Load(folder.FileSystem(), folder.File("Nothing.dat")));
    EXPECT_EQ(missing.GetCompletedLevelCount(), 0);
}

TEST(Progress, FailedSaveKeepsThePreviousFile)
{
    cTempFolder folder("progress");
    cProgress progress;
    progress.Add("LvlA");
    progress.Save(folder.FileSystem(), folder.File("CompletedLevels.dat"));
    const std::string before = folder.ReadText("CompletedLevels.dat");

    // The file's name is taken by a folder: the rename cannot happen.
    progress.Add("LvlB");
    std::filesystem::create_directory(folder.Path() / "Blocked.dat");
    std::filesystem::create_directory(folder.Path() / "Blocked.dat" / "inside");
    EXPECT_THROW(progress.Save(folder.FileSystem(), folder.File("Blocked.dat")), Korva::cException);
    EXPECT_EQ(folder.ReadText("CompletedLevels.dat"), before);
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 2);
}

TEST(Progress, AnUnreadableFileIsKeptOnceBeforeTheFirstSave)
{
    cTempFolder folder("progress");
    const std::string path = folder.File("CompletedLevels.dat");
    const std::string damaged = "CompletedLevels=\n{\n\tLevel=\n\t{\n\t\tAlias=\"Lvl1\"\n";
    folder.Write("CompletedLevels.dat", damaged);
    folder.Write("CompletedLevels.dat.bad", "an older copy");

    cProgress progress;
    EXPECT_FALSE(progress.Load(folder.FileSystem(), path));
    EXPECT_TRUE(progress.HasDamagedFile());
    progress.Add("Lvl7"); // a level completed: the file is written
    progress.Save(folder.FileSystem(), path);
    EXPECT_EQ(folder.ReadText("CompletedLevels.dat.bad"), damaged);
    EXPECT_FALSE(progress.HasDamagedFile());
    cProgress reread;
    ASSERT_TRUE(reread.Load(folder.FileSystem(), path));
    EXPECT_EQ(reread.GetCompletedLevels(), std::vector<std::string>{"Lvl7"});

    // Only once: later saves, a reset among them, leave the copy alone.
    progress.Clear();
    progress.Save(folder.FileSystem(), path);
    EXPECT_EQ(folder.ReadText("CompletedLevels.dat.bad"), damaged);

    // A missing file is no damage: nothing is copied.
    cTempFolder fresh("progressfresh");
    cProgress first;
    EXPECT_FALSE(first.Load(fresh.FileSystem(), fresh.File("CompletedLevels.dat")));
    EXPECT_FALSE(first.HasDamagedFile());
    first.Save(fresh.FileSystem(), fresh.File("CompletedLevels.dat"));
    EXPECT_FALSE(std::filesystem::exists(fresh.Path() / "CompletedLevels.dat.bad"));
}

TEST(Progress, NoCopyOfTheUnreadableFileMeansNoSave)
{
    cTempFolder folder("progress");
    const std::string path = folder.File("CompletedLevels.dat");
    folder.Write("CompletedLevels.dat", "damaged");
    // The copy's name is taken by a folder with something in it.
    std::filesystem::create_directories(folder.Path() / "CompletedLevels.dat.bad" / "inside");
    cProgress progress;
    EXPECT_FALSE(progress.Load(folder.FileSystem(), path));
    progress.Add("Lvl1");
    EXPECT_THROW(progress.Save(folder.FileSystem(), path), Korva::cException);
    EXPECT_EQ(folder.ReadText("CompletedLevels.dat"), "damaged");
}
