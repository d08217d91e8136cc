#pragma once

#include "engine/Display/ImageLoader.h"

namespace Korva
{

// True-colour TGA, uncompressed (type 2) or run-length encoded (type 10), 15,
// 16, 24 or 32 bits per pixel.
class cImageLoaderTGA : public cImageLoader
{
public:
    using cImageLoader::cImageLoader;
    void Decode(std::span<const uint8_t> bytes) override;

    // Raises "Error loading TGA image: '<path>'.".
    [[noreturn]] static void Fail(const std::string& path);
};

} // namespace Korva
