#include "engine/Core/Log.h"

#include "engine/File/FileSystem.h"

#include <ctime>

namespace Korva
{

namespace
{
std::unique_ptr<cLog>& Instance()
{
    static std::unique_ptr<cLog> instance;
    return instance;
}
} // namespace

cLog& cLog::Get()
{
    auto& instance = Instance();
    if (!instance)
        instance.reset(new cLog());
    return *instance;
}

void cLog::Destroy()
{
    Instance().reset();
}

cLog* cLog::Peek()
{
    return Instance().get();
}

cLog::~cLog()
{
    for (auto& file : m_files)
        file.fileSystem->Close(file.stream);
}

void cLog::Write(int level, const std::string& text)
{
    if (level > m_maxLevel)
        return;
    std::lock_guard lock(m_lock);
    m_history.push_back(text);
    for (auto& file : m_files)
    {
        file.stream->WriteString(text);
        file.stream->Flush();
    }
}

void cLog::AddLogFile(cFileSystem& fileSystem, const std::string& path)
{
    std::lock_guard lock(m_lock);
    cFileOutput* stream = fileSystem.OpenOutput(path, true, false);
    stream->WriteString("--- Creating log ---\nTime: " + LocalTimeText() + ".\n");
    for (const auto& text : m_history)
        stream->WriteString(text);
    stream->Flush();
    m_files.push_back({&fileSystem, path, stream});
}

void cLog::RemoveLogFile(cFileSystem& fileSystem, const std::string& path)
{
    std::lock_guard lock(m_lock);
    for (auto it = m_files.begin(); it != m_files.end(); ++it)
    {
        if (it->fileSystem == &fileSystem && it->path == path)
        {
            fileSystem.Close(it->stream);
            m_files.erase(it);
            return;
        }
    }
}

void cLog::RemoveLogFiles(cFileSystem& fileSystem)
{
    std::lock_guard lock(m_lock);
    for (auto it = m_files.begin(); it != m_files.end();)
    {
        if (it->fileSystem == &fileSystem)
        {
            fileSystem.Close(it->stream);
            it = m_files.erase(it);
        }
        else
            ++it;
    }
}

std::vector<std::string> cLog::GetHistory() const
{
    std::lock_guard lock(m_lock);
    return m_history;
}

std::string LocalTimeText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    // The C library's ctime layout: "Wed Jun 30 21:49:08 1993".
    std::strftime(buffer, sizeof buffer, "%a %b %e %H:%M:%S %Y", &local);
    return buffer;
}

} // namespace Korva
