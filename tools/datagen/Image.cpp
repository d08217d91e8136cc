#include "tools/datagen/Image.h"

#include <algorithm>
#include <cairo.h>
#include <cstring>
#include <stdexcept>

namespace DataGen
{

sImage FromCairo(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    sImage img(w, h);
    for (int y = 0; y < h; ++y)
    {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x)
        {
            const uint32_t p = row[x];
            const unsigned a = p >> 24;
            uint8_t* d = img.At(x, y);
            if (a == 0)
            {
                d[0] = d[1] = d[2] = d[3] = 0;
                continue;
            }
            // Un-premultiply with rounding.
            d[0] = static_cast<uint8_t>((((p >> 16) & 255) * 255 + a / 2) / a);
            d[1] = static_cast<uint8_t>((((p >> 8) & 255) * 255 + a / 2) / a);
            d[2] = static_cast<uint8_t>(((p & 255) * 255 + a / 2) / a);
            d[3] = static_cast<uint8_t>(a);
        }
    }
    return img;
}

void Blit(const sImage& src, sImage& dst, int x, int y)
{
    for (int row = 0; row < src.height; ++row)
    {
        if (y + row < 0 || y + row >= dst.height)
            continue;
        for (int col = 0; col < src.width; ++col)
        {
            if (x + col < 0 || x + col >= dst.width)
                continue;
            std::memcpy(dst.At(x + col, y + row), src.At(col, row), 4);
        }
    }
}

namespace
{

void Put16(std::string& out, int v)
{
    out += static_cast<char>(v & 255);
    out += static_cast<char>((v >> 8) & 255);
}

uint32_t PixelBGRA(const sImage& img, int x, int y)
{
    const uint8_t* p = img.At(x, y);
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutPixel(std::string& out, uint32_t bgra)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((bgra >> (8 * i)) & 255);
}

} // namespace

std::string EncodeTGA(const sImage& img)
{
    std::string out;
    out += '\0';         // no identification field
    out += '\0';         // no colour map
    out += '\x0a';       // run-length true colour
    out.append(5, '\0'); // colour map specification
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, img.width);
    Put16(out, img.height);
    out += static_cast<char>(32);
    out += static_cast<char>(8); // eight alpha bits, bottom-left origin
    // Packets may run across rows; the whole picture is one pixel sequence.
    std::vector<uint32_t> px;
    px.reserve(static_cast<size_t>(img.width) * img.height);
    for (int y = img.height - 1; y >= 0; --y)
        for (int x = 0; x < img.width; ++x)
            px.push_back(PixelBGRA(img, x, y));
    size_t i = 0;
    while (i < px.size())
    {
        size_t run = 1;
        while (i + run < px.size() && run < 128 && px[i + run] == px[i])
            ++run;
        if (run >= 2)
        {
            out += static_cast<char>(128 + run - 1);
            PutPixel(out, px[i]);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < px.size() && raw < 128 &&
               !(i + raw + 1 < px.size() && px[i + raw] == px[i + raw + 1]))
            ++raw;
        out += static_cast<char>(raw - 1);
        for (size_t k = 0; k < raw; ++k)
            PutPixel(out, px[i + k]);
        i += raw;
    }
    return out;
}

std::string EncodePCX(const sImage& img)
{
    std::string out(128, '\0');
    out[0] = 10;
    out[1] = 5;
    out[2] = 1;
    out[3] = 8;
    auto put16at = [&](size_t at, int v)
    {
        out[at] = static_cast<char>(v & 255);
        out[at + 1] = static_cast<char>((v >> 8) & 255);
    };
    put16at(4, 0);
    put16at(6, 0);
    put16at(8, img.width - 1);
    put16at(10, img.height - 1);
    put16at(12, 72);
    put16at(14, 72);
    out[65] = 3;
    put16at(66, img.width + (img.width & 1)); // bytes per plane line, even
    put16at(68, 1);
    const int lineBytes = img.width + (img.width & 1);
    std::vector<uint8_t> line(static_cast<size_t>(lineBytes) * 3);
    for (int y = 0; y < img.height; ++y)
    {
        for (int plane = 0; plane < 3; ++plane)
            for (int x = 0; x < lineBytes; ++x)
                line[static_cast<size_t>(plane) * lineBytes + x] =
                    x < img.width ? img.At(x, y)[plane] : 0;
        // Each plane line holds the padding byte of an odd width too, as the
        // header's bytes per line say.
        for (int plane = 0; plane < 3; ++plane)
        {
            const uint8_t* p = &line[static_cast<size_t>(plane) * lineBytes];
            int x = 0;
            while (x < lineBytes)
            {
                int run = 1;
                while (x + run < lineBytes && run < 63 && p[x + run] == p[x])
                    ++run;
                if (run > 1 || p[x] >= 192)
                {
                    out += static_cast<char>(192 + run);
                    out += static_cast<char>(p[x]);
                }
                else
                    out += static_cast<char>(p[x]);
                x += run;
            }
        }
    }
    return out;
}

sImage DecodeTGA(const std::string& b)
{
    auto fail = []() { throw std::runtime_error("Bad TGA data."); };
    if (b.size() < 18)
        fail();
    auto u8 = [&](size_t i) -> unsigned
    {
        if (i >= b.size())
            fail();
        return static_cast<unsigned char>(b[i]);
    };
    const unsigned idLen = u8(0);
    const unsigned type = u8(2);
    if (u8(1) != 0 || (type != 2 && type != 10))
        fail();
    const int w = static_cast<int>(u8(12) | (u8(13) << 8));
    const int h = static_cast<int>(u8(14) | (u8(15) << 8));
    const unsigned bpp = u8(16);
    if (bpp != 24 && bpp != 32)
        fail();
    const unsigned bytes = bpp / 8;
    sImage img(w, h);
    size_t pos = 18 + idLen;
    const size_t total = static_cast<size_t>(w) * h;
    size_t n = 0;
    auto read = [&](uint8_t* d)
    {
        d[2] = static_cast<uint8_t>(u8(pos));
        d[1] = static_cast<uint8_t>(u8(pos + 1));
        d[0] = static_cast<uint8_t>(u8(pos + 2));
        d[3] = bytes == 4 ? static_cast<uint8_t>(u8(pos + 3)) : 255;
        pos += bytes;
    };
    auto dest = [&](size_t k)
    {
        const int x = static_cast<int>(k % static_cast<size_t>(w));
        const int y = h - 1 - static_cast<int>(k / static_cast<size_t>(w));
        return img.At(x, y);
    };
    while (n < total)
    {
        if (type == 2)
        {
            read(dest(n++));
            continue;
        }
        const unsigned head = u8(pos++);
        const unsigned count = (head & 127) + 1;
        if (head & 128)
        {
            uint8_t px[4];
            read(px);
            for (unsigned k = 0; k < count && n < total; ++k)
                std::memcpy(dest(n++), px, 4);
        }
        else
        {
            for (unsigned k = 0; k < count && n < total; ++k)
                read(dest(n++));
        }
    }
    return img;
}

sImage DecodePCX(const std::string& b)
{
    auto u8 = [&](size_t i) -> unsigned
    {
        if (i >= b.size())
            throw std::runtime_error("Bad PCX data.");
        return static_cast<unsigned char>(b[i]);
    };
    if (u8(0) != 10 || u8(1) != 5 || u8(2) != 1 || u8(3) != 8 || u8(65) != 3)
        throw std::runtime_error("Bad PCX data.");
    const int w = static_cast<int>((u8(8) | (u8(9) << 8)) - (u8(4) | (u8(5) << 8)) + 1);
    const int h = static_cast<int>((u8(10) | (u8(11) << 8)) - (u8(6) | (u8(7) << 8)) + 1);
    // Plane lines are padded to the header's bytes per line.
    const int line = std::max(w, static_cast<int>(u8(66) | (u8(67) << 8)));
    sImage img(w, h);
    size_t pos = 128;
    std::vector<uint8_t> row(static_cast<size_t>(line) * 3);
    for (int y = 0; y < h; ++y)
    {
        size_t n = 0;
        while (n < row.size())
        {
            const unsigned v = u8(pos++);
            if ((v & 192) == 192)
            {
                const unsigned count = v & 63;
                const unsigned value = u8(pos++);
                for (unsigned k = 0; k < count && n < row.size(); ++k)
                    row[n++] = static_cast<uint8_t>(value);
            }
            else
                row[n++] = static_cast<uint8_t>(v);
        }
        for (int x = 0; x < w; ++x)
        {
            uint8_t* d = img.At(x, y);
            d[0] = row[static_cast<size_t>(x)];
            d[1] = row[static_cast<size_t>(line + x)];
            d[2] = row[static_cast<size_t>(2 * line + x)];
            d[3] = 255;
        }
    }
    return img;
}

sImage DecodeTGAorPCX(const std::string& bytes, const std::string& fileName)
{
    if (fileName.ends_with(".pcx"))
        return DecodePCX(bytes);
    return DecodeTGA(bytes);
}

} // namespace DataGen
