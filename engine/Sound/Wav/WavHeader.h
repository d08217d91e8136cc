#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Korva
{

// What a PCM WAV file holds and where its frames are.
struct cWavHeader
{
    int32_t format = 0; // eSampleFormat
    int32_t channels = 0;
    uint32_t rate = 0;
    size_t dataOffset = 0;
    size_t dataSize = 0; // whole frames only, within the file
    size_t frameCount = 0;

    size_t FrameBytes() const;
};

// Reads the RIFF chunks of a WAV file in memory. Raises cException with
// errorMessage unless it is 8- or 16-bit PCM, mono or stereo, at a sane rate,
// with both a "fmt " and a "data" chunk. A data chunk that claims more bytes
// than the file has is cut to what is there.
cWavHeader ParseWavHeader(const uint8_t* data, size_t size, const std::string& errorMessage);

} // namespace Korva
