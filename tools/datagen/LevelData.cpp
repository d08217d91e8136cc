#include "tools/datagen/BoardArt.h"
#include "tools/datagen/Generators.h"
#include "tools/datagen/Levels.h"
#include "tools/datagen/Sheet.h"

#include <algorithm>
#include <cstdio>

namespace DataGen
{

namespace
{

// A level's board, scaled to fit a box: the picture of its icon.
void DrawLevelPicture(cairo_t* cr, const sLevel& l, double x, double y, double w, double h)
{
    const double pw = kPitch * (l.width - 1) + kCellW;
    const double ph = l.height * kCellH + kCellH / 2.0;
    const double s = std::min(w / pw, h / ph);
    cairo_save(cr);
    cairo_translate(cr, x + (w - pw * s) / 2, y + (h - ph * s) / 2);
    cairo_scale(cr, s, s);
    auto top = [&](int cx, int cy)
    { return cy * kCellH + ((((cx + (l.adjustIndexX ? 1 : 0)) % 2) + 2) % 2 ? kCellH / 2 : 0); };
    sLevel copy = l;
    for (int cy = 0; cy < l.height; ++cy)
        for (int cx = 0; cx < l.width; ++cx)
            if (copy.Cell(cx, cy) > 0)
                DrawCell(cr, cx * kPitch, top(cx, cy), copy.Cell(cx, cy), 0);
    for (int cy = 0; cy < l.height; ++cy)
        for (int cx = 0; cx < l.width; ++cx)
            if (copy.Brick(cx, cy) > 0)
                DrawAnyBrick(cr, cx * kPitch + kCellW / 2.0, top(cx, cy) + kCellH / 2.0, 1.0,
                             copy.Brick(cx, cy));
    cairo_restore(cr);
}

} // namespace

void MakeLevels(cOutput& out)
{
    const std::vector<sLevel> levels = CampaignLevels();
    cDataNode campaign("Campaign");
    campaign.Attr("IconSpriteAlias", "SprCampaignIconsZeltra");
    cDataNode& list = campaign.Child("Levels");
    cSheet icons("CampaignIconsZeltra");
    for (size_t i = 0; i < levels.size(); ++i)
    {
        char name[32];
        std::snprintf(name, sizeof name, "Zeltra%02zu", i + 1);
        const std::string file = std::string("/Levels/") + name + ".lvl";
        const std::string alias = std::string("Lvl") + name;
        out.WriteFile(file.substr(1), LevelFileText(levels[i]));
        if (!levels[i].solution.empty())
            out.WriteFile(std::string("Levels/") + name + ".moves", levels[i].solution);
        // Levels load the first time they are played.
        out.AddResource("Levels", "Zeltra", "Level", file, alias, 1);
        list.Child("Level").Attr("Alias", alias);

        cCanvas c(100, 80);
        RoundRectPath(*c, 1, 1, 98, 78, 8);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 80);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.2, 0.3, 0.5);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.12, 0.25);
        cairo_set_source(*c, g);
        cairo_fill_preserve(*c);
        cairo_pattern_destroy(g);
        cairo_set_line_width(*c, 1.5);
        cairo_set_source_rgba(*c, 0.75, 0.85, 1, 0.8);
        cairo_stroke(*c);
        DrawLevelPicture(*c, levels[i], 6, 5, 88, 70);
        icons.AddFrame(c.Image(), 0, 0);
    }
    std::string text = "Campaign=\n{\n";
    campaign.Write(text, 1);
    text += "}\n";
    out.WriteFile("Levels/Zeltra.cmp", text);
    out.AddResource("Campaigns", "Zeltra", "Campaign", "/Levels/Zeltra.cmp", "CmpZeltra");
    icons.Write(out, "LevelSelector");
}

} // namespace DataGen
