#include "engine/Display/PixelBuffer.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

void cPixelBuffer::Resize(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
    {
        m_width = 0;
        m_height = 0;
        m_pixels.clear();
        return;
    }
    if (width == m_width && height == m_height)
        return;
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    const int32_t keepWidth = std::min(width, m_width);
    const int32_t keepHeight = std::min(height, m_height);
    for (int32_t y = 0; y < keepHeight; ++y)
        std::memcpy(pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 4,
                    GetRow(y), static_cast<size_t>(keepWidth) * 4);
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
}

} // namespace Korva
