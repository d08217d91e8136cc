#include "engine/File/POSIX/DirectoryScannerPOSIX.h"

#include "engine/Core/Exception.h"

#include <algorithm>
#include <dirent.h>
#include <fnmatch.h>
#include <memory>
#include <sys/stat.h>

namespace Korva
{

namespace
{
bool Matches(const std::string& pattern, const std::string& name)
{
    if (::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0)
        return true;
    // "name.*" also matches "name", as Windows patterns do.
    if (pattern.size() >= 2 && pattern.ends_with(".*"))
        return ::fnmatch(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str(),
                         FNM_CASEFOLD) == 0;
    return false;
}

struct sDirCloser
{
    void operator()(DIR* dir) const { ::closedir(dir); }
};
} // namespace

void cDirectoryScannerPOSIX::Scan(const std::string& path, const std::string& pattern)
{
    m_entries.clear();
    std::string folder = m_root.empty()                    ? path
                         : !path.empty() && path[0] == '/' ? m_root + path
                                                           : m_root + "/" + path;
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    std::unique_ptr<DIR, sDirCloser> dir(::opendir(folder.empty() ? "/" : folder.c_str()));
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get()))
    {
        const std::string name = entry->d_name;
        if (!Matches(pattern, name))
            continue;
        struct stat info;
        const bool isFolder =
            ::stat((folder + "/" + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        m_entries.push_back({name, isFolder});
    }
    std::sort(m_entries.begin(), m_entries.end(),
              [](const sEntry& a, const sEntry& b) { return a.name < b.name; });
}

const cDirectoryScannerPOSIX::sEntry& cDirectoryScannerPOSIX::At(int index) const
{
    if (index < 0 || index >= GetCount())
        KORVA_THROW(cException, "Invalid entry.");
    return m_entries[static_cast<size_t>(index)];
}

bool cDirectoryScannerPOSIX::IsFolder(int index) const
{
    return At(index).folder;
}

const std::string& cDirectoryScannerPOSIX::GetName(int index) const
{
    return At(index).name;
}

} // namespace Korva
