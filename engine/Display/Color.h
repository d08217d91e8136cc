#pragma once

#include <cstdint>

namespace Korva
{

// A colour with opacity, 0..255 per channel; default opaque black. Drawing
// multiplies texels by it, so white leaves a picture unchanged and `a` is
// the opacity.
struct cColor
{
    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
    int32_t a = 255;

    constexpr cColor() = default;
    constexpr cColor(int32_t red, int32_t green, int32_t blue, int32_t alpha = 255)
        : r(red), g(green), b(blue), a(alpha)
    {
    }

    // Packed for the device: ((a * 256 + r) * 256 + g) * 256 + b. Channels
    // outside 0..255 are clamped so one bad value cannot bleed into the others.
    constexpr uint32_t ToARGB() const
    {
        return (Clamp(a) << 24) | (Clamp(r) << 16) | (Clamp(g) << 8) | Clamp(b);
    }
    static constexpr cColor FromARGB(uint32_t argb)
    {
        return cColor(static_cast<int32_t>((argb >> 16) & 255),
                      static_cast<int32_t>((argb >> 8) & 255), static_cast<int32_t>(argb & 255),
                      static_cast<int32_t>(argb >> 24));
    }

    static constexpr cColor White(int32_t alpha = 255) { return cColor(255, 255, 255, alpha); }

    friend constexpr bool operator==(const cColor&, const cColor&) = default;

private:
    static constexpr uint32_t Clamp(int32_t v)
    {
        return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
};

} // namespace Korva
