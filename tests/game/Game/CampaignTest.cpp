#include "game/Game/Campaign.h"
#include "engine/Core/Exception.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/CampaignResource.h"
#include "game/Game/GameResourceHandler.h"
#include "game/Game/LevelResource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace Korva;

namespace
{
class Campaign : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("zeltra_campaign_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        // Resource files are read through the current file system; this one
        // takes the test's absolute paths.
        m_fileSystem = cFileSystemManager::Get().CreateFileSystem(1);
        cFileSystemManager::Get().SetCurrent(*m_fileSystem);
    }
    void TearDown() override
    {
        cResManager::Destroy();
        cFileSystemManager::Get().RemoveFileSystem(m_fileSystem);
        std::filesystem::remove_all(m_folder);
    }

    std::string Write(const std::string& name, const std::string& text)
    {
        std::ofstream(m_folder / name, std::ios::binary) << text;
        return (m_folder / name).string();
    }

    // The message of the exception the campaign file raises, or "" if none.
    std::string LoadError(const std::string& text)
    {
        cCampaign campaign;
        try
        {
            campaign.Load(*m_fileSystem, Write("Bad.cmp", text));
        }
        catch (const cException& e)
        {
            return e.GetMessage();
        }
        return "";
    }

    std::filesystem::path m_folder;
    cFileSystem* m_fileSystem = nullptr;
};
} // namespace

TEST_F(Campaign, LevelsInFileOrderWhateverTheirNodeName)
{
    cCampaign campaign;
    campaign.Load(*m_fileSystem,
                  Write("Zeltra.cmp", "Campaign=\n{\n"
                                      "\tIconSpriteAlias=\"SprIcons\"\n"
                                      "\tLevels=\n\t{\n"
                                      "\t\tLevel=\n\t\t{\n\t\t\tAlias=\"L1\"\n\t\t}\n"
                                      "\t\tBonus=\n\t\t{\n\t\t\tAlias=\"L2\"\n\t\t}\n"
                                      "\t\tLevel=\n\t\t{\n\t\t\tAlias=\"\"\n\t\t}\n"
                                      "\t}\n}\n"));
    EXPECT_EQ(campaign.GetIconSpriteAlias(), "SprIcons");
    ASSERT_EQ(campaign.GetLevelCount(), 3);
    EXPECT_EQ(campaign.GetLevelAlias(0), "L1");
    EXPECT_EQ(campaign.GetLevelAlias(1), "L2");
    EXPECT_EQ(campaign.GetLevelAlias(2), "");

    cCampaign empty;
    empty.Load(
        *m_fileSystem,
        Write("Empty.cmp", "Campaign=\n{\n\tIconSpriteAlias=\"S\"\n\tLevels=\n\t{\n\t}\n}\n"));
    EXPECT_EQ(empty.GetLevelCount(), 0);
}

TEST_F(Campaign, MissingPartsAreErrorsInTheCampaignFile)
{
    const std::string bad = "Error in campaign file.";
    EXPECT_EQ(LoadError("Campaigns=\n{\n}\n"), bad);
    EXPECT_EQ(LoadError("Campaign=\n{\n\tLevels=\n\t{\n\t}\n}\n"), bad);
    EXPECT_EQ(LoadError("Campaign=\n{\n\tIconSpriteAlias=\"S\"\n}\n"), bad);
    EXPECT_EQ(LoadError("Campaign=\n{\n\tIconSpriteAlias=\"S\"\n\tLevels=\n\t{\n"
                        "\t\tLevel=\n\t\t{\n\t\t\tAlias=\"L1\"\n\t\t}\n"
                        "\t\tLevel=\n\t\t{\n\t\t\tName=\"L2\"\n\t\t}\n\t}\n}\n"),
              bad);
}

TEST_F(Campaign, ResourcesLoadOnFirstUseAndUnloadByTier)
{
    cLevel level;
    level.SetName("First");
    level.SetWidth(3);
    level.SetHeight(2);
    level.SetCell(1, 1, 1);
    level.Save(*m_fileSystem, (m_folder / "L1.lvl").string());
    Write("Zeltra.cmp", "Campaign=\n{\n\tIconSpriteAlias=\"S\"\n\tLevels=\n\t{\n"
                        "\t\tLevel=\n\t\t{\n\t\t\tAlias=\"LvlOne\"\n\t\t}\n\t}\n}\n");
    Write("Broken.cmp", "Campaign=\n{\n}\n");
    const std::string folder = m_folder.string();
    const std::string list =
        Write("Game.res", "ResourceList=\n{\n"
                          "\tResource=\n\t{\n\t\tType=\"Campaign\"\n\t\tFile=\"" +
                              folder +
                              "/Zeltra.cmp\"\n\t\tAlias=\"CmpZeltra\"\n\t\tLevel=\"2\"\n\t}\n"
                              "\tResource=\n\t{\n\t\tType=\"Campaign\"\n\t\tFile=\"" +
                              folder +
                              "/Broken.cmp\"\n\t\tAlias=\"CmpBroken\"\n\t\tLevel=\"2\"\n\t}\n"
                              "\tResource=\n\t{\n\t\tType=\"Level\"\n\t\tFile=\"" +
                              folder +
                              "/L1.lvl\"\n\t\tAlias=\"LvlOne\"\n\t\tLevel=\"1\"\n\t}\n"
                              "\tResource=\n\t{\n\t\tType=\"Image\"\n\t\tFile=\"x.tga\"\n\t}\n"
                              "}\n");
    cResManager& manager = cResManager::Get();
    manager.AddTypeHandler(std::make_unique<cGameResourceHandler>());
    manager.LoadList(list);
    ASSERT_EQ(manager.GetCount(), 3) << "images are not the game's to make";

    auto* campaignResource = dynamic_cast<cCampaignResource*>(manager.Find("CmpZeltra"));
    auto* levelResource = dynamic_cast<cLevelResource*>(manager.Find("LvlOne"));
    ASSERT_NE(campaignResource, nullptr);
    ASSERT_NE(levelResource, nullptr);
    EXPECT_FALSE(campaignResource->IsLoaded());

    const cCampaign* campaign = campaignResource->GetCampaign();
    ASSERT_NE(campaign, nullptr);
    EXPECT_TRUE(campaignResource->IsLoaded());
    EXPECT_EQ(campaignResource->GetCampaign(), campaign) << "loaded once";
    ASSERT_EQ(campaign->GetLevelCount(), 1);
    const cLevel* loaded = levelResource->GetLevel();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(*loaded, level);

    // Leaving the game screen unloads tier 2 and up only.
    manager.Unload(2);
    EXPECT_FALSE(campaignResource->IsLoaded());
    EXPECT_TRUE(levelResource->IsLoaded());

    auto* broken = dynamic_cast<cCampaignResource*>(manager.Find("CmpBroken"));
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(broken->GetCampaign(), nullptr);
    EXPECT_THROW(broken->Load(), cException);
    EXPECT_FALSE(broken->IsLoaded());
}
