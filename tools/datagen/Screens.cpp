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

// A key of the keyboard with its label, its top-left corner at (x, y).
void KeyCap(cairo_t* cr, const std::string& label, double x, double y)
{
    const double w = label.size() > 1 ? 50 : 40, h = 40;
    DrawBox(cr, x, y, w, h, 7, 0.95);
    cairo_set_line_width(cr, 2);
    SetColor(cr, UiGold());
    cairo_new_path(cr);
    cairo_rectangle(cr, x + 1, y + 1, w - 2, h - 2);
    cairo_stroke(cr);
    SelectFont(cr, eFace::SansBold, 17);
    DrawOutlinedText(cr, label, x + w / 2, y + 27, 1, {1, 1, 1}, {0.05, 0.05, 0.1}, 1.2);
}

void InstructionPages(cOutput& out)
{
    std::vector<sImage> pages;
    {
        sPage p("the goal");
        p.Text("Put the pieces onto the board, one after another. When a brick is surrounded by "
               "six neighbours that all share one of its colours, it disappears together with "
               "them.",
               20, 70, 270);
        p.Text("A level is won when every piece has been put and no removable brick is left.", 20,
               205, 270);
        const int before[7] = {0, 22, 22, 22, 22, 22, 22};
        const int full[7] = {22, 22, 22, 22, 22, 22, 22};
        const int cleared[7] = {0, 0, 0, 0, 0, 0, 0};
        Flower(p.cr, 352, 175, before, 0.62);
        Arrow(p.cr, 397, 175, 425);
        Flower(p.cr, 470, 175, full, 0.62);
        Arrow(p.cr, 515, 175, 543);
        Flower(p.cr, 588, 175, cleared, 0.62);
        p.Caption("put the", 352, 256);
        p.Caption("missing brick", 352, 270);
        p.Caption("the flower", 470, 256);
        p.Caption("is full...", 470, 270);
        p.Caption("...and all", 588, 256);
        p.Caption("seven go", 588, 270);
        pages.push_back(p.canvas.Image());
    }
    {
        sPage p("bricks and colours");
        p.Text("Most bricks have two colours, one in each half. Each colour also has its own "
               "symbol, so the colours are easy to tell apart:",
               20, 70, 620);
        const char* colours[8] = {"red",  "orange", "yellow", "green",
                                  "cyan", "blue",   "purple", "pink"};
        const char* symbols[8] = {"circle", "triangle", "diamond", "square",
                                  "plus",   "cross",    "star",    "ring"};
        for (int c = 1; c <= 8; ++c)
        {
            const double x = 60 + (c - 1) * 77;
            DrawBrickShadow(p.cr, x, 135, 1.1);
            DrawColourBrick(p.cr, x, 135, 1.1, c * 11);
            p.Caption(colours[c - 1], x, 175);
            p.Caption(symbols[c - 1], x, 189);
        }
        const int mixed[7] = {12, 21, 13, 31, 15, 41, 61};
        Flower(p.cr, 125, 258, mixed, 0.7);
        p.Text("The middle brick here is red and orange, and every neighbour has red (the "
               "circle) in one of its halves: all seven go. Turn a piece with the right mouse "
               "button or the space bar before you put it.",
               230, 225, 410, 13);
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
    {
        sPage p("help, symbols and taking back");
        const struct
        {
            const char* keys;
            const char* text;
        } rows[3] = {
            {"F1", "Stuck? With the board at rest, F1 shows for a few seconds where the "
                   "next piece goes and in which turn, or which item to use where."},
            {"c", "Colour symbols on or off: each brick shows its colours' symbols, for "
                  "players who tell colours apart poorly."},
            {"u  y", "u or Ctrl+Z takes the last move back; y, Ctrl+Y or Ctrl+Shift+Z makes "
                     "it again. r restarts the level."},
        };
        for (int i = 0; i < 3; ++i)
        {
            const double y = 62 + i * 78;
            std::istringstream keys(rows[i].keys);
            double x = 24;
            for (std::string key; keys >> key;)
            {
                KeyCap(p.cr, key, x, y + 6);
                x += 58;
            }
            p.Text(rows[i].text, 150, y + 16, 320, 13);
        }
        // The colour-blind aid as the game draws it.
        DrawBrickShadow(p.cr, 575, 190, 1.5);
        DrawColourBrick(p.cr, 575, 190, 1.5, 36);
        DrawSymbolMark(p.cr, 3, 575 - 13.5, 190 + 0.75, 9.75);
        DrawSymbolMark(p.cr, 6, 575 + 13.5, 190 + 0.75, 9.75);
        p.Caption("yellow and blue", 575, 235);
        p.Caption("with the symbols on", 575, 249);
        pages.push_back(p.canvas.Image());
    }
    for (size_t i = 0; i < pages.size(); ++i)
    {
        const std::string n = std::to_string(i + 1);
        PutImage(out, "ImgInstructionsPage" + n, "/Images/InstructionsPage" + n + ".tga", pages[i],
                 "Instructions");
    }
}

// SprCredits: one frame per block of the credits (a heading and its lines),
// top to bottom in the order the credits scroll; the panel stacks them.
void Credits(cOutput& out)
{
    struct sBlock
    {
        const char* heading;
        std::vector<const char*> lines;
    };
    const std::vector<sBlock> blocks = {
        {"zeltra", {"a hexagonal puzzle"}},
        {"a game by", {"Quillbee Studios"}},
        {"game design and levels",
         {"the Quillbee Studios puzzle team:", "the rules, the campaign",
          "and every level's solution"}},
        {"programming", {"Quillbee Studios: the game", "and its engine, KorvaLib"}},
        {"graphics", {"Quillbee Studios: every picture drawn", "by the game's own data generator"}},
        {"sound and music",
         {"Quillbee Studios: effects and both", "tracks composed and synthesised",
          "by the data generator"}},
        {"fonts",
         {"DejaVu Sans, Sans Condensed and Serif", "Bitstream Vera licence,",
          "DejaVu changes in the public domain"}},
        {"made with",
         {"SDL2 (zlib licence)", "OpenGL through Mesa (MIT)", "libvorbis and libogg (BSD-3-Clause)",
          "libpng (libpng licence)", "libmd (BSD-3-Clause and ISC)", "cairo (LGPL-2.1 or MPL-1.1)",
          "FreeType (FreeType licence)", "cmark-gfm (BSD-2-Clause)", "GoogleTest (BSD-3-Clause)",
          "Google Benchmark (Apache-2.0)"}},
        {"licence",
         {"Zeltra is free software under the MIT licence,",
          "its code and the data it generates alike.", "Copyright 2026 Quillbee Studios"}},
        {"thank you", {"for playing!"}},
    };
    cSheet s("Credits");
    for (size_t b = 0; b < blocks.size(); ++b)
    {
        const bool title = b == 0;
        const double headingHeight = title ? 44 : 26;
        const double lineHeight = 20;
        const int height =
            static_cast<int>(headingHeight + lineHeight * blocks[b].lines.size() + 4);
        cCanvas c(480, height);
        SelectFont(*c, eFace::SansBold, title ? 32 : 17);
        DrawOutlinedText(*c, blocks[b].heading, 240, title ? 34 : 19, 1, UiGold(),
                         {0.05, 0.05, 0.1}, title ? 2 : 1.2);
        SelectFont(*c, eFace::Sans, 14);
        for (size_t i = 0; i < blocks[b].lines.size(); ++i)
            DrawOutlinedText(*c, blocks[b].lines[i], 240, headingHeight + lineHeight * i + 15, 1,
                             {0.95, 0.96, 1}, {0.05, 0.05, 0.1}, 1);
        s.AddFrame(c.Image(), 240, 0);
    }
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
