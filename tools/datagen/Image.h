#pragma once
// Pictures as straight-alpha RGBA bytes, and the two file formats the game reads:
// true-colour TGA (run-length encoded, 32 bit) and 24-bit three-plane PCX.
#include <cstdint>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace DataGen
{

struct sImage
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; // rows top to bottom, 4 bytes per pixel

    sImage() = default;
    sImage(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4, 0) {}
    uint8_t* At(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    const uint8_t* At(int x, int y) const
    {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
};

// Converts a cairo ARGB32 (premultiplied) surface to straight RGBA.
sImage FromCairo(cairo_surface_t* surface);
// Copies src into dst at (x, y) without blending.
void Blit(const sImage& src, sImage& dst, int x, int y);

std::string EncodeTGA(const sImage& image); // type 10, 32 bit, bottom row first
std::string EncodePCX(const sImage& image); // version 5, RLE, 3 planes; alpha dropped
// Reads back what EncodeTGA writes (types 2 and 10, 24/32 bit); throws on bad data.
sImage DecodeTGA(const std::string& bytes);
// Reads back what EncodePCX writes (3 planes, 8 bits); throws on bad data.
sImage DecodePCX(const std::string& bytes);
// Chooses by the file name's extension.
sImage DecodeTGAorPCX(const std::string& bytes, const std::string& fileName);

} // namespace DataGen
