#pragma once

#include "engine/Core/Exception.h"
#include "engine/File/FileSystemManager.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

// A fresh folder for one test and a file system that takes absolute paths.
class cTempFolder
{
public:
    explicit cTempFolder(const std::string& tag)
        : m_path(std::filesystem::temp_directory_path() /
                 ("zeltra_" + tag + "_" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
        m_fileSystem = Korva::cFileSystemManager::Get().CreateFileSystem(1);
    }
    ~cTempFolder()
    {
        Korva::cFileSystemManager::Get().RemoveFileSystem(m_fileSystem);
        std::filesystem::remove_all(m_path);
    }
    cTempFolder(const cTempFolder&) = delete;
    cTempFolder& operator=(const cTempFolder&) = delete;

    Korva::cFileSystem& FileSystem() { return *m_fileSystem; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_path / name, std::ios::binary) << text;
        return File(name);
    }
    std::string ReadText(const std::string& name) const
    {
        std::ifstream in(m_path / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::filesystem::path m_path;
    Korva::cFileSystem* m_fileSystem;
};
