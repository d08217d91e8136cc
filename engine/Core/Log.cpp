#include "engine/Core/Log.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileSystem.h"

#include <cstdio>
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

namespace
{
// Marks the files as being written for one scope; a write that comes from
// within (an exception's own text) is nested and only queued.
class cWritingFiles
{
public:
    explicit cWritingFiles(bool& flag) : m_flag(flag), m_nested(flag) { m_flag = true; }
    ~cWritingFiles() { m_flag = m_nested; }
    cWritingFiles(const cWritingFiles&) = delete;
    cWritingFiles& operator=(const cWritingFiles&) = delete;
    bool IsNested() const { return m_nested; }

private:
    bool& m_flag;
    bool m_nested;
};
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
    if (m_writingFiles)
    {
        m_pending.push_back(text);
        return;
    }
    const cWritingFiles writing(m_writingFiles);
    WriteToFiles(text);
    WritePending();
}

void cLog::WritePending()
{
    while (!m_pending.empty())
    {
        const std::string next = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        WriteToFiles(next);
    }
}

void cLog::WriteToFiles(const std::string& text)
{
    for (size_t i = 0; i < m_files.size();)
    {
        try
        {
            m_files[i].stream->WriteString(text);
            m_files[i].stream->Flush();
            ++i;
        }
        catch (const cException&)
        {
            DropFile(i);
        }
    }
}

void cLog::DropFile(size_t index)
{
    const LogFile file = m_files[index];
    m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(index));
    file.fileSystem->Close(file.stream);
    const std::string line = "Log file '" + file.fileSystem->TranslatePath(file.path) +
                             "' can't be written; it is no longer kept up to date.\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    // The history and the other files still get the line.
    m_history.push_back(line);
    m_pending.push_back(line);
}

void cLog::AddLogFile(cFileSystem& fileSystem, const std::string& path)
{
    std::lock_guard lock(m_lock);
    cFileOutput* stream = fileSystem.OpenOutput(path, true, false);
    m_files.push_back({&fileSystem, path, stream});
    const cWritingFiles writing(m_writingFiles);
    try
    {
        stream->WriteString("--- Creating log ---\nTime: " + LocalTimeText() + ".\n");
        // A failing write logs while the history is walked: by index, on copies.
        const size_t count = m_history.size();
        for (size_t i = 0; i < count; ++i)
            stream->WriteString(std::string(m_history[i]));
        stream->Flush();
    }
    catch (const cException&)
    {
        DropFile(m_files.size() - 1);
    }
    if (!writing.IsNested())
        WritePending();
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
