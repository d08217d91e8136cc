#include "game/UserLevels.h"

#include "engine/Core/Exception.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{
namespace fs = std::filesystem;

TEST(UserFolders, AreMadeAndClearedOfInterruptedSaves)
{
    cTempFolder folder("userfolders");
    Korva::cFileSystemPOSIX user(folder.Path().string());
    PrepareUserFolders(user);
    const fs::path levels = folder.Path() / "Quillbee Studios" / "Zeltra" / "UserLevels";
    ASSERT_TRUE(fs::is_directory(levels));

    folder.Write("Quillbee Studios/Zeltra/Zeltra.cfg.tmp-q1W2e3", "half");
    folder.Write("Quillbee Studios/Zeltra/UserLevels/Mine.lvl.tmp-Zz9Yy8", "half");
    folder.Write("Quillbee Studios/Zeltra/UserLevels/Mine.lvl", "kept");
    PrepareUserFolders(user);
    EXPECT_FALSE(
        fs::exists(folder.Path() / "Quillbee Studios" / "Zeltra" / "Zeltra.cfg.tmp-q1W2e3"));
    EXPECT_FALSE(fs::exists(levels / "Mine.lvl.tmp-Zz9Yy8"));
    EXPECT_EQ(folder.ReadText("Quillbee Studios/Zeltra/UserLevels/Mine.lvl"), "kept");
}

TEST(UserFolders, AFileWhereTheFolderBelongsIsNamed)
{
    cTempFolder folder("userfolders");
    Korva::cFileSystemPOSIX user(folder.Path().string());
    fs::create_directories(folder.Path() / "Quillbee Studios" / "Zeltra");
    folder.Write("Quillbee Studios/Zeltra/UserLevels", "my notes");
    try
    {
        PrepareUserFolders(user);
        ADD_FAILURE() << "a file can't hold user levels";
    }
    catch (const Korva::cException& e)
    {
        EXPECT_EQ(e.GetMessage(),
                  "Couldn't create folder. A file is in its way: '" +
                      (folder.Path() / "Quillbee Studios/Zeltra/UserLevels").string() + "'.");
    }
    EXPECT_EQ(folder.ReadText("Quillbee Studios/Zeltra/UserLevels"), "my notes");

    // The same one level up.
    cTempFolder higher("userfolders2");
    Korva::cFileSystemPOSIX other(higher.Path().string());
    higher.Write("Quillbee Studios", "");
    EXPECT_THROW(PrepareUserFolders(other), Korva::cException);
    EXPECT_TRUE(fs::is_regular_file(higher.Path() / "Quillbee Studios"));
}
} // namespace
