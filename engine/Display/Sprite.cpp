#include "engine/Display/Sprite.h"

#include "engine/Core/Exception.h"
#include "engine/Display/Image.h"
#include "engine/Display/ImageSource.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Resource/ResManager.h"
#include "engine/Resource/Resource.h"

#include <cmath>

namespace Korva
{

namespace
{
[[noreturn]] void BadFile(const std::string& path)
{
    KORVA_THROW(cExceptionBadSpriteFile, path);
}

const std::string& Required(const cDataNode& node, const char* name, const std::string& path)
{
    const std::string* value = node.FindAttribute(name);
    if (!value)
        BadFile(path);
    return *value;
}
} // namespace

cSprite::cSprite(const std::string& path)
    : cSprite(path, cFileSystemManager::Get().GetCurrent(), &cSprite::FindImageResource)
{
}

cSprite::cSprite(const std::string& path, cFileSystem& fileSystem, const tImageLookup& lookup)
{
    cDataTree tree;
    {
        cScopedStream<cFileInput> input(fileSystem, fileSystem.OpenInput(path, true, true));
        tree.Read(*input.Get());
    }
    Read(tree.GetRoot(), path);
    if (lookup)
        m_imageSource = lookup(m_imageAlias);
    CheckFrames(path);
}

cSprite::cSprite(const cDataNode& root, const std::string& path, const tImageLookup& lookup)
{
    Read(root, path);
    if (lookup)
        m_imageSource = lookup(m_imageAlias);
    CheckFrames(path);
}

void cSprite::CheckFrames(const std::string& path) const
{
    // A frame must be a real rectangle inside its image (when the image is
    // known now), with its hot spot near it; anything else is a broken file,
    // not something to draw. No picture is larger than kMaxCoordinate, and
    // within that bound every sum a drawing makes of them stays an int.
    const cImage* image = GetImage();
    const auto far = [](int32_t value)
    { return value < -kMaxCoordinate || value > kMaxCoordinate; };
    for (const cSpriteFrame& f : m_frames)
    {
        if (f.width < 0 || f.height < 0 || f.x < 0 || f.y < 0 || far(f.x) || far(f.y) ||
            far(f.width) || far(f.height) || far(f.hotSpotX) || far(f.hotSpotY))
            BadFile(path);
        if (image && (static_cast<int64_t>(f.x) + f.width > image->GetWidth() ||
                      static_cast<int64_t>(f.y) + f.height > image->GetHeight()))
            BadFile(path);
    }
}

cImageSource* cSprite::FindImageResource(const std::string& alias)
{
    cResManager* manager = cResManager::GetIfExists();
    if (!manager)
        return nullptr;
    return dynamic_cast<cImageSource*>(manager->Find(alias));
}

void cSprite::Read(const cDataNode& root, const std::string& path)
{
    const cDataNode* sprite = root.FindChild("Sprite");
    if (!sprite)
        BadFile(path);
    m_imageAlias = Required(*sprite, "ImageAlias", path);
    const cDataNode* frames = sprite->FindChild("Frames");
    if (!frames)
        BadFile(path);
    m_frames.reserve(frames->ChildCount());
    for (size_t i = 0; i < frames->ChildCount(); ++i)
    {
        const cDataNode& node = frames->Child(i);
        cSpriteFrame frame;
        frame.x = ValueToInt(Required(node, "X", path));
        frame.y = ValueToInt(Required(node, "Y", path));
        frame.width = ValueToInt(Required(node, "Width", path));
        frame.height = ValueToInt(Required(node, "Height", path));
        frame.hotSpotX = ValueToInt(Required(node, "HotSpotX", path));
        frame.hotSpotY = ValueToInt(Required(node, "HotSpotY", path));
        m_frames.push_back(frame);
    }
    const cDataNode* anims = sprite->FindChild("Anims");
    if (!anims)
        return;
    m_anims.reserve(anims->ChildCount());
    for (size_t a = 0; a < anims->ChildCount(); ++a)
    {
        const cDataNode& node = anims->Child(a);
        cAnimation anim;
        const std::string* looping = node.FindAttribute("Looping");
        anim.looping = looping && ValueIsTrue(*looping);
        anim.steps.reserve(node.ChildCount());
        for (size_t s = 0; s < node.ChildCount(); ++s)
        {
            const cDataNode& stepNode = node.Child(s);
            cAnimStep step;
            step.frame = ValueToInt(Required(stepNode, "Frame", path));
            step.time = static_cast<float>(ValueToFloat(Required(stepNode, "Time", path)));
            anim.steps.push_back(step);
        }
        m_anims.push_back(std::move(anim));
    }
}

cImage* cSprite::GetImage() const
{
    return m_imageSource ? m_imageSource->GetImage() : nullptr;
}

float cSprite::GetAnimLength(int32_t a) const
{
    float length = 0.0f;
    for (const cAnimStep& step : GetAnim(a).steps)
        length += step.time;
    return length;
}

void cSprite::DrawFrame(int32_t x, int32_t y, int32_t frame, int32_t alpha, float scale,
                        float angle) const
{
    DrawFrame(x, y, frame, cColor::White(alpha), scale, angle);
}

void cSprite::DrawFrame(int32_t x, int32_t y, int32_t index, const cColor& color, float scale,
                        float angle) const
{
    if (index < 0 || index >= GetFrameCount())
        return;
    cImage* image = GetImage();
    if (!image)
        return;
    const cSpriteFrame& f = GetFrame(index);
    const cRect source(f.x, f.y, f.width, f.height);
    if (angle == 0.0f)
    {
        if (scale == 1.0f)
        {
            image->DrawImage(cRect(x - f.hotSpotX, y - f.hotSpotY, f.width, f.height), source,
                             color);
            return;
        }
        // Scaled about the hot spot.
        const int32_t hx = static_cast<int32_t>(static_cast<float>(f.hotSpotX) * scale);
        const int32_t hy = static_cast<int32_t>(static_cast<float>(f.hotSpotY) * scale);
        const int32_t w =
            static_cast<int32_t>(static_cast<float>(f.width - f.hotSpotX) * scale) + hx;
        const int32_t h =
            static_cast<int32_t>(static_cast<float>(f.height - f.hotSpotY) * scale) + hy;
        image->DrawImage(cRect(x - hx, y - hy, w, h), source, color);
        return;
    }
    // Corners relative to the hot spot, turned about it.
    const float left = static_cast<float>(-f.hotSpotX) * scale;
    const float top = static_cast<float>(-f.hotSpotY) * scale;
    const float right = static_cast<float>(f.width - f.hotSpotX) * scale;
    const float bottom = static_cast<float>(f.height - f.hotSpotY) * scale;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    auto turn = [&](float dx, float dy)
    {
        return cPointF(static_cast<float>(x) + dx * c - dy * s,
                       static_cast<float>(y) + dx * s + dy * c);
    };
    const cPointF tl = turn(left, top);
    const cPointF tr = turn(right, top);
    const cPointF bl = turn(left, bottom);
    const cPointF br = turn(right, bottom);
    const float sx0 = static_cast<float>(f.x);
    const float sy0 = static_cast<float>(f.y);
    const float sx1 = static_cast<float>(f.x + f.width);
    const float sy1 = static_cast<float>(f.y + f.height);
    // Two triangles sharing the diagonal from top-right to bottom-left.
    const cPointF d1[3] = {tl, tr, bl};
    const cPointF s1[3] = {{sx0, sy0}, {sx1, sy0}, {sx0, sy1}};
    const cPointF d2[3] = {tr, br, bl};
    const cPointF s2[3] = {{sx1, sy0}, {sx1, sy1}, {sx0, sy1}};
    image->DrawTriangle(d1, s1, color);
    image->DrawTriangle(d2, s2, color);
}

} // namespace Korva
