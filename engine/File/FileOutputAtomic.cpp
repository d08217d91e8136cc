#include "engine/File/FileOutputAtomic.h"

#include "engine/Core/Exception.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Korva
{

namespace
{
constexpr const char* kTemporaryMark = ".tmp-";
constexpr size_t kTemporarySuffixLength = 6; // mkstemp's XXXXXX
// Links are followed at most this many steps (the kernel's own limit).
constexpr int kMaxLinkSteps = 40;

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// Makes a rename durable: the folder holding the new name is synced too.
void SyncFolderOf(const std::string& path)
{
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a save to `path` must replace: a symbolic link (a dotfile set-up
// links the game's files elsewhere) is followed to its final target, which
// need not exist yet, so the link stays a link. Empty for a loop of links or
// one that cannot be read.
std::string FinalTarget(std::string path)
{
    for (int step = 0; step < kMaxLinkSteps; ++step)
    {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::vector<char> buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
            return "";
        const std::string link(buffer.data(), static_cast<size_t>(length));
        path = link[0] == '/' ? link : FolderOf(path) + link;
    }
    return "";
}

// The process's file creation mask, read without changing it.
mode_t CurrentUmask()
{
    // umask() itself would set it for a moment, under the feet of any other
    // thread creating a file.
    if (std::FILE* status = std::fopen("/proc/self/status", "r"))
    {
        char line[256];
        while (std::fgets(line, sizeof line, status))
        {
            unsigned int mask = 0;
            if (std::sscanf(line, "Umask: %o", &mask) == 1)
            {
                std::fclose(status);
                return static_cast<mode_t>(mask);
            }
        }
        std::fclose(status);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The permissions a saved file gets: those of the file it replaces, or for a
// new file what the process's umask allows of read and write for everyone.
mode_t NewFileMode(const std::string& target)
{
    struct stat info;
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    return 0666 & ~CurrentUmask();
}
} // namespace

bool cFileOutputAtomic::IsTemporaryName(const std::string& name)
{
    const size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0 ||
        name.size() != mark + std::strlen(kTemporaryMark) + kTemporarySuffixLength)
        return false;
    for (size_t i = mark + std::strlen(kTemporaryMark); i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

std::unique_ptr<cFileOutputAtomic> cFileOutputAtomic::Create(const std::string& name,
                                                             const std::string& targetPath)
{
    const std::string target = FinalTarget(targetPath);
    if (target.empty())
        KORVA_THROW(cExceptionCreatingFile, name);
    std::string pattern = target + kTemporaryMark + std::string(kTemporarySuffixLength, 'X');
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0)
        KORVA_THROW(cExceptionCreatingFile, name);
    const std::string tempPath = buffer.data();
    // mkstemp creates owner-only files; the saved file gets the permissions
    // of the one it replaces, or those the umask gives a new file.
    ::fchmod(fd, NewFileMode(target));
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file)
    {
        ::close(fd);
        ::unlink(tempPath.c_str());
        KORVA_THROW(cExceptionCreatingFile, name);
    }
    return std::unique_ptr<cFileOutputAtomic>(new cFileOutputAtomic(name, file, tempPath, target));
}

cFileOutputAtomic::cFileOutputAtomic(const std::string& name, std::FILE* file, std::string tempPath,
                                     std::string targetPath)
    : cFileOutputFile(name, file), m_targetPath(std::move(targetPath)),
      m_tempPath(std::move(tempPath))
{
}

cFileOutputAtomic::~cFileOutputAtomic()
{
    if (!m_committed)
        Discard();
}

void cFileOutputAtomic::Discard()
{
    CloseFile();
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}

void cFileOutputAtomic::Commit()
{
    if (m_committed)
        return;
    std::FILE* file = GetFile();
    bool ok = file && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    ok = CloseFile() && ok;
    ok = ok && ::rename(m_tempPath.c_str(), m_targetPath.c_str()) == 0;
    if (!ok)
    {
        Discard();
        KORVA_THROW(cExceptionWhenWritingFile, GetName());
    }
    m_committed = true;
    m_tempPath.clear();
    SyncFolderOf(m_targetPath);
}

} // namespace Korva
