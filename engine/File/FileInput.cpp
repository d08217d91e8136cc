#include "engine/File/FileInput.h"

#include "engine/Core/Exception.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

int64_t cFileInput::Clamp(int64_t position) const
{
    return std::clamp<int64_t>(position, 0, static_cast<int64_t>(Size()));
}

void cFileInput::ReadExactly(void* buffer, size_t count)
{
    const size_t start = Tell();
    if (Read(buffer, count) < count)
    {
        Seek(static_cast<int64_t>(start));
        KORVA_THROW(cExceptionEndOfFile, m_name);
    }
}

uint32_t cFileInput::Assemble(const uint8_t* bytes, size_t count) const
{
    // Built from bytes rather than copied, so the result does not depend on
    // the host's own byte order.
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i)
    {
        const size_t index = m_bigEndian ? i : count - 1 - i;
        value = (value << 8) | bytes[index];
    }
    return value;
}

uint8_t cFileInput::ReadU8()
{
    uint8_t byte = 0;
    ReadExactly(&byte, 1);
    return byte;
}

uint16_t cFileInput::ReadU16()
{
    uint8_t bytes[2];
    ReadExactly(bytes, 2);
    return static_cast<uint16_t>(Assemble(bytes, 2));
}

uint32_t cFileInput::ReadU32()
{
    uint8_t bytes[4];
    ReadExactly(bytes, 4);
    return Assemble(bytes, 4);
}

float cFileInput::ReadFloat()
{
    const uint32_t bits = ReadU32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Peeks return to the exact start position instead of stepping back by the
// value's size, which would be wrong where a text stream skipped carriage
// returns.
uint8_t cFileInput::PeekU8()
{
    const size_t start = Tell();
    const uint8_t value = ReadU8();
    Seek(static_cast<int64_t>(start));
    return value;
}

uint16_t cFileInput::PeekU16()
{
    const size_t start = Tell();
    const uint16_t value = ReadU16();
    Seek(static_cast<int64_t>(start));
    return value;
}

uint32_t cFileInput::PeekU32()
{
    const size_t start = Tell();
    const uint32_t value = ReadU32();
    Seek(static_cast<int64_t>(start));
    return value;
}

float cFileInput::PeekFloat()
{
    const size_t start = Tell();
    const float value = ReadFloat();
    Seek(static_cast<int64_t>(start));
    return value;
}

void cFileInput::ReadLine(std::string& line, bool keepNewline)
{
    char c;
    while (Read(&c, 1) == 1)
    {
        if (c == '\n')
        {
            if (keepNewline)
                line += c;
            return;
        }
        line += c;
    }
}

} // namespace Korva
