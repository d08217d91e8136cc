#include "engine/File/FileOutput.h"

#include <cstring>

namespace Korva
{

void cFileOutput::WriteU8(uint8_t value)
{
    Write(&value, 1);
}

void cFileOutput::WriteU16(uint16_t value)
{
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    Write(bytes, 2);
}

void cFileOutput::WriteU32(uint32_t value)
{
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    Write(bytes, 4);
}

void cFileOutput::WriteFloat(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteU32(bits);
}

void cFileOutput::WriteString(const std::string& text)
{
    Write(text.data(), text.size());
}

} // namespace Korva
