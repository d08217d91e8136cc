#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A fresh folder for one test, removed with everything in it afterwards.
class cTempFolder
{
public:
    cTempFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korva-file-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~cTempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    cTempFolder(const cTempFolder&) = delete;
    cTempFolder& operator=(const cTempFolder&) = delete;

    const std::string& Path() const { return m_path; }

    void WriteFile(const std::string& relative, const std::string& bytes) const
    {
        const auto full = std::filesystem::path(m_path) / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::string& relative) const
    {
        std::ifstream in(std::filesystem::path(m_path) / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_path;
};
