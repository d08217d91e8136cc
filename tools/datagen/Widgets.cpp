#include "tools/datagen/Widgets.h"

#include <cmath>
#include <sstream>
#include <vector>

namespace DataGen
{

sRGB UiNavy()
{
    return RGB255(32, 58, 104);
}
sRGB UiGold()
{
    return RGB255(255, 208, 90);
}

sImage ButtonImage(int w, int h, const std::string& label, int state, double fontSize)
{
    cCanvas c(w, h);
    cairo_t* cr = *c;
    const double press = state == 2 ? 1 : 0;
    sRGB top = UiNavy().Lighter(0.22), bottom = UiNavy().Darker(0.25);
    if (state == 1)
    {
        top = UiNavy().Lighter(0.42);
        bottom = UiNavy().Lighter(0.05);
    }
    else if (state == 2)
    {
        top = UiNavy().Darker(0.35);
        bottom = UiNavy().Darker(0.05);
    }
    RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, std::min(6.0, h / 3.0));
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1);
    SetColor(cr, state == 1 ? UiGold() : RGB255(150, 180, 225));
    cairo_stroke(cr);
    // A soft top sheen.
    if (state != 2)
    {
        RoundRectPath(cr, 2, 2, w - 4, h / 2.0 - 1, std::min(4.0, h / 4.0));
        cairo_set_source_rgba(cr, 1, 1, 1, state == 1 ? 0.16 : 0.1);
        cairo_fill(cr);
    }
    std::vector<std::string> lines;
    std::stringstream ss(label);
    for (std::string line; std::getline(ss, line);)
        lines.push_back(line);
    SelectFont(cr, eFace::CondensedBold, fontSize);
    const double lineH = fontSize * 1.1;
    double y = h / 2.0 - lineH * lines.size() / 2.0 + fontSize * 0.8 + press;
    for (const auto& line : lines)
    {
        DrawOutlinedText(cr, line, w / 2.0 + press, std::round(y), 1,
                         state == 1 ? RGB255(255, 244, 200) : sRGB{1, 1, 1}, {0.05, 0.08, 0.15},
                         1.0);
        y += lineH;
    }
    return c.Image();
}

sImage LabelImage(int w, int h, const std::string& text, double size, int align, eFace face,
                  sRGB fill)
{
    cCanvas c(w, h);
    SelectFont(*c, face, size);
    const double x = align == 0 ? 2 : align == 1 ? w / 2.0 : w - 2;
    DrawOutlinedText(*c, text, x, std::round(h / 2.0 + size * 0.36), align, fill,
                     {0.05, 0.07, 0.12}, size / 10.0);
    return c.Image();
}

void DrawBox(cairo_t* cr, double x, double y, double w, double h, double radius, double alpha)
{
    RoundRectPath(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.1, 0.16, 0.3, alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.05, 0.08, 0.18, alpha);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 0.7, 0.8, 0.95, 0.8);
    cairo_stroke(cr);
}

} // namespace DataGen
