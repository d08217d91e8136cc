// zeltra_contactsheet <program folder> <out.png> [alias prefix...]: draws every
// frame of every sprite of the generated data onto one labelled picture, straight
// from the files the game reads, so the art can be reviewed at a glance.
// zeltra_contactsheet <program folder> <out.png> --board <level alias>: draws
// that level's board as the game screen shows it.
#include "tools/datagen/BoardShot.h"
#include "tools/datagen/Canvas.h"
#include "tools/datagen/DataSet.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>

using namespace DataGen;

namespace
{

constexpr int kSheetWidth = 1400;

cairo_surface_t* ToSurface(const sImage& img)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.width, img.height);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
        {
            const uint8_t* p = img.At(x, y);
            const unsigned a = p[3];
            uint32_t v =
                (a << 24) | ((p[0] * a / 255) << 16) | ((p[1] * a / 255) << 8) | (p[2] * a / 255);
            reinterpret_cast<uint32_t*>(data + y * stride)[x] = v;
        }
    cairo_surface_mark_dirty(s);
    return s;
}

struct sPlaced
{
    int x, y, w, h; // box of the frame picture on the sheet, relative to the entry
    double scale;
};

struct sEntry
{
    std::string alias;
    sSpriteInfo info;
    cairo_surface_t* image = nullptr;
    std::vector<sPlaced> placed;
    int height = 0;
};

// Flow layout: frames left to right at their own size (large ones scaled down),
// each with its index below it.
void Layout(sEntry& s)
{
    int x = 10, y = 26, rowH = 0;
    for (const auto& f : s.info.frames)
    {
        const int big = std::max(f.width, f.height);
        const double scale = big > 680 ? 680.0 / big : 1.0;
        const int w = std::max(18, static_cast<int>(f.width * scale));
        const int h = static_cast<int>(f.height * scale);
        if (x + w > kSheetWidth - 10)
        {
            x = 10;
            y += rowH + 16;
            rowH = 0;
        }
        s.placed.push_back({x, y, w, h, scale});
        x += w + 8;
        rowH = std::max(rowH, h);
    }
    s.height = y + rowH + 24;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "Usage: %s <program folder> <out.png> [alias prefix...]\n", argv[0]);
        return 2;
    }
    try
    {
        cDataSet data(argv[1]);
        if (argc == 5 && std::string(argv[3]) == "--board")
        {
            WriteBoardShot(data, argv[4], argv[2]);
            ReleaseFonts();
            return 0;
        }
        std::map<std::string, cairo_surface_t*> images;
        std::vector<sEntry> entries;
        for (const auto& e : data.Entries())
        {
            if (e.type == "Image" && !e.alias.starts_with("ImgSheet"))
            {
                // A picture of its own: shown whole as one frame.
                bool wantedImage = argc == 3;
                for (int i = 3; i < argc; ++i)
                    wantedImage = wantedImage || e.alias.starts_with(argv[i]);
                if (!wantedImage)
                    continue;
                sEntry s;
                s.alias = e.alias;
                const sImage img = DecodeTGAorPCX(data.ReadFile(e.file), e.file);
                images[e.alias] = ToSurface(img);
                s.image = images[e.alias];
                s.info.imageAlias = e.file;
                s.info.frames.push_back({0, 0, img.width, img.height, 0, 0});
                Layout(s);
                entries.push_back(std::move(s));
                continue;
            }
            if (e.type != "Sprite")
                continue;
            bool wanted = argc == 3;
            for (int i = 3; i < argc; ++i)
                wanted = wanted || e.alias.starts_with(argv[i]);
            if (!wanted)
                continue;
            sEntry s;
            s.alias = e.alias;
            s.info = data.ReadSprite(e.file);
            const sResourceEntry* img = data.Find(s.info.imageAlias);
            if (img && !images.count(img->alias))
                images[img->alias] = ToSurface(DecodeTGAorPCX(data.ReadFile(img->file), img->file));
            s.image = img ? images[img->alias] : nullptr;
            Layout(s);
            entries.push_back(std::move(s));
        }
        int total = 10;
        for (const auto& s : entries)
            total += s.height;
        cCanvas sheet(kSheetWidth, total);
        cairo_t* cr = *sheet;
        cairo_set_source_rgb(cr, 0.16, 0.18, 0.22);
        cairo_paint(cr);
        int y = 10;
        for (const auto& s : entries)
        {
            SelectFont(cr, eFace::SansBold, 14);
            cairo_set_source_rgb(cr, 1, 0.9, 0.4);
            char title[256];
            std::snprintf(title, sizeof title, "%s  (%zu frames, %zu animations; image %s)",
                          s.alias.c_str(), s.info.frames.size(), s.info.anims.size(),
                          s.info.imageAlias.c_str());
            DrawText(cr, title, 10, y + 16, 0);
            for (size_t i = 0; i < s.info.frames.size(); ++i)
            {
                const auto& f = s.info.frames[i];
                const sPlaced& p = s.placed[i];
                const int cx = p.x, cy = y + p.y;
                for (int by = 0; by < p.h; by += 6)
                    for (int bx = 0; bx < p.w; bx += 6)
                    {
                        const bool dark = ((bx + by) / 6) % 2;
                        cairo_set_source_rgb(cr, dark ? 0.32 : 0.4, dark ? 0.36 : 0.44,
                                             dark ? 0.42 : 0.5);
                        cairo_rectangle(cr, cx + bx, cy + by, std::min(6, p.w - bx),
                                        std::min(6, p.h - by));
                        cairo_fill(cr);
                    }
                if (s.image && f.width > 0 && f.height > 0)
                {
                    cairo_save(cr);
                    cairo_rectangle(cr, cx, cy, f.width * p.scale, f.height * p.scale);
                    cairo_clip(cr);
                    cairo_translate(cr, cx, cy);
                    cairo_scale(cr, p.scale, p.scale);
                    cairo_set_source_surface(cr, s.image, -f.x, -f.y);
                    cairo_paint(cr);
                    cairo_restore(cr);
                    cairo_arc(cr, cx + f.hotX * p.scale, cy + f.hotY * p.scale, 1.5, 0, 6.3);
                    cairo_set_source_rgb(cr, 1, 0.2, 0.8);
                    cairo_fill(cr);
                }
                SelectFont(cr, eFace::Sans, 10);
                cairo_set_source_rgb(cr, 0.85, 0.85, 0.9);
                DrawText(cr, std::to_string(i), cx, cy + p.h + 11, 0);
            }
            y += s.height;
        }
        cairo_surface_write_to_png(sheet.Surface(), argv[2]);
        for (auto& [k, v] : images)
            cairo_surface_destroy(v);
        ReleaseFonts();
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "zeltra_contactsheet: %s\n", e.what());
        return 1;
    }
    return 0;
}
