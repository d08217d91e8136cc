#include "engine/Sound/SampleConversion.h"

#include "engine/Sound/SoundFormat.h"

namespace Korva
{

namespace
{
int32_t ReadSample(const uint8_t*& source, int32_t format)
{
    if (format == kSampleFormat8)
        return (int32_t{*source++} - 128) * 256;
    const auto value = static_cast<int16_t>(source[0] | (source[1] << 8));
    source += 2;
    return value;
}

void WriteSample(void*& destination, int32_t format, int32_t value)
{
    if (format == kSampleFormat8)
    {
        auto* out = static_cast<uint8_t*>(destination);
        *out = static_cast<uint8_t>((value >> 8) + 128);
        destination = out + 1;
    }
    else
    {
        auto* out = static_cast<int16_t*>(destination);
        *out = static_cast<int16_t>(value);
        destination = out + 1;
    }
}
} // namespace

void ConvertFrames(const uint8_t* source, int32_t sourceFormat, int32_t sourceChannels,
                   void* destination, int32_t destinationFormat, int32_t destinationChannels,
                   size_t frames)
{
    for (size_t i = 0; i < frames; ++i)
    {
        const int32_t left = ReadSample(source, sourceFormat);
        const int32_t right = sourceChannels == 2 ? ReadSample(source, sourceFormat) : left;
        if (destinationChannels == 2)
        {
            WriteSample(destination, destinationFormat, left);
            WriteSample(destination, destinationFormat, right);
        }
        else
        {
            WriteSample(destination, destinationFormat, (left + right) >> 1);
        }
    }
}

} // namespace Korva
