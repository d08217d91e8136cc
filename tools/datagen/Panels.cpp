#include "tools/datagen/BoardArt.h"
#include "tools/datagen/Generators.h"
#include "tools/datagen/Sheet.h"
#include "tools/datagen/Widgets.h"

#include <cmath>
#include <functional>

namespace DataGen
{

namespace
{

void Buttons(cSheet& s, int w, int h, const std::string& label, double size = 13)
{
    for (int state = 0; state < 3; ++state)
        s.AddFrame(ButtonImage(w, h, label, state, size), 0, 0);
}

sImage Box(int w, int h, double radius, double alpha)
{
    cCanvas c(w, h);
    DrawBox(*c, 0, 0, w, h, radius, alpha);
    return c.Image();
}

sImage Empty()
{
    return sImage(1, 1);
}

sImage Slot(int w, int h, bool selected)
{
    cCanvas c(w, h);
    RoundRectPath(*c, 1.5, 1.5, w - 3, h - 3, 6);
    cairo_set_source_rgba(*c, 0.05, 0.1, 0.2, selected ? 0.55 : 0.4);
    cairo_fill_preserve(*c);
    cairo_set_line_width(*c, selected ? 3 : 1.5);
    if (selected)
        SetColor(*c, UiGold());
    else
        cairo_set_source_rgba(*c, 0.75, 0.85, 1, 0.6);
    cairo_stroke(*c);
    return c.Image();
}

sImage Toggle(bool on, int state)
{
    cCanvas c(80, 20);
    cairo_t* cr = *c;
    RoundRectPath(cr, 0.5, 0.5, 79, 19, 5);
    const sRGB base = state == 1   ? UiNavy().Lighter(0.3)
                      : state == 2 ? UiNavy().Darker(0.3)
                                   : UiNavy();
    SetColor(cr, base);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    SetColor(cr, state == 1 ? UiGold() : RGB255(150, 180, 225));
    cairo_stroke(cr);
    // The lamp at the left.
    cairo_arc(cr, 10, 10, 5, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(8.5, 8.5, 0.5, 10, 10, 5);
    if (on)
    {
        cairo_pattern_add_color_stop_rgb(g, 0, 0.8, 1, 0.8);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.1, 0.7, 0.2);
    }
    else
    {
        cairo_pattern_add_color_stop_rgb(g, 0, 0.45, 0.3, 0.3);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.2, 0.08, 0.08);
    }
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_stroke(cr);
    return c.Image();
}

void GamePanels(cOutput& out)
{
    // 0..13 decorations, 14..31 buttons, 32..35 toggle captions, 36..41 toggles.
    cSheet s("GamePanels");
    s.AddFrame(LabelImage(90, 36, "zeltra", 24, 1, eFace::SerifBold, UiGold()), 0, 0);
    s.AddFrame(Box(96, 340, 8, 0.45), 0, 0);
    s.AddFrame(Box(90, 90, 8, 0.45), 0, 0);
    s.AddFrame(Box(90, 470, 8, 0.35), 0, 0);
    s.AddFrame(Box(610, 70, 8, 0.45), 0, 0);
    s.AddFrame(Slot(58, 58, false), 29, 29);
    s.AddFrame(Slot(58, 58, true), 29, 29);
    {
        cCanvas c(90, 90);
        RoundRectPath(*c, 2, 2, 86, 86, 8);
        cairo_set_line_width(*c, 3);
        SetColor(*c, UiGold(), 0.95);
        cairo_stroke(*c);
        s.AddFrame(c.Image(), 0, 0);
    }
    s.AddFrame(LabelImage(80, 16, "piece", 12, 1), 0, 0);
    s.AddFrame(LabelImage(80, 16, "next", 12, 1), 0, 0);
    s.AddFrame(LabelImage(80, 16, "items", 12, 1), 0, 0);
    s.AddFrame(LabelImage(80, 16, "options", 12, 1), 0, 0);
    s.AddFrame(LabelImage(80, 16, "level", 12, 1), 0, 0);
    {
        cCanvas c(80, 4);
        cairo_rectangle(*c, 0, 1, 80, 2);
        cairo_set_source_rgba(*c, 0.8, 0.9, 1, 0.5);
        cairo_fill(*c);
        s.AddFrame(c.Image(), 0, 0);
    }
    Buttons(s, 80, 28, "level info");
    Buttons(s, 80, 27, "undo");
    Buttons(s, 80, 27, "restart");
    Buttons(s, 80, 45, "choose\nlevel");
    Buttons(s, 80, 45, "back to\neditor");
    Buttons(s, 80, 27, "quit");
    for (const char* caption : {"music", "sound", "hints", "fullscreen"})
    {
        cCanvas c(80, 20);
        SelectFont(*c, eFace::CondensedBold, 11);
        DrawOutlinedText(*c, caption, 49, 14, 1, {1, 1, 1}, {0.05, 0.08, 0.15}, 0.9);
        s.AddFrame(c.Image(), 0, 0);
    }
    for (bool on : {true, false})
        for (int state = 0; state < 3; ++state)
            s.AddFrame(Toggle(on, state), 0, 0);
    s.Write(out, "Panels");
}

void PopupPanels(cOutput& out)
{
    cSheet s("PopupPanels");
    for (int side = 0; side < 3; ++side)
    {
        const int w = side == 2 ? 8 : 14;
        cCanvas c(w, 24);
        cairo_t* cr = *c;
        if (side == 0)
            RoundRectPath(cr, 0.5, 0.5, 2 * w, 23, 8);
        else if (side == 1)
            RoundRectPath(cr, -w - 0.5, 0.5, 2 * w, 23, 8);
        else
            cairo_rectangle(cr, 0, 0.5, w, 23);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 24);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.2, 0.32, 0.58);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.09, 0.15, 0.3);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        cairo_set_line_width(cr, 1);
        SetColor(cr, UiGold(), 0.8);
        cairo_stroke(cr);
        s.AddFrame(c.Image(), 0, 0);
    }
    Buttons(s, 80, 28, "load");
    Buttons(s, 80, 28, "save");
    Buttons(s, 80, 28, "delete");
    {
        cCanvas c(300, 20);
        cairo_rectangle(*c, 0, 0, 300, 20);
        SetColor(*c, UiGold(), 0.45);
        cairo_fill(*c);
        s.AddFrame(c.Image(), 0, 0);
    }
    Buttons(s, 170, 28, "visit homepage");
    Buttons(s, 80, 28, "ok");
    Buttons(s, 80, 28, "cancel");
    Buttons(s, 80, 28, "close");
    s.Write(out, "Panels");
}

void MenuPanels(cOutput& out)
{
    cSheet s("MenuPanels");
    for (int side = 0; side < 2; ++side)
    {
        cCanvas c(20, 40);
        cairo_t* cr = *c;
        cairo_new_path(cr);
        if (side == 0)
        {
            cairo_move_to(cr, 20, 2);
            cairo_curve_to(cr, 4, 2, 2, 20, 2, 20);
            cairo_curve_to(cr, 2, 20, 4, 38, 20, 38);
        }
        else
        {
            cairo_move_to(cr, 0, 2);
            cairo_curve_to(cr, 16, 2, 18, 20, 18, 20);
            cairo_curve_to(cr, 18, 20, 16, 38, 0, 38);
        }
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 0.08, 0.14, 0.3, 0.7);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.5);
        SetColor(cr, UiGold(), 0.9);
        cairo_stroke(cr);
        s.AddFrame(c.Image(), 0, 0);
    }
    {
        // Side ornament: a small hexagonal gem, tinted by the menu's brightness.
        cCanvas c(26, 24);
        HexPathCentred(*c, 13, 12, 24, 22, 0);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 24);
        cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.95, 0.7);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.55, 0.1);
        cairo_set_source(*c, g);
        cairo_fill_preserve(*c);
        cairo_pattern_destroy(g);
        cairo_set_line_width(*c, 1.2);
        cairo_set_source_rgba(*c, 0.3, 0.15, 0, 0.9);
        cairo_stroke(*c);
        s.AddFrame(c.Image(), 13, 12);
    }
    {
        cCanvas c(48, 48);
        cairo_pattern_t* g = cairo_pattern_create_radial(24, 24, 0, 24, 24, 24);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.9, 0.5, 0.9);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.7, 0.2, 0);
        cairo_set_source(*c, g);
        cairo_paint(*c);
        cairo_pattern_destroy(g);
        s.AddFrame(c.Image(), 24, 24);
    }
    {
        cCanvas c(300, 36);
        cairo_rectangle(*c, 0, 0, 300, 36);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 36);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.15, 0.25, 0.5, 0.75);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.05, 0.1, 0.25, 0.75);
        cairo_set_source(*c, g);
        cairo_fill(*c);
        cairo_pattern_destroy(g);
        s.AddFrame(c.Image(), 0, 0);
    }
    for (const char* label : {"play", "editor", "instructions", "options", "quit"})
    {
        const sImage img =
            LabelImage(280, 34, label, 25, 1, eFace::SansBold, RGB255(255, 236, 170));
        s.AddFrame(img, 140, 17);
    }
    s.Write(out, "Panels");
}

sImage CheckBox(bool on, bool radio, bool hover)
{
    cCanvas c(20, 20);
    cairo_t* cr = *c;
    if (radio)
        cairo_arc(cr, 10, 10, 8, 0, 2 * M_PI);
    else
        RoundRectPath(cr, 2.5, 2.5, 15, 15, 3);
    SetColor(cr, hover ? UiNavy().Lighter(0.3) : UiNavy());
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, hover ? UiGold() : RGB255(170, 195, 235));
    cairo_stroke(cr);
    if (on)
    {
        if (radio)
        {
            cairo_arc(cr, 10, 10, 4, 0, 2 * M_PI);
            SetColor(cr, UiGold());
            cairo_fill(cr);
        }
        else
        {
            cairo_move_to(cr, 5.5, 10);
            cairo_line_to(cr, 9, 14);
            cairo_line_to(cr, 15, 5.5);
            cairo_set_line_width(cr, 2.6);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            SetColor(cr, UiGold());
            cairo_stroke(cr);
        }
    }
    return c.Image();
}

sImage SliderSegment(bool filled, bool hover)
{
    cCanvas c(21, 28);
    RoundRectPath(*c, 1.5, 4.5, 18, 19, 3);
    if (filled)
    {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 4, 0, 24);
        cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.9, 0.55);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.55, 0.1);
        cairo_set_source(*c, g);
        cairo_fill_preserve(*c);
        cairo_pattern_destroy(g);
    }
    else
    {
        cairo_set_source_rgba(*c, 0.05, 0.1, 0.2, 0.6);
        cairo_fill_preserve(*c);
    }
    cairo_set_line_width(*c, 1);
    SetColor(*c, hover ? UiGold() : RGB255(150, 180, 225));
    cairo_stroke(*c);
    return c.Image();
}

void OptionsPanels(cOutput& out)
{
    cSheet s("OptionsPanels");
    s.AddFrame(LabelImage(300, 30, "options", 20, 1, eFace::SansBold, UiGold()), 150, 0);
    s.AddFrame(Box(300, 360, 10, 0.8), 0, 0);
    s.AddFrame(CheckBox(false, false, false), 0, 0);
    s.AddFrame(CheckBox(true, false, false), 0, 0);
    s.AddFrame(CheckBox(false, true, false), 0, 0);
    s.AddFrame(CheckBox(true, true, false), 0, 0);
    s.AddFrame(SliderSegment(false, false), 0, 0);
    s.AddFrame(SliderSegment(true, false), 0, 0);
    for (const char* label :
         {"music", "sound", "fullscreen", "hints", "16 bit", "32 bit", "volume", "colour depth"})
        s.AddFrame(LabelImage(110, 20, label, 13, 0), 0, 0);
    s.AddFrame(CheckBox(false, false, true), 0, 0);
    s.AddFrame(CheckBox(true, false, true), 0, 0);
    s.AddFrame(CheckBox(false, true, true), 0, 0);
    s.AddFrame(CheckBox(true, true, true), 0, 0);
    s.AddFrame(SliderSegment(false, true), 0, 0);
    while (s.FrameCount() < 31)
        s.AddFrame(Empty(), 0, 0);
    Buttons(s, 256, 28, "reset progress");
    Buttons(s, 256, 27, "credits");
    Buttons(s, 256, 27, "visit homepage");
    Buttons(s, 80, 28, "ok");
    Buttons(s, 80, 28, "cancel");
    s.Write(out, "Panels");
}

void SmallPanels(cOutput& out)
{
    {
        cSheet s("ResetLevelsPanels");
        cCanvas c(260, 110);
        SelectFont(*c, eFace::SansBold, 17);
        DrawOutlinedText(*c, "reset progress?", 130, 28, 1, UiGold(), {0.05, 0.07, 0.12}, 1.2);
        SelectFont(*c, eFace::Condensed, 13);
        cairo_set_source_rgb(*c, 1, 1, 1);
        DrawText(*c, "Every level of the campaign will", 130, 60, 1);
        DrawText(*c, "be marked as not completed again.", 130, 78, 1);
        s.AddFrame(c.Image(), 0, 0);
        Buttons(s, 80, 28, "yes");
        Buttons(s, 80, 28, "no");
        s.Write(out, "Panels");
    }
    {
        cSheet s("InstructionsPanels");
        Buttons(s, 80, 28, "back");
        Buttons(s, 160, 28, "< previous");
        Buttons(s, 160, 28, "next >");
        s.Write(out, "Panels");
    }
    {
        cSheet s("LevelSelectorPanels");
        s.AddFrame(LabelImage(300, 44, "choose a level", 28, 1, eFace::SansBold, UiGold()), 150, 0);
        for (int state = 0; state < 3; ++state)
        {
            cCanvas c(440, 22);
            RoundRectPath(*c, 0.5, 0.5, 439, 21, 4);
            cairo_set_source_rgba(*c, state == 2 ? 1 : 0.7, state == 2 ? 0.82 : 0.85,
                                  state == 2 ? 0.35 : 1, state == 0 ? 0.12 : 0.35);
            cairo_fill(*c);
            s.AddFrame(c.Image(), 0, 0);
        }
        s.AddFrame(LabelImage(400, 40, "no user levels yet - make some in the editor!", 14, 1,
                              eFace::Condensed),
                   200, 20);
        {
            cCanvas c(64, 32);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 32);
            cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0);
            cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 1);
            cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
            cairo_set_source(*c, g);
            cairo_paint(*c);
            cairo_pattern_destroy(g);
            s.AddFrame(c.Image(), 32, 16);
        }
        Buttons(s, 80, 28, "back");
        Buttons(s, 80, 28, "play");
        Buttons(s, 200, 28, "user levels");
        Buttons(s, 200, 28, "game levels");
        s.Write(out, "Panels");
    }
    {
        cSheet s("LevelSelectorIcons");
        cCanvas c(100, 80);
        cairo_arc(*c, 84, 16, 12, 0, 2 * M_PI);
        cairo_set_source_rgb(*c, 0.15, 0.65, 0.25);
        cairo_fill_preserve(*c);
        cairo_set_line_width(*c, 2);
        cairo_set_source_rgb(*c, 1, 1, 1);
        cairo_stroke(*c);
        cairo_move_to(*c, 78, 16);
        cairo_line_to(*c, 83, 21);
        cairo_line_to(*c, 91, 10);
        cairo_set_line_width(*c, 3);
        cairo_set_line_cap(*c, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(*c);
        s.AddFrame(c.Image(), 0, 0);
        s.Write(out, "Panels");
    }
}

void EditorPanels(cOutput& out)
{
    cSheet s("EditorPanels");
    s.AddFrame(LabelImage(96, 22, "level editor", 14, 1, eFace::SansBold, UiGold()), 48, 0);
    s.AddFrame(Box(96, 206, 8, 0.45), 0, 0);
    s.AddFrame(Box(90, 560, 8, 0.35), 0, 0);
    s.AddFrame(Box(610, 70, 8, 0.45), 0, 0);
    s.AddFrame(LabelImage(80, 22, "cell", 14, 1), 0, 0);
    s.AddFrame(LabelImage(80, 22, "brick", 14, 1), 0, 0);
    s.AddFrame(LabelImage(80, 22, "pieces", 14, 1), 0, 0);
    {
        cCanvas c(12, 26);
        RoundRectPath(*c, 0.5, 12.5, 22, 2, 1);
        SetColor(*c, UiGold(), 0.8);
        cairo_fill(*c);
        s.AddFrame(c.Image(), 0, 0);
    }
    s.AddFrame(LabelImage(120, 26, "items", 14, 1), 60, 0);
    {
        cCanvas c(12, 26);
        RoundRectPath(*c, -10.5, 12.5, 22, 2, 1);
        SetColor(*c, UiGold(), 0.8);
        cairo_fill(*c);
        s.AddFrame(c.Image(), 0, 0);
    }
    s.AddFrame(Slot(80, 80, false), 0, 0);
    s.AddFrame(Slot(80, 80, true), 0, 0);
    s.AddFrame(Slot(60, 60, false), 0, 0);
    s.AddFrame(Slot(60, 60, true), 0, 0);
    Buttons(s, 80, 27, "new");
    Buttons(s, 80, 26, "load");
    Buttons(s, 80, 26, "save");
    Buttons(s, 80, 27, "quit");
    Buttons(s, 80, 27, "level info");
    Buttons(s, 80, 27, "test");
    Buttons(s, 80, 27, "up");
    Buttons(s, 80, 26, "down");
    Buttons(s, 80, 26, "insert");
    Buttons(s, 80, 27, "delete");
    s.Write(out, "Panels");

    cSheet r("ResizeButtons");
    // 0 add a row, 1 remove a row, 2 add a column, 3 remove a column; +4 hover, +8 pressed.
    for (int state = 0; state < 3; ++state)
        for (int kind = 0; kind < 4; ++kind)
        {
            const bool column = kind >= 2;
            const int w = column ? 18 : 32, h = column ? 32 : 18;
            cCanvas c(w, h);
            RoundRectPath(*c, 0.5, 0.5, w - 1, h - 1, 5);
            const sRGB base = kind % 2 == 0 ? RGB255(40, 120, 60) : RGB255(140, 45, 45);
            SetColor(*c, state == 1 ? base.Lighter(0.3) : state == 2 ? base.Darker(0.3) : base);
            cairo_fill_preserve(*c);
            cairo_set_line_width(*c, 1);
            SetColor(*c, state == 1 ? UiGold() : RGB255(220, 220, 220));
            cairo_stroke(*c);
            cairo_set_line_width(*c, 2.5);
            cairo_set_source_rgb(*c, 1, 1, 1);
            cairo_move_to(*c, w / 2.0 - 5, h / 2.0);
            cairo_line_to(*c, w / 2.0 + 5, h / 2.0);
            if (kind % 2 == 0)
            {
                cairo_move_to(*c, w / 2.0, h / 2.0 - 5);
                cairo_line_to(*c, w / 2.0, h / 2.0 + 5);
            }
            cairo_stroke(*c);
            r.AddFrame(c.Image(), 0, 0);
        }
    r.Write(out, "Panels");

    cSheet p("PiecesPanels");
    p.AddFrame(Slot(78, 78, false), 0, 0);
    p.AddFrame(Slot(78, 78, true), 0, 0);
    p.Write(out, "Panels");
    cSheet q("ItemSquares");
    q.AddFrame(Slot(60, 60, false), 0, 0);
    q.AddFrame(Slot(60, 60, true), 0, 0);
    q.Write(out, "Panels");
    cSheet cs("ColorSquares");
    cs.AddFrame(Slot(30, 30, false), 0, 0);
    cs.AddFrame(Slot(30, 30, true), 0, 0);
    cs.Write(out, "Panels");
}

void Scrollbar(cOutput& out, const std::string& name, int t)
{
    // 0..2 back arrow, 3..5 forward arrow (normal, hover, pressed); 6..8 track
    // start, middle, end; 9..11 thumb start, middle, end, 12..14 hovered thumb,
    // 15..17 pressed thumb. Vertical: arrows point up and down.
    cSheet s(name);
    for (int dir = 0; dir < 2; ++dir)
        for (int state = 0; state < 3; ++state)
        {
            cCanvas c(t, t);
            RoundRectPath(*c, 0.5, 0.5, t - 1, t - 1, t / 5.0);
            SetColor(*c, state == 1   ? UiNavy().Lighter(0.35)
                         : state == 2 ? UiNavy().Darker(0.3)
                                      : UiNavy());
            cairo_fill_preserve(*c);
            cairo_set_line_width(*c, 1);
            SetColor(*c, RGB255(150, 180, 225));
            cairo_stroke(*c);
            const double m = t / 2.0, a = t * 0.28;
            cairo_move_to(*c, m - a, dir == 0 ? m + a / 2 : m - a / 2);
            cairo_line_to(*c, m, dir == 0 ? m - a / 2 : m + a / 2);
            cairo_line_to(*c, m + a, dir == 0 ? m + a / 2 : m - a / 2);
            cairo_close_path(*c);
            SetColor(*c, state == 1 ? UiGold() : sRGB{1, 1, 1});
            cairo_fill(*c);
            s.AddFrame(c.Image(), 0, 0);
        }
    const int cap = std::max(3, t / 3);
    auto part = [&](int which, const sRGB& fill, double alpha)
    {
        const int h = which == 1 ? 8 : cap;
        cCanvas c(t, h);
        const double r = t / 2.0 - 1;
        cairo_new_path(*c);
        if (which == 0)
            RoundRectPath(*c, 0.5, 0.5, t - 1, h + r, std::min(r, cap - 0.5));
        else if (which == 2)
            RoundRectPath(*c, 0.5, -r - 0.5, t - 1, h + r, std::min(r, cap - 0.5));
        else
            cairo_rectangle(*c, 0.5, 0, t - 1, h);
        SetColor(*c, fill, alpha);
        cairo_fill(*c);
        s.AddFrame(c.Image(), 0, 0);
    };
    for (int i = 0; i < 3; ++i)
        part(i, RGB255(10, 20, 40), 0.55);
    for (int state = 0; state < 3; ++state)
        for (int i = 0; i < 3; ++i)
            part(i,
                 state == 1   ? UiGold()
                 : state == 2 ? RGB255(210, 160, 60)
                              : RGB255(160, 185, 225),
                 1.0);
    s.Write(out, "Panels");
}

void Mouse(cOutput& out)
{
    // Frame and animation k: 0 the pointer, 1..7 the edge-scroll arrows
    // (top-right, bottom-left, bottom-right, left, right, top, bottom).
    cSheet s("Mouse");
    {
        cCanvas c(24, 24);
        cairo_t* cr = *c;
        cairo_move_to(cr, 1.5, 1.5);
        cairo_line_to(cr, 1.5, 18);
        cairo_line_to(cr, 6, 14);
        cairo_line_to(cr, 9.5, 21.5);
        cairo_line_to(cr, 12.5, 20);
        cairo_line_to(cr, 9, 13);
        cairo_line_to(cr, 15, 13);
        cairo_close_path(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgb(cr, 1, 0.95, 0.75);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.4);
        cairo_set_source_rgb(cr, 0.1, 0.08, 0.2);
        cairo_stroke(cr);
        s.AddFrame(c.Image(), 1, 1);
    }
    // Angle (clockwise from north) and the hot spot in a 24 x 24 frame.
    const double arrows[7][3] = {{45, 23, 0},  {225, 0, 23}, {135, 23, 23}, {270, 0, 12},
                                 {90, 23, 12}, {0, 12, 0},   {180, 12, 23}};
    for (const auto& a : arrows)
    {
        cCanvas c(24, 24);
        cairo_t* cr = *c;
        cairo_translate(cr, 12, 12);
        cairo_rotate(cr, a[0] * M_PI / 180);
        cairo_move_to(cr, 0, -11);
        cairo_line_to(cr, 8, -1);
        cairo_line_to(cr, 3, -1);
        cairo_line_to(cr, 3, 8);
        cairo_line_to(cr, -3, 8);
        cairo_line_to(cr, -3, -1);
        cairo_line_to(cr, -8, -1);
        cairo_close_path(cr);
        SetColor(cr, UiGold());
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.4);
        cairo_set_source_rgb(cr, 0.15, 0.08, 0);
        cairo_stroke(cr);
        s.AddFrame(c.Image(), static_cast<int>(a[1]), static_cast<int>(a[2]));
    }
    for (int i = 0; i < 8; ++i)
        s.AddSimpleAnim(i, 1, 1.0, true);
    s.Write(out, "Panels");
}

} // namespace

void MakePanels(cOutput& out)
{
    GamePanels(out);
    PopupPanels(out);
    MenuPanels(out);
    OptionsPanels(out);
    SmallPanels(out);
    EditorPanels(out);
    Scrollbar(out, "ScrollbarBig", 15);
    Scrollbar(out, "ScrollbarSmall", 10);
    Mouse(out);
}

} // namespace DataGen
