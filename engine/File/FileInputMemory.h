#pragma once

#include "engine/File/FileInput.h"

#include <vector>

namespace Korva
{

// A stream over its own copy of a byte buffer. In text mode every carriage
// return is removed, so files written with Windows line ends read the same as
// ones written here.
class cFileInputMemory : public cFileInput
{
public:
    cFileInputMemory(std::string name, std::vector<uint8_t> data, bool text);
    cFileInputMemory(std::string name, const void* data, size_t size, bool text);

    size_t Size() const override { return m_data.size(); }
    size_t Tell() const override { return m_position; }
    bool IsEOF() const override { return m_position >= m_data.size(); }
    size_t Read(void* buffer, size_t count) override;
    void ReadLine(std::string& line, bool keepNewline) override;
    void Seek(int64_t offset) override;
    void SeekFromEnd(int64_t offset) override;
    void SeekRelative(int64_t offset) override;

    const std::vector<uint8_t>& GetData() const { return m_data; }

private:
    std::vector<uint8_t> m_data;
    size_t m_position = 0;
};

} // namespace Korva
