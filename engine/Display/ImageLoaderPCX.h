#pragma once

#include "engine/Display/ImageLoader.h"

namespace Korva
{

// PCX version 5, run-length encoded, 8 bits per plane: one plane with the
// 256-colour palette at the end of the file, or three planes (red, green,
// blue).
class cImageLoaderPCX : public cImageLoader
{
public:
    using cImageLoader::cImageLoader;
    void Decode(std::span<const uint8_t> bytes) override;

    // Raises "Error loading PCX image: '<path>'.".
    [[noreturn]] static void Fail(const std::string& path);
};

} // namespace Korva
