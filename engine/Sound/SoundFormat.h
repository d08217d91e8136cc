#pragma once

#include <cstdint>

namespace Korva
{

// Sample formats of sounds and of the output device.
enum eSampleFormat : int32_t
{
    kSampleFormat16 = 0, // 16-bit signed
    kSampleFormat8 = 1,  // 8-bit unsigned
};

inline int32_t BytesPerSample(int32_t format)
{
    return format == kSampleFormat8 ? 1 : 2;
}

} // namespace Korva
