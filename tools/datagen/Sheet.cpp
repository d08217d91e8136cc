#include "tools/datagen/Sheet.h"

#include <algorithm>
#include <numeric>

namespace DataGen
{

int cSheet::AddFrame(const sImage& image, int hotX, int hotY)
{
    int picture = -1;
    for (size_t i = 0; i < m_pictures.size(); ++i)
    {
        const sImage& p = m_pictures[i];
        if (p.width == image.width && p.height == image.height && p.rgba == image.rgba)
            picture = static_cast<int>(i);
    }
    if (picture < 0)
    {
        picture = static_cast<int>(m_pictures.size());
        m_pictures.push_back(image);
    }
    m_frames.push_back({picture, hotX, hotY});
    return static_cast<int>(m_frames.size()) - 1;
}

int cSheet::AddSameFrame(int frame)
{
    m_frames.push_back(m_frames.at(static_cast<size_t>(frame)));
    return static_cast<int>(m_frames.size()) - 1;
}

void cSheet::AddSimpleAnim(int first, int count, double time, bool looping)
{
    sAnim a;
    a.looping = looping;
    for (int i = 0; i < count; ++i)
        a.steps.emplace_back(first + i, time);
    m_anims.push_back(a);
}

namespace
{

struct sPlace
{
    int x = 0, y = 0;
};

// Shelf packing, tallest pictures first, one pixel of clear space around each so
// filtering never bleeds a neighbour in. Returns the used height.
int Pack(const std::vector<sImage>& pics, int width, std::vector<sPlace>& places)
{
    std::vector<size_t> order(pics.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return pics[a].height > pics[b].height; });
    places.assign(pics.size(), {});
    int x = 1, y = 1, shelf = 0;
    for (size_t i : order)
    {
        const sImage& p = pics[i];
        if (p.width + 2 > width)
            return 1 << 30;
        if (x + p.width + 1 > width)
        {
            x = 1;
            y += shelf + 1;
            shelf = 0;
        }
        places[i] = {x, y};
        x += p.width + 1;
        shelf = std::max(shelf, p.height);
    }
    return y + shelf + 1;
}

} // namespace

void cSheet::Write(cOutput& out, const std::string& group, int level) const
{
    // The narrowest power-of-two width whose packing is not taller than wide.
    std::vector<sPlace> places;
    int width = 64, height = 0;
    for (;; width *= 2)
    {
        height = Pack(m_pictures, width, places);
        if (height <= width || width >= 2048)
            break;
    }
    sImage sheet(width, std::max(height, 1));
    for (size_t i = 0; i < m_pictures.size(); ++i)
        Blit(m_pictures[i], sheet, places[i].x, places[i].y);

    const std::string imageAlias = "ImgSheet" + m_name;
    const std::string imageFile = "/Images/Sheet" + m_name + ".tga";
    out.WriteFile(imageFile.substr(1), EncodeTGA(sheet));
    out.AddResource("Images", "SpriteSheets", "Image", imageFile, imageAlias, level);

    cDataNode sprite("Sprite");
    sprite.Attr("ImageAlias", imageAlias);
    cDataNode& frames = sprite.Child("Frames");
    for (const sFrame& f : m_frames)
    {
        const sImage& p = m_pictures[static_cast<size_t>(f.picture)];
        const sPlace& at = places[static_cast<size_t>(f.picture)];
        frames.Child("F")
            .Attr("X", at.x)
            .Attr("Y", at.y)
            .Attr("Width", p.width)
            .Attr("Height", p.height)
            .Attr("HotSpotX", f.hotX)
            .Attr("HotSpotY", f.hotY);
    }
    if (!m_anims.empty())
    {
        cDataNode& anims = sprite.Child("Anims");
        for (const sAnim& a : m_anims)
        {
            cDataNode& an = anims.Child("A");
            an.Attr("Looping", a.looping ? "True" : "False");
            for (const auto& [frame, time] : a.steps)
                an.Child("S").Attr("Frame", frame).Attr("Time", time);
        }
    }
    std::string text = "Sprite=\n{\n";
    sprite.Write(text, 1);
    text += "}\n";
    const std::string spriteFile = "/Sprites/" + m_name + ".spr";
    out.WriteFile(spriteFile.substr(1), text);
    out.AddResource("Sprites", group, "Sprite", spriteFile, "Spr" + m_name, level);
}

} // namespace DataGen
