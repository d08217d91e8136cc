#pragma once

#include "engine/File/DirectoryScanner.h"
#include "engine/File/FileInput.h"
#include "engine/File/FileOutput.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Korva
{

class cFileSAF;

// Maps '/'-separated paths onto a root folder and opens streams there. The
// file system owns every stream it opened until `Close` (or its own end) and
// the archives mounted in it; files missing on disk are looked up in the
// archives, in mounting order.
class cFileSystem
{
public:
    explicit cFileSystem(std::string root);
    virtual ~cFileSystem();
    cFileSystem(const cFileSystem&) = delete;
    cFileSystem& operator=(const cFileSystem&) = delete;

    virtual const std::string& GetRoot() const { return m_root; }
    // Mounts a SAF archive found at `path` (under this root). Raises
    // cExceptionOpeningFile or cExceptionBadSAFFile.
    virtual void AddArchive(const std::string& path);
    virtual void RemoveArchive(const std::string& path);
    // Raises cExceptionOpeningFile when neither the disk nor an archive has it.
    // Text mode drops carriage returns and always gives a memory stream.
    virtual cFileInput* OpenInput(const std::string& path, bool text, bool loadToMemory);
    // Raises cExceptionCreatingFile.
    virtual cFileOutput* OpenOutput(const std::string& path, bool text, bool append);
    virtual cFileInput* OpenInputAbsolute(const std::string& path, bool text, bool loadToMemory);
    virtual cFileOutput* OpenOutputAbsolute(const std::string& path, bool text, bool append);
    // Closes and destroys a stream this file system opened; others are ignored.
    virtual void Close(cFileInput* stream);
    virtual void Close(cFileOutput* stream);
    virtual bool Exists(const std::string& path) const;
    virtual bool IsFile(const std::string& path) const;
    virtual bool IsFolder(const std::string& path) const;
    virtual bool CreateFolder(const std::string& path);
    virtual std::unique_ptr<cDirectoryScanner> CreateDirectoryScanner() const = 0;

    // Whole-or-nothing writing for files the program saves: the stream
    // writes a temporary file beside `path`; `CommitAtomic` syncs it, renames
    // it over `path` and closes the stream (raising cExceptionWhenWritingFile
    // on failure, leaving the old file intact). Closing the stream with
    // `Close` instead, or losing it with the file system, discards it.
    cFileOutput* OpenOutputAtomic(const std::string& path, bool text);
    void CommitAtomic(cFileOutput* stream);
    // Removes the temporary files that saves into `folder` left behind when
    // they were interrupted (a crash, a power cut); logs each one. Returns
    // how many there were.
    int RemoveInterruptedSaves(const std::string& folder);

    // root + path ('/' added between them when needed); the path unchanged
    // when the root is empty.
    std::string TranslatePath(const std::string& path) const;
    size_t GetArchiveCount() const { return m_archives.size(); }
    size_t GetOpenStreamCount() const;

private:
    // `archivePath` is the name looked up in the archives: the caller's path
    // before translation, so archives hold paths relative to the root.
    cFileInput* OpenInputAt(const std::string& diskPath, const std::string& archivePath, bool text,
                            bool loadToMemory);
    cFileInput* Adopt(std::unique_ptr<cFileInput> stream);
    cFileOutput* Adopt(std::unique_ptr<cFileOutput> stream);

    std::string m_root;
    std::vector<std::unique_ptr<cFileSAF>> m_archives;
    // Open and close happen on the main thread, but a sound thread may be
    // reading its own stream meanwhile; the lists are guarded all the same.
    mutable std::mutex m_lock;
    std::vector<std::unique_ptr<cFileInput>> m_inputs;
    std::vector<std::unique_ptr<cFileOutput>> m_outputs;
};

// Closes a stream through its file system when leaving a scope, so a failed
// load does not keep the file open until the file system ends.
template <class Stream> class cScopedStream
{
public:
    cScopedStream(cFileSystem& fileSystem, Stream* stream)
        : m_fileSystem(fileSystem), m_stream(stream)
    {
    }
    ~cScopedStream()
    {
        if (m_stream)
            m_fileSystem.Close(m_stream);
    }
    cScopedStream(const cScopedStream&) = delete;
    cScopedStream& operator=(const cScopedStream&) = delete;

    Stream& operator*() const { return *m_stream; }
    Stream* operator->() const { return m_stream; }
    Stream* Get() const { return m_stream; }

private:
    cFileSystem& m_fileSystem;
    Stream* m_stream;
};

using cScopedInput = cScopedStream<cFileInput>;
using cScopedOutput = cScopedStream<cFileOutput>;

// The whole of a file as bytes, read in binary mode; raises as OpenInput and
// the reads do.
std::vector<uint8_t> ReadFileBytes(cFileSystem& fileSystem, const std::string& path);

} // namespace Korva
