#pragma once

#include "engine/Display/PixelBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Korva
{

// An uncompressed 32-bit TGA file of the picture (rows bottom first, as our
// loader and every viewer read it).
std::vector<uint8_t> EncodeTGA(const cPixelBuffer& image);
// A PNG file of the picture with its alpha (empty when libpng fails).
std::vector<uint8_t> EncodePNG(const cPixelBuffer& image);

// Writes the picture to a file outside the program's file systems (tests,
// screenshots): into a temporary file beside it, then renamed over it, so a
// failed write never leaves half a file. A path ending in ".png" gets a PNG
// file, any other a TGA file. Raises
// cExceptionCreatingFile or cExceptionWhenWritingFile.
void SaveImage(const cPixelBuffer& image, const std::string& path);

} // namespace Korva
