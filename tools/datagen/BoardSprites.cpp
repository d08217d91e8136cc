#include "tools/datagen/BoardArt.h"
#include "tools/datagen/Generators.h"
#include "tools/datagen/Sheet.h"

#include <cmath>
#include <functional>

namespace DataGen
{

namespace
{

using tDraw = std::function<void(cairo_t*, double cx, double cy)>;

// One frame of a brick sprite, hot spot at the brick's centre. A sprite of
// bricks lying on the board leaves room for a shadow at the lower right in every
// frame; drawShadow says whether this frame carries it.
sImage BrickFrame(double scale, bool roomForShadow, bool drawShadow, int extra, const tDraw& draw,
                  int& hotX, int& hotY)
{
    const int pad = roomForShadow ? 6 : 0;
    const int w = static_cast<int>(std::ceil(kCellW * scale)) + pad + extra;
    const int h = static_cast<int>(std::ceil(kCellH * scale)) + pad + extra;
    cCanvas c(w, h);
    hotX = w / 2 - pad / 3;
    hotY = h / 2 - pad / 3;
    const double cx = hotX, cy = hotY;
    if (drawShadow)
    {
        // The shadow only where the brick is not, so pictures drawn in several
        // layers never darken one another.
        cairo_save(*c);
        HexPathCentred(*c, cx, cy, (kCellW - 4) * scale, (kCellH - 4) * scale, 0.5);
        cairo_rectangle(*c, 0, 0, w, h);
        cairo_set_fill_rule(*c, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_clip(*c);
        DrawBrickShadow(*c, cx, cy, scale);
        cairo_restore(*c);
        cairo_set_fill_rule(*c, CAIRO_FILL_RULE_WINDING);
    }
    draw(*c, cx, cy);
    return c.Image();
}

void Add(cSheet& sheet, double scale, bool roomForShadow, bool drawShadow, int extra,
         const tDraw& draw)
{
    int hx = 0, hy = 0;
    const sImage img = BrickFrame(scale, roomForShadow, drawShadow, extra, draw, hx, hy);
    sheet.AddFrame(img, hx, hy);
}

struct sVariant
{
    const char* suffix;
    double scale;
    bool shadow;
};

const sVariant kVariants[] = {
    {"", 1.0, false}, {"Shadow", 1.0, true}, {"Small", kSmallScale, false}};

void ColourBricks(cOutput& out, const sVariant& v)
{
    cSheet sheet(std::string("Bricks") + v.suffix);
    // Frames 0..6 show a neutral brick; 7 + c the brick in colour c (its first
    // colour), 15 + c the right half in colour c (its second colour).
    for (int f = 0; f <= 7; ++f)
        Add(sheet, v.scale, v.shadow, v.shadow, 0,
            [&](cairo_t* cr, double cx, double cy) { DrawBrickBody(cr, cx, cy, v.scale, 0); });
    for (int c = 1; c <= 8; ++c)
        Add(sheet, v.scale, v.shadow, v.shadow, 0,
            [&](cairo_t* cr, double cx, double cy) { DrawBrickBody(cr, cx, cy, v.scale, c); });
    for (int c = 1; c <= 9; ++c)
        Add(sheet, v.scale, v.shadow, false, 0,
            [&](cairo_t* cr, double cx, double cy) { DrawBrickHalf(cr, cx, cy, v.scale, c); });
    sheet.Write(out, "Bricks");
}

void BrickSymbols(cOutput& out, const char* suffix, double scale)
{
    // Frame c: colour c's symbol on a brick's left half (its first colour),
    // 10 + c on the right half (its second colour); hot spot at the brick's
    // centre, as the brick frames have it.
    cSheet sheet(std::string("BrickSymbols") + suffix);
    for (int half = 0; half < 2; ++half)
        for (int c = 0; c <= 9; ++c)
            Add(sheet, scale, false, false, 0,
                [&](cairo_t* cr, double cx, double cy)
                {
                    const double dx = (half == 0 ? -9.0 : 9.0) * scale;
                    DrawSymbolMark(cr, c, cx + dx, cy + 0.5 * scale, 6.5 * scale);
                });
    sheet.Write(out, "Bricks");
}

void SpecialBricks(cOutput& out, const sVariant& v)
{
    {
        cSheet sheet(std::string("BrickMulti") + v.suffix);
        for (int layer = 0; layer < 8; ++layer)
            for (int step = 0; step < 14; ++step)
                Add(sheet, v.scale, v.shadow, v.shadow && step < 5, 0,
                    [&](cairo_t* cr, double cx, double cy)
                    { DrawMultiLayer(cr, cx, cy, v.scale, layer, step); });
        sheet.Write(out, "Bricks");
    }
    {
        cSheet sheet(std::string("BrickStar") + v.suffix);
        for (int i = 0; i < 16; ++i)
            Add(sheet, v.scale, v.shadow, v.shadow, 0,
                [&](cairo_t* cr, double cx, double cy)
                { DrawStarBrick(cr, cx, cy, v.scale, i / 16.0); });
        sheet.Write(out, "Bricks");
    }
    {
        cSheet sheet(std::string("BrickBlocker") + v.suffix);
        Add(sheet, v.scale, v.shadow, v.shadow, 0,
            [&](cairo_t* cr, double cx, double cy) { DrawBlocker(cr, cx, cy, v.scale); });
        sheet.Write(out, "Bricks");
    }
    {
        // Animation 0 idle, 1 fuse (its length is the fuse time), 2 blast.
        cSheet sheet(std::string("BrickBomb") + v.suffix);
        const int extra = static_cast<int>(18 * v.scale);
        for (int i = 0; i < 8; ++i)
            Add(sheet, v.scale, v.shadow, v.shadow, extra,
                [&](cairo_t* cr, double cx, double cy)
                { DrawBomb(cr, cx, cy, v.scale, 0, i / 8.0); });
        for (int i = 0; i < 12; ++i)
            Add(sheet, v.scale, v.shadow, v.shadow, extra,
                [&](cairo_t* cr, double cx, double cy)
                { DrawBomb(cr, cx, cy, v.scale, 1, i / 12.0); });
        for (int i = 0; i < 8; ++i)
            Add(sheet, v.scale, v.shadow, false, extra,
                [&](cairo_t* cr, double cx, double cy)
                { DrawBomb(cr, cx, cy, v.scale, 2, i / 8.0); });
        sheet.AddSimpleAnim(0, 8, 0.15, true);
        sheet.AddSimpleAnim(8, 12, 0.125, false);
        sheet.AddSimpleAnim(20, 8, 0.06, false);
        sheet.Write(out, "Bricks");
    }
    {
        cSheet sheet(std::string("BrickPlasma") + v.suffix);
        for (int i = 0; i < 8; ++i)
            Add(sheet, v.scale, v.shadow, v.shadow, 0,
                [&](cairo_t* cr, double cx, double cy)
                { DrawPlasma(cr, cx, cy, v.scale, i / 8.0); });
        sheet.AddSimpleAnim(0, 8, 0.07, true);
        sheet.Write(out, "Bricks");
    }
}

sImage CellFrame(int kind, double phase, double crumble = 0)
{
    cCanvas c(kCellW, kCellH);
    DrawCell(*c, 0, 0, kind, phase, crumble);
    return c.Image();
}

void Cells(cOutput& out)
{
    // Animation k shows cell kind k (0..12); 13 and 14 crumble a fragile plain
    // and a fragile ice cell into a broken one. Frame 0 gives the cell size.
    cSheet sheet("Cells");
    std::vector<sAnim> anims;
    auto still = [&](int kind)
    {
        sAnim a;
        a.looping = true;
        a.steps.emplace_back(sheet.AddFrame(CellFrame(kind, 0), 0, 0), 1.0);
        anims.push_back(a);
    };
    still(0);
    still(1);
    for (int kind = 2; kind <= 7; ++kind)
    {
        sAnim a;
        a.looping = true;
        for (int i = 0; i < 10; ++i)
            a.steps.emplace_back(sheet.AddFrame(CellFrame(kind, i / 10.0), 0, 0), 0.08);
        anims.push_back(a);
    }
    {
        sAnim a;
        a.looping = true;
        for (int i = 0; i < 12; ++i)
            a.steps.emplace_back(sheet.AddFrame(CellFrame(8, i / 12.0), 0, 0), 0.06);
        anims.push_back(a);
    }
    auto ice = [&](int kind)
    {
        sAnim a;
        a.looping = true;
        for (int i = 0; i < 12; ++i)
            a.steps.emplace_back(sheet.AddFrame(CellFrame(kind, i / 11.0), 0, 0),
                                 i == 0 ? 2.4 : 0.05);
        anims.push_back(a);
    };
    ice(9);
    still(10);
    ice(11);
    still(12);
    for (int kind : {10, 11})
    {
        sAnim a;
        a.looping = false;
        for (int i = 1; i <= 8; ++i)
            a.steps.emplace_back(sheet.AddFrame(CellFrame(kind, 0, i / 8.0), 0, 0), 0.07);
        anims.push_back(a);
    }
    for (const auto& a : anims)
        sheet.AddAnim(a);
    sheet.Write(out, "Board");
}

void Markers(cOutput& out)
{
    {
        cSheet sheet("InvalidCell");
        cCanvas c(kCellW, kCellH);
        HexPath(*c, 1.5, 1.5, kCellW - 3, kCellH - 3);
        cairo_set_source_rgba(*c, 0.9, 0.1, 0.1, 0.35);
        cairo_fill_preserve(*c);
        cairo_set_line_width(*c, 2);
        cairo_set_source_rgba(*c, 1, 0.2, 0.15, 0.95);
        cairo_stroke(*c);
        cairo_set_line_width(*c, 4);
        cairo_set_line_cap(*c, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(*c, 15, 13);
        cairo_line_to(*c, 29, 27);
        cairo_move_to(*c, 29, 13);
        cairo_line_to(*c, 15, 27);
        cairo_set_source_rgba(*c, 1, 0.95, 0.95, 0.95);
        cairo_stroke(*c);
        sheet.AddFrame(c.Image(), kCellW / 2, kCellH / 2);
        sheet.Write(out, "Board");
    }
    {
        // A hint's cell: a bold white outline, tinted and pulsed by the game.
        cSheet sheet("HintCell");
        cCanvas c(kCellW + 4, kCellH + 4);
        HexPathCentred(*c, kCellW / 2.0 + 2, kCellH / 2.0 + 2, kCellW, kCellH, 1.5);
        cairo_set_source_rgba(*c, 1, 1, 1, 0.12);
        cairo_fill_preserve(*c);
        cairo_set_line_width(*c, 3.5);
        cairo_set_line_join(*c, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(*c, 1, 1, 1, 1);
        cairo_stroke(*c);
        sheet.AddFrame(c.Image(), kCellW / 2 + 2, kCellH / 2 + 2);
        sheet.Write(out, "Board");
    }
    {
        // White outlines, tinted by the game: d - 1 the cell and its neighbour in
        // direction d (push, swap), 6 the cell with its ring (turn).
        cSheet sheet("ItemCells");
        const double off[6][2] = {{0, -kCellH}, {kPitch, -kCellH / 2.0}, {kPitch, kCellH / 2.0},
                                  {0, kCellH},  {-kPitch, kCellH / 2.0}, {-kPitch, -kCellH / 2.0}};
        const int W = 2 * kPitch + kCellW + 4, H = 3 * kCellH + 4;
        for (int f = 0; f < 7; ++f)
        {
            cCanvas c(W, H);
            auto cell = [&](double cx, double cy, double alpha)
            {
                HexPathCentred(*c, cx, cy, kCellW, kCellH, 1.5);
                cairo_set_source_rgba(*c, 1, 1, 1, alpha);
                cairo_fill_preserve(*c);
                cairo_set_line_width(*c, 2.5);
                cairo_set_source_rgba(*c, 1, 1, 1, 0.95);
                cairo_stroke(*c);
            };
            const double cx = W / 2.0, cy = H / 2.0;
            for (int d = 0; d < 6; ++d)
                if (f == 6 || f == d)
                    cell(cx + off[d][0], cy + off[d][1], 0.18);
            cell(cx, cy, 0.3);
            sheet.AddFrame(c.Image(), W / 2, H / 2);
        }
        sheet.Write(out, "Board");
    }
    {
        // Animations 0..5 push in directions 1..6, 6 turn clockwise, 7 anticlockwise.
        cSheet sheet("ItemArrows");
        for (int a = 0; a < 8; ++a)
        {
            for (int i = 0; i < 8; ++i)
            {
                cCanvas c(40, 40);
                DrawItemArrow(*c, 20, 20, 1.0, a, i / 8.0);
                sheet.AddFrame(c.Image(), 20, 20);
            }
            sheet.AddSimpleAnim(a * 8, 8, 0.09, true);
        }
        sheet.Write(out, "Board");
    }
    {
        // Frame 0 an empty slot, 1..11 the items 201..211 as still pictures.
        cSheet sheet("Items");
        for (int i = 0; i < 12; ++i)
        {
            cCanvas c(48, 48);
            HexPathCentred(*c, 24, 24, kCellW, kCellH, 2);
            cairo_set_source_rgba(*c, 1, 1, 1, i == 0 ? 0.08 : 0.15);
            cairo_fill_preserve(*c);
            cairo_set_line_width(*c, 1.2);
            cairo_set_source_rgba(*c, 1, 1, 1, 0.5);
            cairo_stroke(*c);
            if (i >= 1 && i <= 6)
                DrawItemArrow(*c, 24, 24, 1.0, i - 1, 0);
            else if (i >= 7 && i <= 9)
            {
                const int d = i == 7 ? 6 : i == 8 ? 1 : 2; // swap NW, N, NE
                const int back = (d + 2) % 6 + 1;
                DrawItemArrow(*c, 24 + 6 * std::sin((d - 1) * M_PI / 3),
                              24 - 6 * std::cos((d - 1) * M_PI / 3), 0.7, d - 1, 0);
                DrawItemArrow(*c, 24 + 6 * std::sin((back - 1) * M_PI / 3),
                              24 - 6 * std::cos((back - 1) * M_PI / 3), 0.7, back - 1, 0);
            }
            else if (i >= 10)
                DrawItemArrow(*c, 24, 24, 1.1, i == 10 ? 6 : 7, 0);
            sheet.AddFrame(c.Image(), 24, 24);
        }
        sheet.Write(out, "Board");
    }
}

void Effects(cOutput& out)
{
    {
        // Drawn with additive blending: a puff of fire cooling to embers.
        cSheet sheet("Explosion");
        for (int i = 0; i < 12; ++i)
        {
            const double t = i / 11.0;
            cCanvas c(32, 32);
            const double r = 5 + 10 * std::sqrt(t);
            cairo_pattern_t* g = cairo_pattern_create_radial(16, 16, 0, 16, 16, r);
            const double a = 1 - t;
            cairo_pattern_add_color_stop_rgba(g, 0, 1, 1 - 0.5 * t, 0.6 * (1 - t), a);
            cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 0.55 - 0.3 * t, 0.1, a * 0.8);
            cairo_pattern_add_color_stop_rgba(g, 1, 0.6, 0.1, 0.0, 0);
            cairo_set_source(*c, g);
            cairo_arc(*c, 16, 16, r, 0, 2 * M_PI);
            cairo_fill(*c);
            cairo_pattern_destroy(g);
            sheet.AddFrame(c.Image(), 16, 16);
        }
        sheet.AddSimpleAnim(0, 12, 0.05, false);
        sheet.Write(out, "Board");
    }
    {
        cCanvas c(32, 32);
        cairo_pattern_t* g = cairo_pattern_create_radial(16, 16, 0, 16, 16, 16);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(g, 0.3, 0.55, 0.85, 1, 0.9);
        cairo_pattern_add_color_stop_rgba(g, 0.7, 0.2, 0.4, 1, 0.35);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.1, 0.2, 0.8, 0);
        cairo_set_source(*c, g);
        cairo_paint(*c);
        cairo_pattern_destroy(g);
        out.WriteFile("Images/PlasmaBolt.tga", EncodeTGA(c.Image()));
        out.AddResource("Images", "Board", "Image", "/Images/PlasmaBolt.tga", "ImgPlasmaBolt");
    }
}

} // namespace

void MakeBoardSprites(cOutput& out)
{
    Cells(out);
    for (const sVariant& v : kVariants)
    {
        ColourBricks(out, v);
        SpecialBricks(out, v);
    }
    BrickSymbols(out, "", 1.0);
    BrickSymbols(out, "Small", kSmallScale);
    Markers(out);
    Effects(out);
}

} // namespace DataGen
