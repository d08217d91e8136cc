#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Korva
{

// A writable byte stream. Typed values are written as little-endian bytes.
// Line ends are written as "\n" in text mode too: this is a Linux program and
// its readers accept either convention.
class cFileOutput
{
public:
    explicit cFileOutput(std::string name) : m_name(std::move(name)) {}
    virtual ~cFileOutput() = default;
    cFileOutput(const cFileOutput&) = delete;
    cFileOutput& operator=(const cFileOutput&) = delete;

    virtual void WriteU8(uint8_t value);
    virtual void WriteU16(uint16_t value);
    virtual void WriteU32(uint32_t value);
    virtual void WriteFloat(float value);
    virtual void WriteString(const std::string& text);
    virtual void Write(const void* buffer, size_t count) = 0;
    virtual void Flush() = 0;

    const std::string& GetName() const { return m_name; }

private:
    std::string m_name;
};

} // namespace Korva
