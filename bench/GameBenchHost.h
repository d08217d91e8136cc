#pragma once

// What the game-screen benchmarks need around the screen: a host that asks
// for nothing, and the program folder with the generated data.

#include "engine/File/FileSystemManager.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/GameResourceHandler.h"
#include "game/Game/Screen/Game.h"
#include "game/Options.h"

#include <filesystem>
#include <memory>
#include <string>

class cBenchHost : public cGameHost
{
public:
    cOptions& GetOptions() override { return options; }
    void ToggleFullScreen() override {}
    void MarkLevelCompleted(const std::string&) override {}
    bool IsLevelCompleted(const std::string&) const override { return false; }
    void RequestLevelSelector() override {}
    void RequestMenu() override {}
    void RequestEditor() override {}
    void OpenHomepage() override {}
    void SelectCampaignLevel(int) override {}
    cOptions options;
};

// The generated data lies in bin/ beside the bench/ folder of the build.
inline std::string BenchProgramFolder()
{
    return (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin")
        .string();
}

// The generated data, read through the resource lists as the game reads
// it; the program folder stays the current file system while this lives.
class cBenchData
{
public:
    cBenchData() : m_folder(BenchProgramFolder())
    {
        Korva::cFileSystemManager::Get().SetCurrent(m_folder);
        Korva::cResManager& manager = Korva::cResManager::Get();
        manager.AddTypeHandler(std::make_unique<Korva::cBuiltInResourceHandler>());
        manager.AddTypeHandler(std::make_unique<cGameResourceHandler>());
        for (const char* list : {"Images", "Sprites", "Sounds", "Campaigns", "Levels"})
            manager.LoadList(std::string("/Resources/") + list + ".res");
    }

    Korva::cFileSystemPOSIX& Folder() { return m_folder; }

private:
    Korva::cFileSystemPOSIX m_folder;
};
