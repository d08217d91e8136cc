#include "engine/Display/PixelFormat.h"

#include <algorithm>

namespace Korva
{

void ConvertPixels(const cPixelBuffer& image, int32_t columns, eTextureFormat format,
                   std::vector<uint8_t>& out)
{
    columns = std::clamp(columns, 0, image.GetWidth());
    const size_t bytesPerPixel = format == eTextureFormat::A8R8G8B8 ? 4 : 2;
    out.resize(static_cast<size_t>(columns) * static_cast<size_t>(image.GetHeight()) *
               bytesPerPixel);
    uint8_t* to = out.data();
    for (int32_t y = 0; y < image.GetHeight(); ++y)
    {
        const uint8_t* from = image.GetRow(y);
        for (int32_t x = 0; x < columns; ++x, from += 4)
        {
            if (format == eTextureFormat::A8R8G8B8)
            {
                // Red and blue change places: B, G, R, A in memory.
                *to++ = from[2];
                *to++ = from[1];
                *to++ = from[0];
                *to++ = from[3];
            }
            else
            {
                const uint16_t v =
                    static_cast<uint16_t>(((from[3] >> 4) << 12) | ((from[0] >> 4) << 8) |
                                          ((from[1] >> 4) << 4) | (from[2] >> 4));
                *to++ = static_cast<uint8_t>(v & 255);
                *to++ = static_cast<uint8_t>(v >> 8);
            }
        }
    }
}

} // namespace Korva
