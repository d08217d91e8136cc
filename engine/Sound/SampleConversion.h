#pragma once

#include <cstddef>
#include <cstdint>

namespace Korva
{

// Converts frames from little-endian file samples (16-bit signed or 8-bit
// unsigned, mono or stereo) into native samples of the destination format and
// channel count. Mono becomes both channels of stereo; stereo becomes the
// mean of its two channels in mono.
void ConvertFrames(const uint8_t* source, int32_t sourceFormat, int32_t sourceChannels,
                   void* destination, int32_t destinationFormat, int32_t destinationChannels,
                   size_t frames);

} // namespace Korva
