#include "engine/File/FileSystemManager.h"

#include "engine/Core/Core.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace Korva
{

namespace
{
std::unique_ptr<cFileSystemManager>& Instance()
{
    static std::unique_ptr<cFileSystemManager> instance;
    return instance;
}

std::string ProgramFolder()
{
    return cCore::Get().GetWorkingDirectory();
}

bool MakeFolders(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}
} // namespace

cFileSystemManager& cFileSystemManager::Get()
{
    auto& instance = Instance();
    if (!instance)
        instance.reset(new cFileSystemManager());
    return *instance;
}

void cFileSystemManager::Destroy()
{
    // Moved out first, so Get during the destruction makes no second manager
    // over the first.
    auto ending = std::move(Instance());
}

bool cFileSystemManager::Exists()
{
    return Instance() != nullptr;
}

cFileSystemManager::cFileSystemManager()
    : m_default(std::make_unique<cFileSystemPOSIX>(ProgramFolder())), m_current(m_default.get())
{
    cCore::Get().AddListener(this);
}

cFileSystemManager::~cFileSystemManager()
{
    if (cCore::Exists())
        cCore::Get().RemoveListener(this);
}

void cFileSystemManager::OnEvent(const cEvent& event)
{
    if (event.GetType() == kEventShutdown && Instance().get() == this)
        Destroy();
}

std::string cFileSystemManager::UserDataFolder()
{
    // Relative values are invalid by the XDG rules and are ignored.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/' && MakeFolders(dataHome))
        return dataHome;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
    {
        std::string folder = home;
        if (folder.back() != '/')
            folder += '/';
        folder += ".local/share";
        if (MakeFolders(folder))
            return folder;
    }
    return ProgramFolder();
}

cFileSystem* cFileSystemManager::CreateFileSystem(int flag)
{
    const std::string root = flag == 0 ? UserDataFolder() : std::string();
    m_fileSystems.push_back(std::make_unique<cFileSystemPOSIX>(root));
    return m_fileSystems.back().get();
}

void cFileSystemManager::RemoveFileSystem(cFileSystem* fileSystem)
{
    if (!fileSystem || fileSystem == m_default.get())
        return;
    const auto it = std::find_if(m_fileSystems.begin(), m_fileSystems.end(),
                                 [&](const auto& owned) { return owned.get() == fileSystem; });
    if (it == m_fileSystems.end())
        return;
    if (m_current == fileSystem)
        m_current = m_default.get();
    m_fileSystems.erase(it);
}

} // namespace Korva
