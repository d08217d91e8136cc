#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Korva
{

class cFileSystem;
class cFileOutput;

// The program's diagnostic record. Everything written is kept in memory from
// the first line of the process, so a log file attached later still receives
// the whole history. Writes from the sound thread and the main thread are
// serialised by one lock.
//
// Logging never fails: a log file that can no longer be written (a full
// disk, a file-size limit, an I/O error) is closed and dropped, once, with a
// line on standard error, and the in-memory log goes on.
class cLog
{
public:
    static cLog& Get();
    // Ends the log at the end of the process: closes every attached file.
    static void Destroy();
    // The log if it exists, without creating it (for destructors at shut-down).
    static cLog* Peek();

    void Write(int level, const std::string& text);
    void WriteDefault(const std::string& text) { Write(m_defaultLevel, text); }

    // Opens (replacing) `path` in `fileSystem`, writes the header and the whole
    // history into it, and keeps it for every later write. Raises
    // cExceptionCreatingFile when the file cannot be opened; a file that
    // opens but cannot be written is closed again and not kept.
    void AddLogFile(cFileSystem& fileSystem, const std::string& path);
    void RemoveLogFile(cFileSystem& fileSystem, const std::string& path);
    // Closes every log file of a file system that is going away, so no write
    // ever reaches a stream its owner has already destroyed.
    void RemoveLogFiles(cFileSystem& fileSystem);

    int GetDefaultLevel() const { return m_defaultLevel; }
    int GetMaxLevel() const { return m_maxLevel; }
    void SetMaxLevel(int level) { m_maxLevel = level; }
    std::vector<std::string> GetHistory() const;

    ~cLog();

private:
    cLog() = default;

    struct LogFile
    {
        cFileSystem* fileSystem;
        std::string path;
        cFileOutput* stream;
    };

    // Writes to every file; a file that fails is dropped.
    void WriteToFiles(const std::string& text);
    void WritePending();
    void DropFile(size_t index);

    int m_defaultLevel = 3;
    int m_maxLevel = 3;
    std::vector<std::string> m_history;
    std::vector<LogFile> m_files;
    // A failing write raises an exception, which logs its own text: texts
    // that arrive while the files are being written wait here, so the file
    // list is never changed under the loop that walks it.
    bool m_writingFiles = false;
    std::vector<std::string> m_pending;
    mutable std::recursive_mutex m_lock;
};

// The local date and time as ctime gives it, without its line end.
std::string LocalTimeText();

} // namespace Korva
