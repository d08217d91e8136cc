#include "engine/Display/ImageLoaderTGA.h"

#include "engine/Core/Exception.h"

namespace Korva
{

void cImageLoaderTGA::Fail(const std::string& path)
{
    KORVA_THROW(cException, "Error loading TGA image: '" + path + "'.");
}

namespace
{

// Reads one pixel value of the file's depth and stores it as R, G, B, A.
inline void ReadPixel(cByteReader& in, int bits, uint8_t* out)
{
    if (bits <= 16)
    {
        const uint16_t v = in.U16();
        out[0] = static_cast<uint8_t>(((v >> 10) & 31) * 8);
        out[1] = static_cast<uint8_t>(((v >> 5) & 31) * 8);
        out[2] = static_cast<uint8_t>((v & 31) * 8);
        out[3] = 255;
        return;
    }
    out[2] = in.U8();
    out[1] = in.U8();
    out[0] = in.U8();
    out[3] = bits == 32 ? in.U8() : 255;
}

} // namespace

void cImageLoaderTGA::Decode(std::span<const uint8_t> bytes)
{
    cByteReader in(bytes, &cImageLoaderTGA::Fail, GetPath());
    const uint8_t idLength = in.U8();
    const uint8_t colorMapType = in.U8();
    const uint8_t imageType = in.U8();
    if (colorMapType != 0 || (imageType != 2 && imageType != 10))
        in.Fail();
    in.Seek(12);
    const int32_t width = in.S16();
    const int32_t height = in.S16();
    const int bits = in.U8();
    if (bits != 15 && bits != 16 && bits != 24 && bits != 32)
        in.Fail();
    // The descriptor's bits 4 and 5 give the corner the first pixel belongs
    // to: bottom-left unless they say right or top.
    const uint8_t descriptor = in.U8();
    const bool topFirst = (descriptor & 0x20) != 0;
    const bool rightFirst = (descriptor & 0x10) != 0;
    if (width <= 0 || height <= 0)
        in.Fail();
    in.Seek(18 + static_cast<size_t>(idLength));

    // A file too short for its claimed size is refused before the buffer is
    // made, so a lying header cannot make us allocate gigabytes.
    const size_t pixelBytes = static_cast<size_t>(bits + 7) / 8;
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    const size_t minimum =
        imageType == 2 ? pixelCount * pixelBytes : (pixelCount + 127) / 128 * (1 + pixelBytes);
    if (in.GetRemaining() < minimum)
        in.Fail();

    m_buffer.Resize(width, height);
    // Rows are stored bottom first and left to right unless the descriptor
    // says otherwise. A packet may run on into the next row, so the position
    // is tracked across rows.
    int32_t column = 0;
    int32_t row = 0;
    auto advance = [&]() -> uint8_t*
    {
        uint8_t* out = m_buffer.At(rightFirst ? width - 1 - column : column,
                                   topFirst ? row : height - 1 - row);
        if (++column == width)
        {
            column = 0;
            ++row;
        }
        return out;
    };
    size_t remaining = pixelCount;
    if (imageType == 2)
    {
        for (; remaining > 0; --remaining)
            ReadPixel(in, bits, advance());
        return;
    }
    while (remaining > 0)
    {
        const uint8_t header = in.U8();
        size_t count = static_cast<size_t>(header & 127) + 1;
        if (count > remaining)
            in.Fail(); // a run past the end of the picture
        remaining -= count;
        if (header >= 128)
        {
            uint8_t value[4];
            ReadPixel(in, bits, value);
            for (; count > 0; --count)
            {
                uint8_t* out = advance();
                out[0] = value[0];
                out[1] = value[1];
                out[2] = value[2];
                out[3] = value[3];
            }
        }
        else
        {
            for (; count > 0; --count)
                ReadPixel(in, bits, advance());
        }
    }
}

} // namespace Korva
