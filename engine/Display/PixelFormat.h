#pragma once

#include "engine/Display/PixelBuffer.h"

#include <cstdint>
#include <vector>

namespace Korva
{

// Texture formats a back end may store pixels in.
enum class eTextureFormat
{
    A8R8G8B8, // 32-bit values, alpha in the top byte
    A4R4G4B4, // 16-bit values, each channel's top four bits
};

// Converts the first `columns` pixels of every row of the picture (engine
// pixels: bytes R, G, B, A) into tightly packed rows of the texture format,
// as little-endian values.
void ConvertPixels(const cPixelBuffer& image, int32_t columns, eTextureFormat format,
                   std::vector<uint8_t>& out);

} // namespace Korva
