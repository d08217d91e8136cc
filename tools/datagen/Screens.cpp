#include "tools/datagen/BoardArt.h"
#include "tools/datagen/Generators.h"
#include "tools/datagen/Sheet.h"
#include "tools/datagen/Widgets.h"

#include <cmath>
#include <sstream>
#include <vector>

namespace DataGen
{

namespace
{

void PutImage(cOutput& out, const std::string& alias, const std::string& file, const sImage& img,
              const std::string& group, int level = 0)
{
    const bool pcx = file.ends_with(".pcx");
    out.WriteFile(file.substr(1), pcx ? EncodePCX(img) : EncodeTGA(img));
    out.AddResource("Images", group, "Image", file, alias, level);
}

// A tileable deep-blue field of faint hexagons: the menu drifts it slowly.
void MenuBackground(cOutput& out)
{
    const int size = 264; // a whole number of hexagon columns and rows
    cCanvas c(size, size);
    cairo_t* cr = *c;
    cairo_set_source_rgb(cr, 0.09, 0.13, 0.24);
    cairo_paint(cr);
    const double w = 44, h = 2 * 33;
    for (int col = -1; col <= 6; ++col)
        for (int row = -1; row <= 4; ++row)
        {
            const double x = col * w;
            const double y = row * h + (col % 2 ? h / 2 : 0);
            HexPathCentred(cr, x + w / 2, y + h / 2, w * 1.33, h, 3);
            const double shade = 0.03 * std::sin(col * 1.7 + row * 2.3);
            cairo_set_source_rgb(cr, 0.12 + shade, 0.17 + shade, 0.31 + shade);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 1.2);
            cairo_set_source_rgba(cr, 0.35, 0.5, 0.8, 0.25);
            cairo_stroke(cr);
        }
    PutImage(out, "ImgMenuBackground", "/Images/MenuBackground.pcx", c.Image(), "Screens");
}

void Logo(cairo_t* cr, double x, double baseline, double size)
{
    SelectFont(cr, eFace::SerifBold, size);
    cairo_new_path(cr);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, "ZELTRA");
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, size / 9);
    cairo_set_source_rgb(cr, 0.1, 0.05, 0.2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, baseline - size * 0.75, 0, baseline);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.97, 0.75);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 1, 0.78, 0.25);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.45, 0.1);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void MenuLogo(cOutput& out)
{
    cCanvas c(512, 150);
    cairo_t* cr = *c;
    // Three bricks as an emblem, then the name.
    DrawBrickShadow(cr, 60, 75, 1.6);
    DrawColourBrick(cr, 42, 75, 1.3, 11);
    DrawColourBrick(cr, 78, 55, 1.3, 33);
    DrawColourBrick(cr, 78, 95, 1.3, 66);
    Logo(cr, 112, 104, 76);
    SelectFont(cr, eFace::SansBold, 17);
    DrawOutlinedText(cr, "a hexagonal puzzle", 500, 138, 2, {1, 1, 1}, {0.05, 0.05, 0.15}, 1.5);
    PutImage(out, "ImgZeltra", "/Images/Zeltra.tga", c.Image(), "Screens");
}

// SprIntro: 0/2/4 the three emblem bricks (1/3/5 their flashes), 6 a glow,
// 7..13 the letters and the subtitle, all placed by their hot spots so that
// the pieces meet at (350, 310) and the letters sit right of (418, 314);
// 14 the decorative strip.
void Intro(cOutput& out)
{
    cSheet s("Intro");
    const double offs[3][2] = {{-22, 0}, {14, -21}, {14, 21}};
    const int codes[3] = {11, 33, 66};
    for (int p = 0; p < 3; ++p)
    {
        for (int flash = 0; flash < 2; ++flash)
        {
            cCanvas c(72, 68);
            if (flash)
            {
                HexPathCentred(*c, 36, 34, 44 * 1.45, 40 * 1.45, 0);
                cairo_set_source_rgba(*c, 1, 1, 0.9, 0.9);
                cairo_fill(*c);
            }
            else
            {
                DrawBrickShadow(*c, 36, 34, 1.4);
                DrawColourBrick(*c, 36, 34, 1.4, codes[p]);
            }
            s.AddFrame(c.Image(), static_cast<int>(36 - offs[p][0]),
                       static_cast<int>(34 - offs[p][1]));
        }
    }
    {
        cCanvas c(200, 200);
        cairo_pattern_t* g = cairo_pattern_create_radial(100, 100, 0, 100, 100, 100);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.9, 0.6, 0.7);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.7, 0.3, 0);
        cairo_set_source(*c, g);
        cairo_paint(*c);
        cairo_pattern_destroy(g);
        s.AddFrame(c.Image(), 100, 100);
    }
    const char* letters = "ZELTRA";
    double x = 0;
    cCanvas probe(4, 4);
    for (int i = 0; i < 6; ++i)
    {
        const std::string t(1, letters[i]);
        SelectFont(*probe, eFace::SerifBold, 72);
        const double adv = TextWidth(*probe, t);
        cCanvas one(static_cast<int>(adv) + 16, 90);
        SelectFont(*one, eFace::SerifBold, 72);
        cairo_new_path(*one);
        cairo_move_to(*one, 8, 70);
        cairo_text_path(*one, t.c_str());
        cairo_set_line_join(*one, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(*one, 8);
        cairo_set_source_rgb(*one, 0.1, 0.05, 0.2);
        cairo_stroke_preserve(*one);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 16, 0, 70);
        cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.97, 0.75);
        cairo_pattern_add_color_stop_rgb(g, 0.5, 1, 0.78, 0.25);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.45, 0.1);
        cairo_set_source(*one, g);
        cairo_fill(*one);
        cairo_pattern_destroy(g);
        s.AddFrame(one.Image(), static_cast<int>(-x) + 8, 45);
        x += adv;
    }
    {
        cCanvas c(300, 30);
        SelectFont(*c, eFace::SansBold, 18);
        DrawOutlinedText(*c, "a hexagonal puzzle", 296, 20, 2, {1, 1, 1}, {0.05, 0.05, 0.15}, 1.5);
        s.AddFrame(c.Image(), static_cast<int>(300 - x), -42);
    }
    {
        cCanvas c(400, 26);
        for (int i = 0; i < 10; ++i)
        {
            HexPathCentred(*c, 20 + 40 * i, 13, 30, 24, 0);
            SetColor(*c, BrickColour(1 + i % 8), 0.55);
            cairo_fill(*c);
        }
        s.AddFrame(c.Image(), 0, 13);
    }
    s.Write(out, "Screens");
}

void Paragraph(cairo_t* cr, const std::string& text, double x, double y, double width,
               double lineHeight)
{
    std::istringstream words(text);
    std::string line, word;
    while (words >> word)
    {
        const std::string tryLine = line.empty() ? word : line + " " + word;
        if (TextWidth(cr, tryLine) > width && !line.empty())
        {
            DrawText(cr, line, x, y, 0);
            y += lineHeight;
            line = word;
        }
        else
            line = tryLine;
    }
    if (!line.empty())
        DrawText(cr, line, x, y, 0);
}

struct sPage
{
    cCanvas canvas{660, 320};
    cairo_t* cr = *canvas;
    explicit sPage(const std::string& title)
    {
        DrawBox(cr, 0, 0, 660, 320, 12, 0.92);
        SelectFont(cr, eFace::SansBold, 22);
        DrawOutlinedText(cr, title, 330, 36, 1, UiGold(), {0.05, 0.05, 0.1}, 1.5);
    }
    void Text(const std::string& t, double x, double y, double w, double size = 14)
    {
        SelectFont(cr, eFace::Sans, size);
        cairo_set_source_rgb(cr, 0.95, 0.96, 1);
        Paragraph(cr, t, x, y, w, size * 1.35);
    }
    void Caption(const std::string& t, double x, double y)
    {
        SelectFont(cr, eFace::CondensedBold, 12);
        cairo_set_source_rgb(cr, 1, 0.92, 0.6);
        DrawText(cr, t, x, y, 1);
    }
};

// A flower of cells centred on (cx, cy), bricks given in slot order (0 centre).
void Flower(cairo_t* cr, double cx, double cy, const int codes[7], double scale)
{
    const double off[7][2] = {{0, 0},
                              {0, -kCellH},
                              {kPitch, -kCellH / 2.0},
                              {kPitch, kCellH / 2.0},
                              {0, kCellH},
                              {-kPitch, kCellH / 2.0},
                              {-kPitch, -kCellH / 2.0}};
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    for (const auto& o : off)
        DrawCell(cr, o[0] - kCellW / 2.0, o[1] - kCellH / 2.0, 1, 0);
    for (int i = 0; i < 7; ++i)
        if (codes[i])
            DrawAnyBrick(cr, off[i][0], off[i][1], 1.0, codes[i]);
    cairo_restore(cr);
}

void Arrow(cairo_t* cr, double x0, double y, double x1)
{
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1 - 8, y);
    cairo_set_line_width(cr, 4);
    SetColor(cr, UiGold());
    cairo_stroke(cr);
    cairo_move_to(cr, x1, y);
    cairo_line_to(cr, x1 - 12, y - 8);
    cairo_line_to(cr, x1 - 12, y + 8);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void InstructionPages(cOutput& out)
{
    std::vector<sImage> pages;
    {
        sPage p("the goal");
        p.Text("Put the pieces onto the board, one after another. When a brick is surrounded by "
               "six neighbours that all share one of its colours, it disappears together with "
               "them.",
               20, 70, 300);
        p.Text("A level is won when every piece has been put and no removable brick is left.", 20,
               190, 300);
        const int before[7] = {0, 22, 22, 22, 22, 22, 22};
        const int after[7] = {22, 22, 22, 22, 22, 22, 22};
        Flower(p.cr, 400, 175, before, 0.8);
        Arrow(p.cr, 450, 175, 500);
        Flower(p.cr, 570, 175, after, 0.8);
        p.Caption("put the missing brick...", 400, 270);
        p.Caption("...and the flower is cleared", 570, 270);
        pages.push_back(p.canvas.Image());
    }
    {
        sPage p("bricks and colours");
        p.Text("Most bricks have two colours, one in each half. Each colour also has its own "
               "symbol, so the colours are easy to tell apart.",
               20, 70, 620);
        for (int c = 1; c <= 8; ++c)
        {
            const double x = 60 + (c - 1) * 76;
            DrawBrickShadow(p.cr, x, 150, 1.2);
            DrawColourBrick(p.cr, x, 150, 1.2, c * 11);
        }
        const int mixed[7] = {12, 21, 13, 31, 15, 41, 61};
        Flower(p.cr, 125, 250, mixed, 0.78);
        p.Text("Here every neighbour shares colour 1 with the middle brick 1-2: all seven go. "
               "Turn a piece with the right mouse button or the space bar; undo a move with u.",
               230, 225, 400, 13);
        pages.push_back(p.canvas.Image());
    }
    {
        sPage p("special cells");
        const int kinds[6] = {3, 9, 8, 10, 12, 1};
        const char* names[6] = {"arrows push bricks", "bricks slide on ice", "vortices swallow",
                                "fragile: crumbles",  "broken: no bricks",   "plain cell"};
        for (int i = 0; i < 5; ++i)
        {
            const double x = 66 + i * 132;
            cairo_save(p.cr);
            cairo_translate(p.cr, x - kCellW * 0.8, 90);
            cairo_scale(p.cr, 1.6, 1.6);
            DrawCell(p.cr, 0, 0, kinds[i], 0.3);
            cairo_restore(p.cr);
            p.Caption(names[i], x, 178);
        }
        p.Text("Arrow cells push a brick one cell onwards, and a brick that arrives on ice keeps "
               "sliding. A vortex swallows every brick but a blocker. A fragile cell breaks once "
               "a brick has stood on it and left it again.",
               20, 215, 620);
        pages.push_back(p.canvas.Image());
    }
    {
        sPage p("special bricks and items");
        const int codes[5] = {100, 101, 102, 103, 104};
        const char* names[5] = {"multi: any colour", "star: clears a colour", "blocker", "bomb",
                                "plasma"};
        for (int i = 0; i < 5; ++i)
        {
            const double x = 66 + i * 132;
            DrawBrickShadow(p.cr, x, 95, 1.4);
            DrawAnyBrick(p.cr, x, 95, 1.4, codes[i]);
            p.Caption(names[i], x, 140);
        }
        p.Text("Bombs blow up their neighbours when the fuse runs out; two plasma bricks in a "
               "line fire a bolt between them.",
               20, 168, 620, 13);
        for (int i = 0; i < 4; ++i)
        {
            const double x = 60 + i * 50;
            DrawItemArrow(p.cr, x, 250, 1.1, i == 0 ? 1 : i == 1 ? 3 : i == 2 ? 6 : 7, 0);
        }
        p.Text("Items in the bar below the board push, swap or turn bricks. Choose one with "
               "the mouse or the keys 1 to 0, p returns to the pieces.",
               260, 235, 380, 13);
        pages.push_back(p.canvas.Image());
    }
    for (size_t i = 0; i < pages.size(); ++i)
    {
        const std::string n = std::to_string(i + 1);
        PutImage(out, "ImgInstructionsPage" + n, "/Images/InstructionsPage" + n + ".tga", pages[i],
                 "Instructions");
    }
}

void Credits(cOutput& out)
{
    // Frames 0..7 headings, 8..13 names, in the order the credits panel uses.
    cSheet s("Credits");
    const char* headings[8] = {"zeltra",          "a game by", "programming", "graphics",
                               "sound and music", "made with", "thank you",   "for playing!"};
    const char* names[6] = {
        "the Zeltra team", "the Zeltra team",         "all drawn and played by code",
        "DejaVu fonts",    "SDL2, OpenGL, libvorbis", "cairo and FreeType"};
    for (int i = 0; i < 8; ++i)
    {
        const double size = i == 0 ? 30 : 17;
        const sImage img =
            LabelImage(480, i == 0 ? 40 : 24, headings[i], size, 1, eFace::SansBold, UiGold());
        s.AddFrame(img, 240, 0);
    }
    for (int i = 0; i < 6; ++i)
        s.AddFrame(LabelImage(480, 20, names[i], 14, 1, eFace::Sans), 240, 0);
    s.Write(out, "Screens");
}

void Banners(cOutput& out)
{
    {
        cSheet s("LevelCompleted");
        cCanvas c(440, 100);
        DrawBox(*c, 10, 10, 420, 80, 20, 0.8);
        SelectFont(*c, eFace::SansBold, 40);
        DrawOutlinedText(*c, "level completed!", 220, 65, 1, UiGold(), {0.1, 0.05, 0.0}, 2.5);
        s.AddFrame(c.Image(), 220, 50);
        s.Write(out, "Screens");
    }
    {
        // The maker's logo: a bee made of hexagons with a quill for a sting.
        cSheet s("Quillbee");
        for (int hover = 0; hover < 2; ++hover)
        {
            cCanvas c(86, 104);
            cairo_t* cr = *c;
            if (hover)
            {
                cairo_pattern_t* g = cairo_pattern_create_radial(43, 45, 5, 43, 45, 45);
                cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.9, 0.5, 0.5);
                cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.9, 0.5, 0);
                cairo_set_source(cr, g);
                cairo_paint(cr);
                cairo_pattern_destroy(g);
            }
            for (int w = 0; w < 2; ++w)
            {
                cairo_save(cr);
                cairo_translate(cr, w ? 56 : 30, 26);
                cairo_rotate(cr, w ? 0.5 : -0.5);
                cairo_scale(cr, 13, 20);
                cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
                cairo_restore(cr);
                cairo_set_source_rgba(cr, 0.85, 0.95, 1, 0.75);
                cairo_fill_preserve(cr);
                cairo_set_line_width(cr, 1);
                cairo_set_source_rgba(cr, 0.2, 0.3, 0.5, 0.8);
                cairo_stroke(cr);
            }
            cairo_save(cr);
            cairo_translate(cr, 43, 52);
            cairo_scale(cr, 20, 26);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_save(cr);
            cairo_clip_preserve(cr);
            cairo_set_source_rgb(cr, 1, 0.78, 0.15);
            cairo_fill(cr);
            for (int band = 0; band < 3; ++band)
            {
                cairo_rectangle(cr, 20, 40 + band * 13, 46, 6);
                cairo_set_source_rgb(cr, 0.12, 0.1, 0.1);
                cairo_fill(cr);
            }
            cairo_restore(cr);
            cairo_move_to(cr, 43, 78);
            cairo_line_to(cr, 39, 86);
            cairo_line_to(cr, 43, 84);
            cairo_close_path(cr);
            cairo_set_source_rgb(cr, 0.15, 0.1, 0.3);
            cairo_fill(cr);
            SelectFont(cr, eFace::SansBold, 13);
            DrawOutlinedText(cr, "quillbee", 43, 98, 1, {1, 1, 1}, {0.05, 0.05, 0.1}, 1.2);
            s.AddFrame(c.Image(), 0, 0);
        }
        s.Write(out, "Screens");
    }
}

void Loading(cOutput& out)
{
    // Drawn under the intro's progress bar, not through the resource lists.
    cCanvas c(160, 18);
    SelectFont(*c, eFace::SansBold, 13);
    DrawOutlinedText(*c, "loading...", 80, 14, 1, {1, 1, 1}, {0.05, 0.05, 0.1}, 1);
    out.WriteFile("Images/Loading.tga", EncodeTGA(c.Image()));
}

} // namespace

void MakeScreens(cOutput& out)
{
    MenuBackground(out);
    MenuLogo(out);
    Intro(out);
    InstructionPages(out);
    Credits(out);
    Banners(out);
    Loading(out);
}

} // namespace DataGen
