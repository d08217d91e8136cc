#include "engine/File/FileSystemManager.h"

#include "engine/Core/Core.h"
#include "engine/File/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

using namespace Korva;

namespace
{
// Sets an environment variable for one test and restores it afterwards.
class cScopedEnv
{
public:
    cScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~cScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(FileSystemManager, DefaultFileSystemIsRootedAtTheProgramFolder)
{
    auto& manager = cFileSystemManager::Get();
    EXPECT_EQ(manager.GetDefault().GetRoot(), cCore::Get().GetWorkingDirectory());
    EXPECT_EQ(&manager.GetCurrent(), &manager.GetDefault());
}

TEST(FileSystemManager, PerUserRootFollowsXdgThenHome)
{
    cTempFolder folder;
    const std::string xdg = folder.Path() + "/xdg/data";
    auto& manager = cFileSystemManager::Get();
    {
        cScopedEnv env("XDG_DATA_HOME", xdg.c_str());
        cFileSystem* user = manager.CreateFileSystem(0);
        EXPECT_EQ(user->GetRoot(), xdg);
        EXPECT_TRUE(std::filesystem::is_directory(xdg));
        manager.RemoveFileSystem(user);
    }
    {
        // A relative XDG_DATA_HOME is invalid and ignored.
        cScopedEnv env("XDG_DATA_HOME", "relative");
        cScopedEnv home("HOME", folder.Path().c_str());
        cFileSystem* user = manager.CreateFileSystem(0);
        EXPECT_EQ(user->GetRoot(), folder.Path() + "/.local/share");
        EXPECT_TRUE(std::filesystem::is_directory(folder.Path() + "/.local/share"));
        manager.RemoveFileSystem(user);
    }
    {
        cScopedEnv env("XDG_DATA_HOME", nullptr);
        cScopedEnv home("HOME", nullptr);
        cFileSystem* user = manager.CreateFileSystem(0);
        EXPECT_EQ(user->GetRoot(), manager.GetDefault().GetRoot());
        manager.RemoveFileSystem(user);
    }
    cFileSystem* bare = manager.CreateFileSystem(1);
    EXPECT_EQ(bare->GetRoot(), "");
    manager.RemoveFileSystem(bare);
}

TEST(FileSystemManager, RemovingTheCurrentOneFallsBackToTheDefault)
{
    auto& manager = cFileSystemManager::Get();
    cFileSystem* other = manager.CreateFileSystem(1);
    manager.SetCurrent(*other);
    EXPECT_EQ(&manager.GetCurrent(), other);
    manager.RemoveFileSystem(other);
    EXPECT_EQ(&manager.GetCurrent(), &manager.GetDefault());
    manager.RemoveFileSystem(&manager.GetDefault()); // ignored
    EXPECT_NO_THROW(manager.GetDefault().GetRoot());
}

TEST(FileSystemManager, EndsWithTheCore)
{
    cFileSystemManager::Get();
    ASSERT_TRUE(cFileSystemManager::Exists());
    cCore::Destroy();
    EXPECT_FALSE(cFileSystemManager::Exists());
}
} // namespace
