#pragma once
// Drawing helpers over cairo: an owned image surface with its context, the
// hexagon shapes of the board, rounded panels and text in the DejaVu faces.
#include "tools/datagen/Image.h"

#include <cairo.h>
#include <string>

namespace DataGen
{

struct sRGB
{
    double r, g, b;
    sRGB Mix(const sRGB& o, double t) const
    {
        return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
    }
    sRGB Lighter(double t) const { return Mix({1, 1, 1}, t); }
    sRGB Darker(double t) const { return Mix({0, 0, 0}, t); }
};

inline sRGB RGB255(int r, int g, int b)
{
    return {r / 255.0, g / 255.0, b / 255.0};
}

class cCanvas
{
public:
    cCanvas(int width, int height);
    ~cCanvas();
    cCanvas(const cCanvas&) = delete;
    cCanvas& operator=(const cCanvas&) = delete;

    cairo_t* operator*() const { return m_cr; }
    cairo_t* Cr() const { return m_cr; }
    cairo_surface_t* Surface() const { return m_surface; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    sImage Image() const { return FromCairo(m_surface); }

private:
    int m_width, m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

void SetColor(cairo_t* cr, const sRGB& c, double alpha = 1.0);
// The board's hexagon: flat top, w x h box at (x, y), sloped edges ch/4 - 1 wide
// so that neighbouring cells tile exactly with the board's column pitch.
void HexPath(cairo_t* cr, double x, double y, double w, double h);
// The same shape scaled about its centre by `scale` and inset by `inset` pixels.
void HexPathCentred(cairo_t* cr, double cx, double cy, double w, double h, double inset);
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
void StarPath(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points,
              double angle);

enum class eFace
{
    Sans,
    SansBold,
    Condensed,
    CondensedBold,
    SerifBold,
    Mono
};

// Selects a DejaVu face at a pixel size (hinting off, grey antialiasing; the same
// bytes on every run).
void SelectFont(cairo_t* cr, eFace face, double pixelSize);
// Text from Latin-1 bytes. align: 0 left, 1 centred, 2 right; y is the baseline.
double TextWidth(cairo_t* cr, const std::string& latin1);
void DrawText(cairo_t* cr, const std::string& latin1, double x, double y, int align);
// Text with a dark outline and a fill, as used on buttons and titles.
void DrawOutlinedText(cairo_t* cr, const std::string& latin1, double x, double y, int align,
                      const sRGB& fill, const sRGB& outline, double outlineWidth);
std::string Latin1ToUtf8(const std::string& latin1);

void ReleaseFonts();

} // namespace DataGen
