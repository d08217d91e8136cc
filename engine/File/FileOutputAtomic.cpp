#include "engine/File/FileOutputAtomic.h"

#include "engine/Core/Exception.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Korva
{

namespace
{
// Makes a rename durable: the folder holding the new name is synced too.
void SyncFolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

std::unique_ptr<cFileOutputAtomic> cFileOutputAtomic::Create(const std::string& name,
                                                             const std::string& targetPath)
{
    std::string pattern = targetPath + ".tmp-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0)
        KORVA_THROW(cExceptionCreatingFile, name);
    const std::string tempPath = buffer.data();
    // mkstemp creates owner-only files; the saved file gets ordinary permissions.
    ::fchmod(fd, 0644);
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file)
    {
        ::close(fd);
        ::unlink(tempPath.c_str());
        KORVA_THROW(cExceptionCreatingFile, name);
    }
    return std::unique_ptr<cFileOutputAtomic>(
        new cFileOutputAtomic(name, file, tempPath, targetPath));
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
