#pragma once

// The shipped campaign read from the generated program folder as the game
// reads it: the resource lists, the campaign file and every level.
#include "engine/Core/Exception.h"
#include "engine/File/FileSystemManager.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/Campaign.h"
#include "game/Game/CampaignResource.h"
#include "game/Game/GameResourceHandler.h"
#include "game/Game/LevelResource.h"
#include "game/Game/MoveLog.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace CampaignTest
{
using namespace Korva;
const std::string kProgramDir = ZELTRA_TEST_PROGRAM_DIR;
const std::string kSolutionDir = ZELTRA_TEST_SOURCE_DIR "/data/levels";

struct sCampaignLevel
{
    std::string alias;
    std::string file; // in the program folder
    cLevel level;
};

class CampaignLevels : public testing::Test
{
protected:
    // The resource lists are read once, through the game's own handler.
    // The lists are named by absolute path, so they are read through a file
    // system with an empty root.
    static void SetUpTestSuite()
    {
        s_anyPath = cFileSystemManager::Get().CreateFileSystem(1);
        cFileSystemManager::Get().SetCurrent(*s_anyPath);
        cResManager::Get().AddTypeHandler(std::make_unique<cGameResourceHandler>());
        cResManager::Get().LoadList(kProgramDir + "/Resources/Campaigns.res");
        cResManager::Get().LoadList(kProgramDir + "/Resources/Levels.res");
    }
    static void TearDownTestSuite()
    {
        cResManager::Destroy();
        cFileSystemManager::Get().RemoveFileSystem(s_anyPath);
    }

    // Every level of "CmpZeltra" in play order; a failure is recorded for
    // anything missing or broken.
    std::vector<sCampaignLevel> Load()
    {
        std::vector<sCampaignLevel> levels;
        auto* resource = dynamic_cast<cCampaignResource*>(cResManager::Get().Find("CmpZeltra"));
        if (!resource)
        {
            ADD_FAILURE() << "no campaign resource CmpZeltra";
            return levels;
        }
        cCampaign campaign;
        campaign.Load(m_programFolder, resource->GetFile());
        for (int32_t i = 0; i < campaign.GetLevelCount(); ++i)
        {
            const std::string& alias = campaign.GetLevelAlias(i);
            auto* level = dynamic_cast<cLevelResource*>(cResManager::Get().Find(alias));
            if (!level)
            {
                ADD_FAILURE() << alias << " is not a Level resource";
                continue;
            }
            sCampaignLevel entry{alias, level->GetFile(), {}};
            try
            {
                entry.level.Load(m_programFolder, entry.file);
            }
            catch (const cException& e)
            {
                ADD_FAILURE() << alias << ": " << e.GetMessage();
                continue;
            }
            levels.push_back(std::move(entry));
        }
        return levels;
    }

    // The move log recorded beside the level's source file.
    static cMoveLog Solution(const sCampaignLevel& entry)
    {
        cFileSystemPOSIX sources(kSolutionDir);
        cMoveLog log;
        log.Load(sources, "/" + std::filesystem::path(entry.file).stem().string() + ".moves");
        return log;
    }

    cFileSystemPOSIX m_programFolder{kProgramDir};
    inline static cFileSystem* s_anyPath = nullptr;
};

} // namespace CampaignTest
