#pragma once

#include "engine/File/FileOutput.h"

#include <cstdio>

namespace Korva
{

// Writes to an open C library stream, which it owns and closes. A short write
// or a failed flush raises cExceptionWhenWritingFile.
class cFileOutputFile : public cFileOutput
{
public:
    cFileOutputFile(std::string name, std::FILE* file) : cFileOutput(std::move(name)), m_file(file)
    {
    }
    ~cFileOutputFile() override;

    void Write(const void* buffer, size_t count) override;
    void Flush() override;

protected:
    std::FILE* GetFile() const { return m_file; }
    // Closes the stream now; returns false when buffered data could not be
    // written.
    bool CloseFile();

private:
    std::FILE* m_file;
};

} // namespace Korva
