#include "engine/Sound/Wav/WavHeader.h"

#include "engine/Core/Exception.h"
#include "engine/Sound/SoundFormat.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

namespace
{
constexpr uint32_t kMaxRate = 768000;

uint32_t ReadU32(const uint8_t* p)
{
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool IsId(const uint8_t* p, const char* id)
{
    return std::memcmp(p, id, 4) == 0;
}
} // namespace

size_t cWavHeader::FrameBytes() const
{
    return static_cast<size_t>(BytesPerSample(format)) * channels;
}

cWavHeader ParseWavHeader(const uint8_t* data, size_t size, const std::string& errorMessage)
{
    if (!data || size < 12 || !IsId(data, "RIFF") || !IsId(data + 8, "WAVE"))
        KORVA_THROW(cException, errorMessage);
    const uint64_t end = std::min<uint64_t>(8 + uint64_t{ReadU32(data + 4)}, size);

    bool haveFormat = false;
    bool haveData = false;
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t bits = 0;
    cWavHeader header;
    uint64_t position = 12;
    while (position + 8 <= end)
    {
        const uint8_t* chunk = data + position;
        const uint32_t chunkSize = ReadU32(chunk + 4);
        position += 8;
        if (IsId(chunk, "fmt ") && !haveFormat)
        {
            if (chunkSize < 16 || position + 16 > size)
                KORVA_THROW(cException, errorMessage);
            const uint8_t* fmt = data + position;
            formatTag = ReadU16(fmt);
            channels = ReadU16(fmt + 2);
            rate = ReadU32(fmt + 4);
            bits = ReadU16(fmt + 14);
            haveFormat = true;
        }
        else if (IsId(chunk, "data") && !haveData)
        {
            header.dataOffset = static_cast<size_t>(position);
            header.dataSize = static_cast<size_t>(std::min<uint64_t>(chunkSize, size - position));
            haveData = true;
        }
        position += chunkSize;
        // Chunks of odd size are followed by a pad byte in well-formed files;
        // it is skipped only when it is there (a chunk id never starts with 0).
        if ((chunkSize & 1) != 0 && position < size && data[position] == 0)
            ++position;
    }

    if (!haveFormat || !haveData || formatTag != 1 || (channels != 1 && channels != 2) ||
        (bits != 8 && bits != 16) || rate == 0 || rate > kMaxRate)
        KORVA_THROW(cException, errorMessage);
    header.format = bits == 16 ? kSampleFormat16 : kSampleFormat8;
    header.channels = channels;
    header.rate = rate;
    header.frameCount = header.dataSize / header.FrameBytes();
    header.dataSize = header.frameCount * header.FrameBytes();
    return header;
}

} // namespace Korva
