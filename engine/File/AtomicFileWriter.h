#pragma once

#include "engine/File/FileSystem.h"

namespace Korva
{

// Saves a file whole or not at all:
//
//     cAtomicFileWriter writer(fileSystem, "Options.txt");
//     tree.Write(writer.Output());
//     writer.Commit();
//
// Until `Commit` the data goes to a temporary file beside the target; an
// exception or an early return leaves the old file as it was.
class cAtomicFileWriter
{
public:
    // Raises cExceptionCreatingFile when the temporary file cannot be made.
    cAtomicFileWriter(cFileSystem& fileSystem, const std::string& path, bool text = true)
        : m_fileSystem(fileSystem), m_stream(fileSystem.OpenOutputAtomic(path, text))
    {
    }
    ~cAtomicFileWriter()
    {
        if (m_stream)
            m_fileSystem.Close(m_stream);
    }
    cAtomicFileWriter(const cAtomicFileWriter&) = delete;
    cAtomicFileWriter& operator=(const cAtomicFileWriter&) = delete;

    cFileOutput& Output() { return *m_stream; }
    // Puts the file in place; raises cExceptionWhenWritingFile when that
    // fails. Nothing can be written afterwards.
    void Commit()
    {
        cFileOutput* stream = m_stream;
        m_stream = nullptr;
        m_fileSystem.CommitAtomic(stream);
    }

private:
    cFileSystem& m_fileSystem;
    cFileOutput* m_stream;
};

} // namespace Korva
