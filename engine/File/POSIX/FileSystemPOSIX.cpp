#include "engine/File/POSIX/FileSystemPOSIX.h"

#include "engine/Core/Log.h"
#include "engine/File/POSIX/DirectoryScannerPOSIX.h"

#include <sys/stat.h>

namespace Korva
{

bool cFileSystemPOSIX::Exists(const std::string& path) const
{
    struct stat info;
    return ::stat(TranslatePath(path).c_str(), &info) == 0;
}

bool cFileSystemPOSIX::IsFile(const std::string& path) const
{
    struct stat info;
    return ::stat(TranslatePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool cFileSystemPOSIX::IsFolder(const std::string& path) const
{
    struct stat info;
    return ::stat(TranslatePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool cFileSystemPOSIX::CreateFolder(const std::string& path)
{
    cLog::Get().Write(3, "Creating folder:" + path + "\n");
    // Every prefix up to a '/', then the whole path.
    size_t from = 0;
    while (true)
    {
        const size_t slash = path.find('/', from);
        const std::string prefix = path.substr(0, slash);
        // A file of a prefix's name is in the way: the folder can't be made.
        if (!prefix.empty() && !IsFolder(prefix) &&
            (Exists(prefix) ||
             (::mkdir(TranslatePath(prefix).c_str(), 0777) != 0 && !IsFolder(prefix))))
            return false;
        if (slash == std::string::npos)
            break;
        from = slash + 1;
    }
    return true;
}

std::unique_ptr<cDirectoryScanner> cFileSystemPOSIX::CreateDirectoryScanner() const
{
    return std::make_unique<cDirectoryScannerPOSIX>(GetRoot());
}

} // namespace Korva
