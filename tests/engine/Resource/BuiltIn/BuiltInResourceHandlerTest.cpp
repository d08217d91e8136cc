#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Display/ImageResource.h"
#include "engine/Display/SpriteResource.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Resource/ResManager.h"
#include "engine/Sound/SoundResource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace Korva;

TEST(BuiltInResourceHandler, MakesTheEngineTypesWithTheirSettings)
{
    const auto folder =
        std::filesystem::temp_directory_path() / ("korva_builtin_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    cFileSystem* fileSystem = cFileSystemManager::Get().CreateFileSystem(1);
    cFileSystemManager::Get().SetCurrent(*fileSystem);
    std::ofstream(folder / "List.res") << "ResourceList=\n{\n"
                                          "\tResource=\n\t{\n\t\tType=\"Image\"\n"
                                          "\t\tFile=\"/Images/A.tga\"\n\t\tAlias=\"ImgA\"\n\t}\n"
                                          "\tResource=\n\t{\n\t\tType=\"Sprite\"\n"
                                          "\t\tFile=\"/Sprites/B.spr\"\n\t\tLevel=\"1\"\n\t}\n"
                                          "\tResource=\n\t{\n\t\tType=\"Sound\"\n"
                                          "\t\tFile=\"/Sounds/C.ogg\"\n\t\tAlias=\"SndC\"\n"
                                          "\t\tStreaming=\"True\"\n\t\tLooping=\"True\"\n"
                                          "\t\tGroup=\"Music\"\n\t}\n"
                                          "\tResource=\n\t{\n\t\tType=\"Campaign\"\n"
                                          "\t\tFile=\"/Campaigns/D.cmp\"\n\t}\n"
                                          "}\n";
    cResManager& manager = cResManager::Get();
    manager.AddTypeHandler(std::make_unique<cBuiltInResourceHandler>());
    manager.LoadList((folder / "List.res").string());

    EXPECT_EQ(manager.GetCount(), 3) << "campaigns are the game's";
    EXPECT_NE(dynamic_cast<cImageResource*>(manager.Find("ImgA")), nullptr);
    auto* sprite = dynamic_cast<cSpriteResource*>(manager.Find("/Sprites/B.spr"));
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->GetLevel(), 1);
    auto* sound = dynamic_cast<cSoundResource*>(manager.Find("SndC"));
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(sound->GetSettings().streaming);
    EXPECT_TRUE(sound->GetSettings().looping);
    EXPECT_EQ(sound->GetSettings().group, "Music");
    EXPECT_FALSE(sound->IsLoaded()) << "nothing is read before it is used";

    cResManager::Destroy();
    cFileSystemManager::Get().RemoveFileSystem(fileSystem);
    std::filesystem::remove_all(folder);
}
