#include "tools/datagen/Icon.h"

#include "tools/datagen/BoardArt.h"

#include <cairo.h>
#include <stdexcept>

namespace DataGen
{

namespace
{
// Centre first, then north and clockwise, as the piece's directions go.
struct cIconBrick
{
    int column; // -1, 0, 1
    double row; // in cell heights; the side columns sit half a cell off
    int code;   // two-coloured brick: body colour * 10 + half colour
};
constexpr cIconBrick kBricks[] = {{0, 0, 41}, {0, -1, 12},   {1, -0.5, 23}, {1, 0.5, 35},
                                  {0, 1, 56}, {-1, 0.5, 67}, {-1, -0.5, 71}};

// The piece spans two pitches plus a cell across and three cells down; the
// margin leaves room for the bricks' drop shadow.
constexpr double kPieceWidth = 2 * kPitch + kCellW;
constexpr double kPieceHeight = 3 * kCellH;
constexpr double kMargin = 4;

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}
} // namespace

const std::vector<int>& IconSizes()
{
    static const std::vector<int> sizes = {16, 32, 48, 64, 128, 256};
    return sizes;
}

std::string EncodeIconPNG(int size)
{
    cCanvas canvas(size, size);
    cairo_t* cr = canvas.Cr();
    const double scale = size / (kPieceHeight + 2 * kMargin);
    cairo_scale(cr, scale, scale);
    const double cx = (kPieceHeight + 2 * kMargin) / 2 - 1;
    const double cy = (kPieceHeight + 2 * kMargin) / 2 - 1;
    // Every shadow under every brick, so no shadow falls on a neighbour.
    for (const cIconBrick& brick : kBricks)
        DrawBrickShadow(cr, cx + brick.column * kPitch, cy + brick.row * kCellH, 1.0);
    for (const cIconBrick& brick : kBricks)
        DrawColourBrick(cr, cx + brick.column * kPitch, cy + brick.row * kCellH, 1.0, brick.code);

    std::string png;
    cairo_surface_flush(canvas.Surface());
    if (cairo_surface_write_to_png_stream(canvas.Surface(), AppendBytes, &png) !=
        CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("Couldn't encode the icon as PNG.");
    return png;
}

} // namespace DataGen
