#include "tools/datagen/BoardArt.h"

#include <algorithm>
#include <cmath>

namespace DataGen
{

namespace
{

constexpr double kBrickW = kCellW - 4;
constexpr double kBrickH = kCellH - 4;

sRGB Slate()
{
    return RGB255(74, 88, 112);
}

// Direction d (1..6) as an angle in radians, measured clockwise from north.
double DirAngle(int d)
{
    return (d - 1) * M_PI / 3.0;
}

void Symbol(cairo_t* cr, int colour, double x, double y, double r)
{
    cairo_new_path(cr);
    switch (colour)
    {
    case 1:
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        break;
    case 2:
        cairo_move_to(cr, x, y - r * 1.15);
        cairo_line_to(cr, x + r * 1.1, y + r * 0.8);
        cairo_line_to(cr, x - r * 1.1, y + r * 0.8);
        cairo_close_path(cr);
        break;
    case 3:
        cairo_move_to(cr, x, y - r * 1.25);
        cairo_line_to(cr, x + r * 0.9, y);
        cairo_line_to(cr, x, y + r * 1.25);
        cairo_line_to(cr, x - r * 0.9, y);
        cairo_close_path(cr);
        break;
    case 4:
        cairo_rectangle(cr, x - r * 0.85, y - r * 0.85, r * 1.7, r * 1.7);
        break;
    case 5:
    case 6:
    {
        // A plus (5) or a cross (6) as one outline, so its rim has no inner lines.
        const double a = r * 0.36, b = r * 1.15;
        const double pts[12][2] = {{-a, -b}, {a, -b}, {a, -a}, {b, -a}, {b, a},   {a, a},
                                   {a, b},   {-a, b}, {-a, a}, {-b, a}, {-b, -a}, {-a, -a}};
        const double turn = colour == 6 ? M_PI / 4 : 0;
        for (int i = 0; i < 12; ++i)
        {
            const double px = x + pts[i][0] * std::cos(turn) - pts[i][1] * std::sin(turn);
            const double py = y + pts[i][0] * std::sin(turn) + pts[i][1] * std::cos(turn);
            if (i == 0)
                cairo_move_to(cr, px, py);
            else
                cairo_line_to(cr, px, py);
        }
        cairo_close_path(cr);
        break;
    }
    case 7:
        StarPath(cr, x, y, r * 1.25, r * 0.55, 5, 0);
        break;
    case 8:
        cairo_arc(cr, x, y, r * 1.05, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, x, y, r * 0.5, 2 * M_PI, 0);
        break;
    case 9:
        cairo_rectangle(cr, x - r, y - r * 0.8, r * 2, r * 0.55);
        cairo_rectangle(cr, x - r, y + r * 0.25, r * 2, r * 0.55);
        break;
    default:
        cairo_arc(cr, x, y, r * 0.5, 0, 2 * M_PI);
        break;
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void FillSymbol(cairo_t* cr, int colour, double x, double y, double r)
{
    Symbol(cr, colour, x, y, r);
    SetColor(cr, BrickColour(colour).Darker(0.62), 0.95);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, std::max(0.6, r * 0.22));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, BrickColour(colour).Lighter(0.6), 0.7);
    cairo_stroke(cr);
}

} // namespace

void DrawSymbolMark(cairo_t* cr, int colour, double x, double y, double r)
{
    Symbol(cr, colour, x, y, r);
    cairo_set_line_width(cr, std::max(1.0, r * 0.4));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0.04, 0.05, 0.1, 0.95);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
}

namespace
{

// A glossy hexagonal brick body in one colour, clipped by the caller if needed.
void GlossyHex(cairo_t* cr, double cx, double cy, double s, const sRGB& c)
{
    const double w = kBrickW * s, h = kBrickH * s;
    HexPathCentred(cr, cx, cy, w, h, 0);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx, cy - h / 2, cx, cy + h / 2);
    cairo_pattern_add_color_stop_rgb(g, 0, c.Lighter(0.35).r, c.Lighter(0.35).g, c.Lighter(0.35).b);
    cairo_pattern_add_color_stop_rgb(g, 0.5, c.r, c.g, c.b);
    cairo_pattern_add_color_stop_rgb(g, 1, c.Darker(0.3).r, c.Darker(0.3).g, c.Darker(0.3).b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Bevel: a light inner rim at the top, a dark one at the bottom.
    HexPathCentred(cr, cx, cy, w, h, 2.2 * s);
    cairo_set_line_width(cr, 1.6 * s);
    cairo_pattern_t* rim = cairo_pattern_create_linear(cx, cy - h / 2, cx, cy + h / 2);
    cairo_pattern_add_color_stop_rgba(rim, 0, 1, 1, 1, 0.55);
    cairo_pattern_add_color_stop_rgba(rim, 0.55, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(rim, 1, 0, 0, 0, 0.3);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    // Gloss spot.
    cairo_save(cr);
    cairo_translate(cr, cx - w * 0.12, cy - h * 0.24);
    cairo_scale(cr, w * 0.26, h * 0.12);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.28);
    cairo_fill(cr);
}

void HexOutline(cairo_t* cr, double cx, double cy, double s)
{
    HexPathCentred(cr, cx, cy, kBrickW * s, kBrickH * s, 0.5 * s);
    cairo_set_line_width(cr, 1.3 * s);
    cairo_set_source_rgba(cr, 0.05, 0.07, 0.12, 0.9);
    cairo_stroke(cr);
}

void Chevron(cairo_t* cr, double x, double y, double size, double angle, double alpha,
             const sRGB& c)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_new_path(cr);
    cairo_move_to(cr, -size, size * 0.45);
    cairo_line_to(cr, 0, -size * 0.55);
    cairo_line_to(cr, size, size * 0.45);
    cairo_restore(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, size * 0.55);
    SetColor(cr, c, alpha);
    cairo_stroke(cr);
}

void Cracks(cairo_t* cr, double x, double y, double alpha)
{
    cairo_set_line_width(cr, 1.1);
    cairo_set_source_rgba(cr, 0.08, 0.06, 0.05, alpha);
    const double pts[][4] = {{22, 3, 19, 14}, {19, 14, 24, 22}, {24, 22, 18, 37},
                             {19, 14, 8, 17}, {24, 22, 36, 26}, {36, 26, 41, 21},
                             {8, 17, 4, 24},  {18, 37, 12, 33}};
    for (const auto& p : pts)
    {
        cairo_move_to(cr, x + p[0], y + p[1]);
        cairo_line_to(cr, x + p[2], y + p[3]);
    }
    cairo_stroke(cr);
}

void TileBase(cairo_t* cr, double x, double y, const sRGB& top, const sRGB& bottom)
{
    HexPath(cr, x + 0.5, y + 0.5, kCellW - 1, kCellH - 1);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + kCellW * 0.3, y + kCellH);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0.05, 0.06, 0.1, 0.75);
    cairo_stroke(cr);
    HexPathCentred(cr, x + kCellW / 2.0, y + kCellH / 2.0, kCellW, kCellH, 2.5);
    cairo_set_line_width(cr, 1.2);
    cairo_pattern_t* rim = cairo_pattern_create_linear(x, y, x, y + kCellH);
    cairo_pattern_add_color_stop_rgba(rim, 0, 1, 1, 1, 0.32);
    cairo_pattern_add_color_stop_rgba(rim, 0.5, 1, 1, 1, 0.05);
    cairo_pattern_add_color_stop_rgba(rim, 1, 0, 0, 0, 0.25);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
}

} // namespace

sRGB BrickColour(int colour)
{
    static const sRGB table[10] = {
        RGB255(150, 100, 60),  RGB255(225, 55, 60),  RGB255(245, 145, 35), RGB255(245, 215, 50),
        RGB255(70, 185, 75),   RGB255(45, 195, 205), RGB255(60, 100, 230), RGB255(155, 80, 215),
        RGB255(245, 120, 190), RGB255(225, 225, 230)};
    return table[(colour % 10 + 10) % 10];
}

sRGB BackgroundBlue()
{
    return RGB255(100, 150, 200);
}

void DrawCell(cairo_t* cr, double x, double y, int kind, double phase, double crumble)
{
    const double cx = x + kCellW / 2.0, cy = y + kCellH / 2.0;
    cairo_save(cr);
    switch (kind)
    {
    case 0:
        HexPath(cr, x + 1.5, y + 1.5, kCellW - 3, kCellH - 3);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.05);
        cairo_fill_preserve(cr);
        {
            const double dash[] = {3, 3};
            cairo_set_dash(cr, dash, 2, 0);
        }
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_stroke(cr);
        break;
    case 1:
        TileBase(cr, x, y, Slate().Lighter(0.12), Slate().Darker(0.15));
        break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    {
        TileBase(cr, x, y, RGB255(70, 96, 120), RGB255(52, 70, 92));
        const double a = DirAngle(kind - 1);
        HexPathCentred(cr, cx, cy, kCellW, kCellH, 3);
        cairo_clip(cr);
        // Three chevrons gliding towards the push direction, fading at the ends.
        for (int i = -1; i < 3; ++i)
        {
            const double t = (i + phase) / 3.0; // 0..1 across the cell
            const double d = (t - 0.5) * 24;
            const double alpha =
                t < 0 || t > 1 ? 0.0 : 0.3 + 0.7 * std::sin(M_PI * std::clamp(t, 0.0, 1.0));
            Chevron(cr, cx + std::sin(a) * d, cy - std::cos(a) * d, 6.5, a, alpha,
                    RGB255(255, 214, 80));
        }
        break;
    }
    case 8:
    {
        TileBase(cr, x, y, RGB255(60, 45, 95), RGB255(30, 20, 55));
        HexPathCentred(cr, cx, cy, kCellW, kCellH, 3);
        cairo_clip(cr);
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 1, cx, cy, 18);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.02, 0, 0.06, 1);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.3, 0.15, 0.5, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        for (int arm = 0; arm < 4; ++arm)
        {
            cairo_new_path(cr);
            for (int k = 0; k <= 30; ++k)
            {
                const double t = k / 30.0;
                const double r = 2 + t * 17;
                const double a = -phase * 2 * M_PI + arm * M_PI / 2 + t * 3.2;
                const double px = cx + r * std::cos(a), py = cy + r * std::sin(a) * 0.9;
                if (k == 0)
                    cairo_move_to(cr, px, py);
                else
                    cairo_line_to(cr, px, py);
            }
            cairo_set_line_width(cr, 2.2);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_source_rgba(cr, 0.75, 0.55, 1.0, 0.8);
            cairo_stroke(cr);
        }
        break;
    }
    case 9:
    case 11:
    {
        const double c1 = crumble;
        if (c1 > 0)
        {
            // falls apart: shrinking, darkening shards over a broken cell
            DrawCell(cr, x, y, 12, 0);
        }
        cairo_save(cr);
        if (c1 > 0)
        {
            cairo_translate(cr, cx, cy + c1 * 6);
            cairo_scale(cr, 1 - c1 * 0.7, 1 - c1 * 0.7);
            cairo_translate(cr, -cx, -cy);
            cairo_push_group(cr);
        }
        TileBase(cr, x, y, RGB255(200, 238, 250), RGB255(120, 185, 220));
        HexPathCentred(cr, cx, cy, kCellW, kCellH, 3);
        cairo_clip(cr);
        // A glint that sweeps across the ice now and then.
        const double gx = x - 20 + phase * 110;
        cairo_pattern_t* g = cairo_pattern_create_linear(gx - 8, y, gx + 8, y + 6);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 0.75);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        cairo_set_line_width(cr, 1.3);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
        cairo_move_to(cr, x + 10, y + 28);
        cairo_line_to(cr, x + 18, y + 20);
        cairo_move_to(cr, x + 14, y + 31);
        cairo_line_to(cr, x + 26, y + 19);
        cairo_stroke(cr);
        if (kind == 11)
            Cracks(cr, x, y, 0.8);
        if (c1 > 0)
        {
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, 1 - c1);
        }
        cairo_restore(cr);
        break;
    }
    case 10:
    {
        if (crumble > 0)
            DrawCell(cr, x, y, 12, 0);
        cairo_save(cr);
        if (crumble > 0)
        {
            cairo_translate(cr, cx, cy + crumble * 6);
            cairo_scale(cr, 1 - crumble * 0.7, 1 - crumble * 0.7);
            cairo_translate(cr, -cx, -cy);
            cairo_push_group(cr);
        }
        TileBase(cr, x, y, RGB255(128, 112, 96), RGB255(88, 74, 62));
        Cracks(cr, x, y, 0.85);
        if (crumble > 0)
        {
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, 1 - crumble);
        }
        cairo_restore(cr);
        break;
    }
    case 12:
    {
        HexPath(cr, x + 0.5, y + 0.5, kCellW - 1, kCellH - 1);
        cairo_set_source_rgb(cr, 0.12, 0.11, 0.12);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
        cairo_stroke(cr);
        // Rubble: a few grey stones.
        const double stones[][3] = {{13, 14, 4},   {27, 12, 3},   {31, 26, 4.5},
                                    {17, 28, 3.5}, {23, 21, 2.5}, {9, 22, 2}};
        for (const auto& s : stones)
        {
            cairo_arc(cr, x + s[0], y + s[1], s[2], 0, 2 * M_PI);
            cairo_set_source_rgb(cr, 0.36, 0.33, 0.31);
            cairo_fill(cr);
            cairo_arc(cr, x + s[0] - s[2] * 0.3, y + s[1] - s[2] * 0.3, s[2] * 0.45, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.15);
            cairo_fill(cr);
        }
        break;
    }
    default:
        break;
    }
    cairo_restore(cr);
}

void DrawBrickShadow(cairo_t* cr, double cx, double cy, double s)
{
    for (int i = 0; i < 4; ++i)
    {
        HexPathCentred(cr, cx + 2.5 * s, cy + 3.5 * s, kBrickW * s, kBrickH * s, (i - 1.5) * s);
        cairo_set_source_rgba(cr, 0, 0, 0.05, 0.12);
        cairo_fill(cr);
    }
}

void DrawBrickBody(cairo_t* cr, double cx, double cy, double s, int colour)
{
    GlossyHex(cr, cx, cy, s, BrickColour(colour));
    HexOutline(cr, cx, cy, s);
    FillSymbol(cr, colour, cx - 9 * s, cy + 0.5 * s, 5.6 * s);
}

void DrawBrickHalf(cairo_t* cr, double cx, double cy, double s, int colour)
{
    cairo_save(cr);
    cairo_rectangle(cr, cx, cy - 30 * s, 30 * s, 60 * s);
    cairo_clip(cr);
    GlossyHex(cr, cx, cy, s, BrickColour(colour));
    HexOutline(cr, cx, cy, s);
    cairo_restore(cr);
    // The seam between the two halves.
    cairo_move_to(cr, cx, cy - kBrickH * s / 2 + 1.5 * s);
    cairo_line_to(cr, cx, cy + kBrickH * s / 2 - 1.5 * s);
    cairo_set_line_width(cr, 1.0 * s);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_stroke(cr);
    FillSymbol(cr, colour, cx + 9 * s, cy + 0.5 * s, 5.6 * s);
}

void DrawColourBrick(cairo_t* cr, double cx, double cy, double s, int code)
{
    DrawBrickBody(cr, cx, cy, s, code / 10);
    DrawBrickHalf(cr, cx, cy, s, code % 10);
}

void DrawMultiLayer(cairo_t* cr, double cx, double cy, double s, int layer, int step)
{
    // Ring `step` of 14 of a colour wave; three waves of neighbouring layers are
    // visible at once and together fill the brick from the centre outwards.
    const double R = kBrickW * s / 2;
    const double rIn = step < 5 ? 0 : R * step / 14.0;
    const double rOut = R * (step + 5) / 14.0 + 0.5;
    cairo_save(cr);
    HexPathCentred(cr, cx, cy, kBrickW * s, kBrickH * s, 0.5 * s);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, rOut, 0, 2 * M_PI);
    if (rIn > 0)
    {
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, cy, rIn, 2 * M_PI, 0);
    }
    const sRGB c = BrickColour(layer + 1);
    cairo_pattern_t* g =
        cairo_pattern_create_radial(cx - R * 0.3, cy - R * 0.4, 0, cx, cy, R * 1.3);
    cairo_pattern_add_color_stop_rgb(g, 0, c.Lighter(0.5).r, c.Lighter(0.5).g, c.Lighter(0.5).b);
    cairo_pattern_add_color_stop_rgb(g, 1, c.Darker(0.15).r, c.Darker(0.15).g, c.Darker(0.15).b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    HexOutline(cr, cx, cy, s);
}

void DrawMultiBrick(cairo_t* cr, double cx, double cy, double s, double phase)
{
    int p = static_cast<int>(phase * 40);
    for (int layer = 0; layer < 8; ++layer)
    {
        if (p >= 0 && p < 14)
            DrawMultiLayer(cr, cx, cy, s, layer, p);
        p -= 5;
        if (p < 0)
            p += 40;
    }
}

void DrawStarBrick(cairo_t* cr, double cx, double cy, double s, double phase)
{
    GlossyHex(cr, cx, cy, s, RGB255(40, 44, 70));
    HexOutline(cr, cx, cy, s);
    const double pulse = 0.5 + 0.5 * std::cos(phase * 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 16 * s);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.95, 0.6, 0.55 + 0.3 * pulse);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.8, 0.2, 0);
    cairo_set_source(cr, g);
    HexPathCentred(cr, cx, cy, kBrickW * s, kBrickH * s, 1.5 * s);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Five points make a fifth of a turn look like a full cycle.
    StarPath(cr, cx, cy, 13.5 * s, 5.8 * s, 5, phase * 2 * M_PI / 5);
    cairo_pattern_t* sg = cairo_pattern_create_linear(cx, cy - 14 * s, cx, cy + 14 * s);
    cairo_pattern_add_color_stop_rgb(sg, 0, 1, 0.97, 0.7);
    cairo_pattern_add_color_stop_rgb(sg, 1, 0.95, 0.62, 0.1);
    cairo_set_source(cr, sg);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sg);
    cairo_set_line_width(cr, 1.1 * s);
    cairo_set_source_rgba(cr, 0.45, 0.25, 0, 0.9);
    cairo_stroke(cr);
    // Twinkle.
    const double tw = 0.5 + 0.5 * std::sin(phase * 4 * M_PI);
    StarPath(cr, cx + 9 * s, cy - 8 * s, 4 * s * tw + 0.5, 0.8 * s, 4, 0);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_fill(cr);
}

void DrawBlocker(cairo_t* cr, double cx, double cy, double s)
{
    GlossyHex(cr, cx, cy, s, RGB255(120, 124, 130));
    HexOutline(cr, cx, cy, s);
    // Riveted steel plate with a diagonal band.
    cairo_save(cr);
    HexPathCentred(cr, cx, cy, kBrickW * s, kBrickH * s, 5 * s);
    cairo_set_line_width(cr, 1.2 * s);
    cairo_set_source_rgba(cr, 0.15, 0.15, 0.18, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
    for (int i = 0; i < 6; ++i)
    {
        const double a = i * M_PI / 3;
        const double px = cx + std::cos(a) * 12.5 * s, py = cy + std::sin(a) * 10.5 * s;
        cairo_arc(cr, px, py, 1.6 * s, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.85, 0.86, 0.9);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, cx - 7 * s, cy - 2.2 * s, 14 * s, 4.4 * s);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.24);
    cairo_fill(cr);
}

void DrawBomb(cairo_t* cr, double cx, double cy, double s, int state, double phase)
{
    if (state == 2)
    {
        // Blast: a white-hot flash that swells and fades.
        const double t = phase;
        const double r = (16 + 14 * std::sqrt(t)) * s;
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 0.92, 1 - t * 0.7);
        cairo_pattern_add_color_stop_rgba(g, 0.45, 1, 0.8, 0.25, (1 - t) * 0.95);
        cairo_pattern_add_color_stop_rgba(g, 0.8, 0.95, 0.35, 0.05, (1 - t) * 0.6);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.8, 0.2, 0.05, 0);
        cairo_set_source(cr, g);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        return;
    }
    GlossyHex(cr, cx, cy, s, RGB255(58, 52, 60));
    HexOutline(cr, cx, cy, s);
    const double blink = state == 1 ? (std::fmod(phase * 6, 1.0) < 0.5 ? 1.0 : 0.25) : 0.0;
    // Ball.
    cairo_arc(cr, cx, cy + 2 * s, 10 * s, 0, 2 * M_PI);
    cairo_pattern_t* g =
        cairo_pattern_create_radial(cx - 3 * s, cy - 2 * s, 1, cx, cy + 2 * s, 11 * s);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.45 + 0.5 * blink, 0.42, 0.45);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.05 + 0.4 * blink, 0.04, 0.06);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Fuse, burning down while the timer runs.
    const double len = state == 1 ? 1.0 - phase : 1.0;
    cairo_move_to(cr, cx + 5 * s, cy - 6 * s);
    const double ex = cx + (5 + 6 * len) * s, ey = cy - (6 + 8 * len) * s;
    cairo_curve_to(cr, cx + 7 * s, cy - 9 * s, ex - 2 * s, ey + 3 * s, ex, ey);
    cairo_set_line_width(cr, 1.8 * s);
    cairo_set_source_rgb(cr, 0.75, 0.65, 0.45);
    cairo_stroke(cr);
    if (state == 1)
    {
        const double flick = 0.7 + 0.3 * std::sin(phase * 60);
        StarPath(cr, ex, ey, 4.5 * s * flick, 1.5 * s, 6, phase * 20);
        cairo_set_source_rgb(cr, 1, 0.85, 0.3);
        cairo_fill(cr);
        cairo_arc(cr, ex, ey, 1.4 * s, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 1, 0.9);
        cairo_fill(cr);
    }
    else
    {
        const double glint = 0.3 + 0.3 * std::sin(phase * 2 * M_PI);
        cairo_arc(cr, cx - 4 * s, cy - 2 * s, 2.2 * s, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, glint);
        cairo_fill(cr);
    }
}

void DrawPlasma(cairo_t* cr, double cx, double cy, double s, double phase)
{
    GlossyHex(cr, cx, cy, s, RGB255(30, 60, 110));
    HexOutline(cr, cx, cy, s);
    cairo_save(cr);
    HexPathCentred(cr, cx, cy, kBrickW * s, kBrickH * s, 2 * s);
    cairo_clip(cr);
    const double pulse = 0.5 + 0.5 * std::sin(phase * 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 15 * s);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.9, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(g, 0.35 + 0.1 * pulse, 0.3, 0.8, 1, 0.9);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.1, 0.3, 0.9, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // Crackling arcs around the core.
    for (int i = 0; i < 3; ++i)
    {
        const double a0 = phase * 2 * M_PI * (i % 2 ? -1 : 1) + i * 2.1;
        cairo_new_path(cr);
        for (int k = 0; k <= 8; ++k)
        {
            const double a = a0 + k * 0.32;
            const double r = (9 + 2.5 * std::sin(k * 2.7 + phase * 12 + i)) * s;
            if (k == 0)
                cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
            else
                cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        }
        cairo_set_line_width(cr, 1.3 * s);
        cairo_set_source_rgba(cr, 0.85, 0.97, 1, 0.9);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void DrawAnyBrick(cairo_t* cr, double cx, double cy, double s, int code)
{
    if (code >= 1 && code <= 99)
        DrawColourBrick(cr, cx, cy, s, code);
    else if (code == 100)
        DrawMultiBrick(cr, cx, cy, s, 0.3);
    else if (code == 101)
        DrawStarBrick(cr, cx, cy, s, 0.1);
    else if (code == 102)
        DrawBlocker(cr, cx, cy, s);
    else if (code == 103)
        DrawBomb(cr, cx, cy, s, 0, 0.25);
    else if (code == 104)
        DrawPlasma(cr, cx, cy, s, 0.2);
}

void DrawItemArrow(cairo_t* cr, double cx, double cy, double s, int arrow, double phase)
{
    const sRGB fill = RGB255(255, 236, 120);
    const sRGB edge = RGB255(90, 50, 0);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, s, s);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (arrow < 6)
    {
        // Push: a bold arrow nudging towards its direction.
        cairo_rotate(cr, DirAngle(arrow + 1));
        const double nudge = -2 + 4 * (0.5 - 0.5 * std::cos(phase * 2 * M_PI));
        cairo_translate(cr, 0, -nudge);
        cairo_new_path(cr);
        cairo_move_to(cr, 0, -15);
        cairo_line_to(cr, 10, -3);
        cairo_line_to(cr, 4, -3);
        cairo_line_to(cr, 4, 11);
        cairo_line_to(cr, -4, 11);
        cairo_line_to(cr, -4, -3);
        cairo_line_to(cr, -10, -3);
        cairo_close_path(cr);
    }
    else
    {
        // Turn: a circular arrow, clockwise (6) or anticlockwise (7), slowly spinning.
        const double dir = arrow == 6 ? 1 : -1;
        cairo_rotate(cr, dir * phase * M_PI / 3);
        if (dir < 0)
            cairo_scale(cr, -1, 1);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 12, -M_PI * 0.95, M_PI * 0.45);
        cairo_arc_negative(cr, 0, 0, 6.5, M_PI * 0.45, -M_PI * 0.95);
        cairo_close_path(cr);
        // Arrow head at the end of the arc.
        const double a = M_PI * 0.45;
        const double hx = 9.25 * std::cos(a), hy = 9.25 * std::sin(a);
        cairo_move_to(cr, hx + 7 * std::cos(a), hy + 7 * std::sin(a));
        cairo_line_to(cr, hx - 7 * std::cos(a), hy - 7 * std::sin(a));
        cairo_line_to(cr, hx - 7 * std::sin(a) - 0.5, hy + 7 * std::cos(a));
        cairo_close_path(cr);
    }
    cairo_set_line_width(cr, 2.2);
    SetColor(cr, edge);
    cairo_stroke_preserve(cr);
    SetColor(cr, fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace DataGen
