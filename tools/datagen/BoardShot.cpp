#include "tools/datagen/BoardShot.h"

#include "tools/datagen/Canvas.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace DataGen
{

namespace
{

struct sLoadedSprite
{
    sSpriteInfo info;
    cairo_surface_t* image = nullptr;
};

class cSprites
{
public:
    explicit cSprites(const cDataSet& data) : m_data(data) {}
    ~cSprites()
    {
        for (auto& [k, v] : m_sprites)
            cairo_surface_destroy(v.image);
    }

    const sLoadedSprite& Get(const std::string& alias)
    {
        auto it = m_sprites.find(alias);
        if (it != m_sprites.end())
            return it->second;
        const sResourceEntry* e = m_data.Find(alias);
        if (!e)
            throw std::runtime_error("No sprite '" + alias + "'.");
        sLoadedSprite s;
        s.info = m_data.ReadSprite(e->file);
        const sResourceEntry* img = m_data.Find(s.info.imageAlias);
        if (!img)
            throw std::runtime_error("No image '" + s.info.imageAlias + "'.");
        const sImage pic = DecodeTGAorPCX(m_data.ReadFile(img->file), img->file);
        s.image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pic.width, pic.height);
        unsigned char* d = cairo_image_surface_get_data(s.image);
        const int stride = cairo_image_surface_get_stride(s.image);
        for (int y = 0; y < pic.height; ++y)
            for (int x = 0; x < pic.width; ++x)
            {
                const uint8_t* p = pic.At(x, y);
                const unsigned a = p[3];
                reinterpret_cast<uint32_t*>(d + y * stride)[x] =
                    (a << 24) | ((p[0] * a / 255) << 16) | ((p[1] * a / 255) << 8) |
                    (p[2] * a / 255);
            }
        cairo_surface_mark_dirty(s.image);
        return m_sprites.emplace(alias, s).first->second;
    }

    // DrawFrame at scale 1 and angle 0: the hot spot lands on (x, y).
    void Draw(cairo_t* cr, const std::string& alias, int frame, double x, double y)
    {
        const sLoadedSprite& s = Get(alias);
        if (frame < 0 || frame >= static_cast<int>(s.info.frames.size()))
            return;
        const sSpriteFrame& f = s.info.frames[static_cast<size_t>(frame)];
        cairo_save(cr);
        cairo_rectangle(cr, x - f.hotX, y - f.hotY, f.width, f.height);
        cairo_clip(cr);
        cairo_set_source_surface(cr, s.image, x - f.hotX - f.x, y - f.hotY - f.y);
        cairo_paint(cr);
        cairo_restore(cr);
    }

    int FirstFrameOfAnim(const std::string& alias, int anim)
    {
        const sLoadedSprite& s = Get(alias);
        return anim < static_cast<int>(s.info.anims.size()) && !s.info.anims[anim].empty()
                   ? s.info.anims[anim][0].first
                   : 0;
    }

private:
    const cDataSet& m_data;
    std::map<std::string, sLoadedSprite> m_sprites;
};

std::vector<int> Numbers(const std::string& text)
{
    std::vector<int> out;
    int value = -1;
    for (char c : text)
    {
        if (c >= '0' && c <= '9')
            value = (value < 0 ? 0 : value * 10) + (c - '0');
        else if (value >= 0)
        {
            out.push_back(value);
            value = -1;
        }
    }
    if (value >= 0)
        out.push_back(value);
    return out;
}

} // namespace

void WriteBoardShot(const cDataSet& data, const std::string& levelAlias, const std::string& png)
{
    // An alias of the data set, or a level file of its own.
    std::string text;
    if (const sResourceEntry* e = data.Find(levelAlias))
        text = data.ReadFile(e->file);
    else
    {
        std::ifstream in(levelAlias, std::ios::binary);
        if (!in)
            throw std::runtime_error("No level '" + levelAlias + "'.");
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    cDataNode root("Root");
    ParseDataTree(text, root);
    const cDataNode* level = root.FindChild("Level");
    if (!level)
        throw std::runtime_error("Bad level file.");
    const int w = std::atoi(level->FindAttribute("Width")->c_str());
    const int h = std::atoi(level->FindAttribute("Height")->c_str());
    const bool adjust = *level->FindAttribute("AdjustIndexX") == "True";
    const std::vector<int> cells = Numbers(*level->FindAttribute("Cells"));
    const std::vector<int> bricks = Numbers(*level->FindAttribute("Bricks"));

    cSprites sprites(data);
    const sSpriteFrame cell0 = sprites.Get("SprCells").info.frames.at(0);
    const int cw = cell0.width, ch = cell0.height, pitch = cw - ch / 4 + 1;
    const int pixelW = pitch * (w - 1) + cw, pixelH = h * ch + ch / 2;
    const double ox = 400 - pixelW / 2, oy = 250 - pixelH / 2;
    auto top = [&](int x, int y) { return y * ch + ((((x + adjust) % 2) + 2) % 2 ? ch / 2 : 0); };

    cCanvas canvas(800, 600);
    cairo_t* cr = *canvas;
    cairo_set_source_rgb(cr, 100 / 255.0, 150 / 255.0, 200 / 255.0);
    cairo_paint(cr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const int kind = cells.at(static_cast<size_t>(y * w + x));
            if (kind > 0)
                sprites.Draw(cr, "SprCells", sprites.FirstFrameOfAnim("SprCells", kind),
                             ox + x * pitch, oy + top(x, y));
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const int c = bricks.at(static_cast<size_t>(y * w + x));
            const double cx = ox + cw / 2 + x * pitch, cy = oy + ch / 2 + top(x, y);
            if (c >= 1 && c <= 99)
            {
                sprites.Draw(cr, "SprBricksShadow", c / 10 + 7, cx, cy);
                sprites.Draw(cr, "SprBricksShadow", c % 10 + 15, cx, cy);
            }
            else if (c == 100)
            {
                int p = static_cast<int>(0.3 * 40);
                for (int layer = 0; layer < 8; ++layer)
                {
                    if (p >= 0 && p < 14)
                        sprites.Draw(cr, "SprBrickMultiShadow", 14 * layer + p, cx, cy);
                    p -= 5;
                    if (p < 0)
                        p += 40;
                }
            }
            else if (c == 101)
                sprites.Draw(cr, "SprBrickStarShadow", 0, cx, cy);
            else if (c == 102)
                sprites.Draw(cr, "SprBrickBlockerShadow", 0, cx, cy);
            else if (c == 103)
                sprites.Draw(cr, "SprBrickBombShadow", 0, cx, cy);
            else if (c == 104)
                sprites.Draw(cr, "SprBrickPlasmaShadow", 0, cx, cy);
        }
    cairo_surface_write_to_png(canvas.Surface(), png.c_str());
}

} // namespace DataGen
