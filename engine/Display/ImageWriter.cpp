#include "engine/Display/ImageWriter.h"

#include "engine/Core/Exception.h"

#include <cstdio>
#include <filesystem>
#include <png.h>

namespace Korva
{

std::vector<uint8_t> EncodeTGA(const cPixelBuffer& image)
{
    const int32_t width = image.GetWidth();
    const int32_t height = image.GetHeight();
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2; // uncompressed true colour
    bytes[12] = static_cast<uint8_t>(width & 255);
    bytes[13] = static_cast<uint8_t>(width >> 8);
    bytes[14] = static_cast<uint8_t>(height & 255);
    bytes[15] = static_cast<uint8_t>(height >> 8);
    bytes[16] = 32;
    bytes[17] = 8; // eight alpha bits, rows bottom first
    bytes.reserve(bytes.size() + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (int32_t y = height - 1; y >= 0; --y)
    {
        for (int32_t x = 0; x < width; ++x)
        {
            const uint8_t* p = image.At(x, y);
            bytes.insert(bytes.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    return bytes;
}

std::vector<uint8_t> EncodePNG(const cPixelBuffer& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.GetWidth());
    png.height = static_cast<png_uint_32>(image.GetHeight());
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (image.IsEmpty() ||
        !png_image_write_to_memory(&png, nullptr, &size, 0, image.GetPixels(), 0, nullptr))
        return {};
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.GetPixels(), 0, nullptr))
        return {};
    bytes.resize(size);
    return bytes;
}

void SaveImage(const cPixelBuffer& image, const std::string& path)
{
    const bool png = path.size() >= 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    const std::vector<uint8_t> bytes = png ? EncodePNG(image) : EncodeTGA(image);
    if (bytes.empty())
        KORVA_THROW(cExceptionWhenWritingFile, path);
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        KORVA_THROW(cExceptionCreatingFile, path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (!written || !closed)
    {
        std::filesystem::remove(temporary, error);
        KORVA_THROW(cExceptionWhenWritingFile, path);
    }
    std::filesystem::rename(temporary, path, error);
    if (error)
    {
        std::filesystem::remove(temporary, error);
        KORVA_THROW(cExceptionWhenWritingFile, path);
    }
}

} // namespace Korva
