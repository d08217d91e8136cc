#include "engine/Display/ImageLoaderPCX.h"

#include "engine/Core/Exception.h"

#include <algorithm>
#include <vector>

namespace Korva
{

void cImageLoaderPCX::Fail(const std::string& path)
{
    KORVA_THROW(cException, "Error loading PCX image: '" + path + "'.");
}

namespace
{

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 768;

// Decodes exactly row.size() bytes. Every row starts a fresh decode: a run
// reaching past the row's end is cut there.
void DecodeRow(cByteReader& in, std::vector<uint8_t>& row)
{
    size_t x = 0;
    while (x < row.size())
    {
        const uint8_t b = in.U8();
        size_t count = 1;
        uint8_t value = b;
        if ((b & 192) == 192)
        {
            count = b & 63;
            value = in.U8();
        }
        for (; count > 0 && x < row.size(); --count)
            row[x++] = value;
    }
}

} // namespace

void cImageLoaderPCX::Decode(std::span<const uint8_t> bytes)
{
    cByteReader in(bytes, &cImageLoaderPCX::Fail, GetPath());
    if (bytes.size() < kHeaderSize)
        in.Fail();
    if (in.U8() != 10 || in.U8() != 5 || in.U8() != 1 || in.U8() != 8)
        in.Fail();
    const int32_t xmin = in.S16();
    const int32_t ymin = in.S16();
    const int32_t xmax = in.S16();
    const int32_t ymax = in.S16();
    const int32_t width = xmax - xmin + 1;
    const int32_t height = ymax - ymin + 1;
    in.Seek(65);
    const int planes = in.U8();
    if ((planes != 1 && planes != 3) || width <= 0 || height <= 0)
        in.Fail();
    // Each plane of a row is stored in this many bytes, padded to an even
    // count; a file that leaves the field below the width has no padding.
    const size_t lineBytes = std::max<size_t>(in.U16(), static_cast<size_t>(width));

    // The palette: 768 bytes at the very end, after a marker byte 12.
    size_t dataEnd = bytes.size();
    const uint8_t* palette = nullptr;
    if (planes == 1)
    {
        if (bytes.size() < kHeaderSize + kPaletteSize + 1 ||
            bytes[bytes.size() - kPaletteSize - 1] != 12)
            in.Fail();
        palette = bytes.data() + bytes.size() - kPaletteSize;
        dataEnd = bytes.size() - kPaletteSize - 1;
    }
    // Two encoded bytes give at most 63 pixels and every row starts afresh:
    // a file too short for its claimed size is refused before the buffer is
    // made, so a lying header cannot make us allocate gigabytes.
    const size_t rowBytes = lineBytes * static_cast<size_t>(planes);
    if (dataEnd - kHeaderSize < static_cast<size_t>(height) * (rowBytes / 63) * 2)
        in.Fail();

    cByteReader data(bytes.first(dataEnd), &cImageLoaderPCX::Fail, GetPath());
    data.Seek(kHeaderSize);
    m_buffer.Resize(width, height);
    std::vector<uint8_t> row(rowBytes);
    for (int32_t y = 0; y < height; ++y)
    {
        DecodeRow(data, row);
        for (int32_t x = 0; x < width; ++x)
        {
            if (planes == 1)
            {
                const uint8_t* entry = palette + static_cast<size_t>(row[x]) * 3;
                m_buffer.SetPixel(x, y, entry[0], entry[1], entry[2], 255);
            }
            else
            {
                m_buffer.SetPixel(x, y, row[x], row[lineBytes + x], row[2 * lineBytes + x], 255);
            }
        }
    }
}

} // namespace Korva
