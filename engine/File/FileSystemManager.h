#pragma once

#include "engine/Core/Event.h"
#include "engine/File/FileSystem.h"

#include <memory>
#include <string>
#include <vector>

namespace Korva
{

// Owns every file system. The default one is rooted at the program folder;
// the current one is what the engine's own loaders use (the default one
// unless changed). Created on first use; it listens to the core and ends,
// with all its file systems, at the core's shutdown event.
class cFileSystemManager : public cEventListener
{
public:
    static cFileSystemManager& Get();
    static void Destroy();
    static bool Exists();

    ~cFileSystemManager() override;

    cFileSystem& GetDefault() { return *m_default; }
    cFileSystem& GetCurrent() { return *m_current; }
    // `fileSystem` must be the default one or one this manager created.
    void SetCurrent(cFileSystem& fileSystem) { m_current = &fileSystem; }

    // flag 0: rooted at the per-user data folder (see UserDataFolder);
    // any other flag: an empty root, paths are used as they are.
    cFileSystem* CreateFileSystem(int flag);
    // Destroys a file system this manager created; the default one stays.
    void RemoveFileSystem(cFileSystem* fileSystem);

    void OnEvent(const cEvent& event) override;

    // $XDG_DATA_HOME, else ~/.local/share, created when missing; the program
    // folder when neither can be used.
    static std::string UserDataFolder();

private:
    cFileSystemManager();

    std::unique_ptr<cFileSystem> m_default;
    cFileSystem* m_current = nullptr;
    std::vector<std::unique_ptr<cFileSystem>> m_fileSystems;
};

} // namespace Korva
