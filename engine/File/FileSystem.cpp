#include "engine/File/FileSystem.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/FileInputFile.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/FileOutputAtomic.h"
#include "engine/File/FileOutputFile.h"
#include "engine/File/FileSAF.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace Korva
{

namespace
{
// fopen succeeds on a folder on Linux; a folder is not a readable file.
std::FILE* OpenRegularFile(const std::string& path, const char* mode)
{
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file)
        return nullptr;
    struct stat info;
    if (::fstat(::fileno(file), &info) != 0 || S_ISDIR(info.st_mode))
    {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

std::vector<uint8_t> ReadWhole(std::FILE* file)
{
    std::vector<uint8_t> data;
    if (std::fseek(file, 0, SEEK_END) == 0)
    {
        const long end = std::ftell(file);
        if (end > 0)
            data.reserve(static_cast<size_t>(end));
    }
    std::fseek(file, 0, SEEK_SET);
    // Read to the real end rather than trusting the size, in case the file
    // changes while it is read.
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        data.insert(data.end(), chunk, chunk + got);
    return data;
}
} // namespace

cFileSystem::cFileSystem(std::string root) : m_root(std::move(root))
{
    cLog::Get().Write(3, "--- Creating filesystem ---\n");
    cLog::Get().Write(3, "Root directory: " + m_root + "\n");
}

cFileSystem::~cFileSystem()
{
    // A log file may still be attached through this file system (a shut-down
    // that skipped its own RemoveLogFile); it must be closed while we exist.
    if (cLog* log = cLog::Peek())
        log->RemoveLogFiles(*this);
}

std::string cFileSystem::TranslatePath(const std::string& path) const
{
    if (m_root.empty())
        return path;
    if (!path.empty() && path[0] == '/')
        return m_root + path;
    return m_root + "/" + path;
}

void cFileSystem::AddArchive(const std::string& path)
{
    auto archive = std::make_unique<cFileSAF>(path, TranslatePath(path));
    std::lock_guard lock(m_lock);
    m_archives.push_back(std::move(archive));
}

void cFileSystem::RemoveArchive(const std::string& path)
{
    std::lock_guard lock(m_lock);
    std::erase_if(m_archives, [&](const auto& archive) { return archive->GetPath() == path; });
}

cFileInput* cFileSystem::OpenInput(const std::string& path, bool text, bool loadToMemory)
{
    return OpenInputAt(TranslatePath(path), path, text, loadToMemory);
}

cFileOutput* cFileSystem::OpenOutput(const std::string& path, bool text, bool append)
{
    return OpenOutputAbsolute(TranslatePath(path), text, append);
}

cFileInput* cFileSystem::OpenInputAbsolute(const std::string& path, bool text, bool loadToMemory)
{
    return OpenInputAt(path, path, text, loadToMemory);
}

cFileInput* cFileSystem::OpenInputAt(const std::string& diskPath, const std::string& archivePath,
                                     bool text, bool loadToMemory)
{
    std::FILE* file = OpenRegularFile(diskPath, "rb");
    if (!file)
    {
        std::unique_lock lock(m_lock);
        for (const auto& archive : m_archives)
        {
            if (auto stream = archive->Open(archivePath, text))
            {
                lock.unlock();
                return Adopt(std::move(stream));
            }
        }
        lock.unlock();
        KORVA_THROW(cExceptionOpeningFile, diskPath);
    }
    // Text is always read into memory: with the carriage returns gone, the
    // stream's size is then what a reader really gets.
    if (loadToMemory || text)
    {
        std::vector<uint8_t> data = ReadWhole(file);
        std::fclose(file);
        return Adopt(std::make_unique<cFileInputMemory>(diskPath, std::move(data), text));
    }
    return Adopt(std::make_unique<cFileInputFile>(diskPath, file, text));
}

cFileOutput* cFileSystem::OpenOutputAbsolute(const std::string& path, bool text, bool append)
{
    // Text and binary mode are the same on Linux: "\n" is written as it is.
    (void)text;
    std::FILE* file = std::fopen(path.c_str(), append ? "ab" : "wb");
    if (!file)
        KORVA_THROW(cExceptionCreatingFile, path);
    return Adopt(std::make_unique<cFileOutputFile>(path, file));
}

cFileOutput* cFileSystem::OpenOutputAtomic(const std::string& path, bool text)
{
    (void)text;
    const std::string target = TranslatePath(path);
    return Adopt(cFileOutputAtomic::Create(target, target));
}

void cFileSystem::CommitAtomic(cFileOutput* stream)
{
    std::unique_ptr<cFileOutput> owned;
    {
        std::lock_guard lock(m_lock);
        const auto it = std::find_if(m_outputs.begin(), m_outputs.end(),
                                     [&](const auto& s) { return s.get() == stream; });
        if (it == m_outputs.end())
            return;
        owned = std::move(*it);
        m_outputs.erase(it);
    }
    if (auto* atomic = dynamic_cast<cFileOutputAtomic*>(owned.get()))
        atomic->Commit();
    else
        owned->Flush();
}

int cFileSystem::RemoveInterruptedSaves(const std::string& folder)
{
    const std::unique_ptr<cDirectoryScanner> scanner = CreateDirectoryScanner();
    scanner->Scan(folder);
    int removed = 0;
    for (int i = 0; i < scanner->GetCount(); ++i)
    {
        if (scanner->IsFolder(i) || !cFileOutputAtomic::IsTemporaryName(scanner->GetName(i)))
            continue;
        const std::string path = TranslatePath(folder + "/" + scanner->GetName(i));
        if (::unlink(path.c_str()) == 0)
        {
            cLog::Get().WriteDefault("Removed the temporary file of an interrupted save: '" + path +
                                     "'.\n");
            ++removed;
        }
    }
    return removed;
}

cFileInput* cFileSystem::Adopt(std::unique_ptr<cFileInput> stream)
{
    std::lock_guard lock(m_lock);
    m_inputs.push_back(std::move(stream));
    return m_inputs.back().get();
}

cFileOutput* cFileSystem::Adopt(std::unique_ptr<cFileOutput> stream)
{
    std::lock_guard lock(m_lock);
    m_outputs.push_back(std::move(stream));
    return m_outputs.back().get();
}

void cFileSystem::Close(cFileInput* stream)
{
    std::unique_ptr<cFileInput> closing;
    std::lock_guard lock(m_lock);
    const auto it = std::find_if(m_inputs.begin(), m_inputs.end(),
                                 [&](const auto& s) { return s.get() == stream; });
    if (it == m_inputs.end())
        return;
    closing = std::move(*it);
    m_inputs.erase(it);
}

void cFileSystem::Close(cFileOutput* stream)
{
    std::unique_ptr<cFileOutput> closing;
    std::lock_guard lock(m_lock);
    const auto it = std::find_if(m_outputs.begin(), m_outputs.end(),
                                 [&](const auto& s) { return s.get() == stream; });
    if (it == m_outputs.end())
        return;
    closing = std::move(*it);
    m_outputs.erase(it);
}

size_t cFileSystem::GetOpenStreamCount() const
{
    std::lock_guard lock(m_lock);
    return m_inputs.size() + m_outputs.size();
}

// The platform-neutral file system knows nothing about folders.
bool cFileSystem::Exists(const std::string& path) const
{
    (void)path;
    return false;
}

bool cFileSystem::IsFile(const std::string& path) const
{
    (void)path;
    return false;
}

bool cFileSystem::IsFolder(const std::string& path) const
{
    (void)path;
    return false;
}

bool cFileSystem::CreateFolder(const std::string& path)
{
    (void)path;
    return false;
}

std::vector<uint8_t> ReadFileBytes(cFileSystem& fileSystem, const std::string& path)
{
    cScopedInput input(fileSystem, fileSystem.OpenInput(path, false, true));
    std::vector<uint8_t> bytes(static_cast<size_t>(input->Size()));
    bytes.resize(input->Read(bytes.data(), bytes.size()));
    return bytes;
}

} // namespace Korva
