#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Korva
{

// A picture as 32-bit pixels, rows top to bottom, each pixel the bytes red,
// green, blue, alpha in memory order (alpha 0 = transparent).
class cPixelBuffer
{
public:
    cPixelBuffer() = default;
    cPixelBuffer(int32_t width, int32_t height) { Resize(width, height); }

    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    bool IsEmpty() const { return m_pixels.empty(); }

    // Changes the size, keeping the overlapping top-left part; new pixels are
    // transparent black. A dimension of 0 or less leaves no pixels at all.
    void Resize(int32_t width, int32_t height);

    uint8_t* GetPixels() { return m_pixels.data(); }
    const uint8_t* GetPixels() const { return m_pixels.data(); }
    uint8_t* GetRow(int32_t y) { return m_pixels.data() + RowOffset(y); }
    const uint8_t* GetRow(int32_t y) const { return m_pixels.data() + RowOffset(y); }

    // Unchecked access to one pixel's four bytes.
    uint8_t* At(int32_t x, int32_t y) { return GetRow(y) + static_cast<size_t>(x) * 4; }
    const uint8_t* At(int32_t x, int32_t y) const { return GetRow(y) + static_cast<size_t>(x) * 4; }
    void SetPixel(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
    {
        uint8_t* p = At(x, y);
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = a;
    }

private:
    size_t RowOffset(int32_t y) const
    {
        return static_cast<size_t>(y) * static_cast<size_t>(m_width) * 4;
    }

    int32_t m_width = 0;
    int32_t m_height = 0;
    std::vector<uint8_t> m_pixels;
};

} // namespace Korva
