#pragma once

#include "engine/File/FileInput.h"

#include <cstdio>

namespace Korva
{

// A stream reading an open C library stream, which it owns and closes. The
// size is the end offset found when it was opened. In text mode carriage
// returns are skipped while reading (the C library on Linux does not convert
// line ends); positions and the size stay raw byte offsets.
class cFileInputFile : public cFileInput
{
public:
    cFileInputFile(std::string name, std::FILE* file, bool text);
    ~cFileInputFile() override;

    size_t Size() const override { return m_size; }
    size_t Tell() const override;
    bool IsEOF() const override;
    size_t Read(void* buffer, size_t count) override;
    void Seek(int64_t offset) override;
    void SeekFromEnd(int64_t offset) override;
    void SeekRelative(int64_t offset) override;

private:
    std::FILE* m_file;
    bool m_text;
    size_t m_size = 0;
};

} // namespace Korva
