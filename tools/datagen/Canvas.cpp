#include "tools/datagen/Canvas.h"

#include <cairo-ft.h>
#include <cmath>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <map>
#include <stdexcept>

#ifndef ZELTRA_FONT_DIR
#define ZELTRA_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace DataGen
{

cCanvas::cCanvas(int width, int height)
    : m_width(width), m_height(height),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      m_cr(cairo_create(m_surface))
{
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_GRAY);
}

cCanvas::~cCanvas()
{
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

void SetColor(cairo_t* cr, const sRGB& c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void HexPath(cairo_t* cr, double x, double y, double w, double h)
{
    const double s = h / 4.0 - 1.0;
    cairo_new_path(cr);
    cairo_move_to(cr, x + s, y);
    cairo_line_to(cr, x + w - s, y);
    cairo_line_to(cr, x + w, y + h / 2);
    cairo_line_to(cr, x + w - s, y + h);
    cairo_line_to(cr, x + s, y + h);
    cairo_line_to(cr, x, y + h / 2);
    cairo_close_path(cr);
}

void HexPathCentred(cairo_t* cr, double cx, double cy, double w, double h, double inset)
{
    const double s = (h / 4.0 - 1.0) * (h - 2 * inset) / h;
    const double hw = w / 2 - inset, hh = h / 2 - inset;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - hw + s, cy - hh);
    cairo_line_to(cr, cx + hw - s, cy - hh);
    cairo_line_to(cr, cx + hw, cy);
    cairo_line_to(cr, cx + hw - s, cy + hh);
    cairo_line_to(cr, cx - hw + s, cy + hh);
    cairo_line_to(cr, cx - hw, cy);
    cairo_close_path(cr);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points,
              double angle)
{
    cairo_new_path(cr);
    for (int i = 0; i < points * 2; ++i)
    {
        const double r = (i % 2) ? rInner : rOuter;
        const double a = angle + M_PI * i / points - M_PI / 2;
        const double px = cx + r * std::cos(a), py = cy + r * std::sin(a);
        if (i == 0)
            cairo_move_to(cr, px, py);
        else
            cairo_line_to(cr, px, py);
    }
    cairo_close_path(cr);
}

namespace
{

struct sFonts
{
    FT_Library library = nullptr;
    std::map<eFace, std::pair<FT_Face, cairo_font_face_t*>> faces;

    cairo_font_face_t* Get(eFace face)
    {
        auto it = faces.find(face);
        if (it != faces.end())
            return it->second.second;
        if (!library && FT_Init_FreeType(&library))
            throw std::runtime_error("Couldn't start FreeType.");
        const char* file = "DejaVuSans.ttf";
        switch (face)
        {
        case eFace::Sans:
            file = "DejaVuSans.ttf";
            break;
        case eFace::SansBold:
            file = "DejaVuSans-Bold.ttf";
            break;
        case eFace::Condensed:
            file = "DejaVuSansCondensed.ttf";
            break;
        case eFace::CondensedBold:
            file = "DejaVuSansCondensed-Bold.ttf";
            break;
        case eFace::SerifBold:
            file = "DejaVuSerif-Bold.ttf";
            break;
        case eFace::Mono:
            file = "DejaVuSansMono-Bold.ttf";
            break;
        }
        const std::string path = std::string(ZELTRA_FONT_DIR) + "/" + file;
        FT_Face ft = nullptr;
        if (FT_New_Face(library, path.c_str(), 0, &ft))
            throw std::runtime_error("Couldn't open font '" + path + "'.");
        cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(ft, 0);
        faces[face] = {ft, cf};
        return cf;
    }

    void Release()
    {
        for (auto& [k, v] : faces)
        {
            cairo_font_face_destroy(v.second);
            FT_Done_Face(v.first);
        }
        faces.clear();
        if (library)
            FT_Done_FreeType(library);
        library = nullptr;
    }
};

sFonts& Fonts()
{
    static sFonts fonts;
    return fonts;
}

} // namespace

void ReleaseFonts()
{
    Fonts().Release();
}

void SelectFont(cairo_t* cr, eFace face, double pixelSize)
{
    cairo_set_font_face(cr, Fonts().Get(face));
    cairo_set_font_size(cr, pixelSize);
    cairo_font_options_t* opt = cairo_font_options_create();
    cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, opt);
    cairo_font_options_destroy(opt);
}

std::string Latin1ToUtf8(const std::string& latin1)
{
    std::string out;
    for (unsigned char c : latin1)
    {
        if (c < 128)
            out += static_cast<char>(c);
        else
        {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 63));
        }
    }
    return out;
}

double TextWidth(cairo_t* cr, const std::string& latin1)
{
    cairo_text_extents_t ext;
    cairo_text_extents(cr, Latin1ToUtf8(latin1).c_str(), &ext);
    return ext.x_advance;
}

void DrawText(cairo_t* cr, const std::string& latin1, double x, double y, int align)
{
    const double w = TextWidth(cr, latin1);
    const double sx = align == 0 ? x : align == 1 ? x - w / 2 : x - w;
    cairo_move_to(cr, std::round(sx), y);
    cairo_show_text(cr, Latin1ToUtf8(latin1).c_str());
    cairo_new_path(cr);
}

void DrawOutlinedText(cairo_t* cr, const std::string& latin1, double x, double y, int align,
                      const sRGB& fill, const sRGB& outline, double outlineWidth)
{
    const double w = TextWidth(cr, latin1);
    const double sx = align == 0 ? x : align == 1 ? x - w / 2 : x - w;
    cairo_new_path(cr);
    cairo_move_to(cr, std::round(sx), y);
    cairo_text_path(cr, Latin1ToUtf8(latin1).c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, outlineWidth * 2);
    SetColor(cr, outline);
    cairo_stroke_preserve(cr);
    SetColor(cr, fill);
    cairo_fill(cr);
}

} // namespace DataGen
