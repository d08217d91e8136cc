#pragma once

#include "engine/Display/Color.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Korva
{

class cDataNode;
class cFileSystem;
class cImage;
class cImageSource;

struct cSpriteFrame
{
    int32_t x = 0; // top-left corner in the image
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t hotSpotX = 0; // relative to the frame's corner
    int32_t hotSpotY = 0;
};

struct cAnimStep
{
    int32_t frame = 0;
    float time = 0.0f; // seconds the frame is shown
};

struct cAnimation
{
    bool looping = false;
    std::vector<cAnimStep> steps;
};

// Rectangular frames cut from one image, each with a hot spot, and numbered
// animations of them. Built from a sprite file: a data tree whose "Sprite"
// node names its image by alias and lists "Frames" and optionally "Anims".
// Loading needs no render device; only drawing does.
class cSprite
{
public:
    // Finds a sprite's image by its alias; null when there is none.
    using tImageLookup = std::function<cImageSource*(const std::string& alias)>;

    // Reads the file through the file-system manager's current file system;
    // the image is looked up in the resource manager.
    explicit cSprite(const std::string& path);
    cSprite(const std::string& path, cFileSystem& fileSystem, const tImageLookup& lookup);
    // From a tree already read; `path` names the file in messages. Raises
    // cExceptionBadSpriteFile when a required node or attribute is missing,
    // a frame has a negative position or size, a value of a frame lies
    // beyond kMaxCoordinate either way, or (when its image is available
    // already) a frame reaches outside the image.
    cSprite(const cDataNode& root, const std::string& path, const tImageLookup& lookup);
    static constexpr int32_t kMaxCoordinate = 1 << 16;

    // The image resource of that alias in the resource manager, or null.
    static cImageSource* FindImageResource(const std::string& alias);

    const std::string& GetImageAlias() const { return m_imageAlias; }
    // The image, or null when the alias named none.
    cImage* GetImage() const;
    void SetImageSource(cImageSource* source) { m_imageSource = source; }

    // Frame and animation accessors do not check their indices.
    int32_t GetFrameCount() const { return static_cast<int32_t>(m_frames.size()); }
    const cSpriteFrame& GetFrame(int32_t i) const { return m_frames[static_cast<size_t>(i)]; }
    int32_t GetFrameX(int32_t i) const { return GetFrame(i).x; }
    int32_t GetFrameY(int32_t i) const { return GetFrame(i).y; }
    int32_t GetFrameWidth(int32_t i) const { return GetFrame(i).width; }
    int32_t GetFrameHeight(int32_t i) const { return GetFrame(i).height; }
    int32_t GetFrameHotSpotX(int32_t i) const { return GetFrame(i).hotSpotX; }
    int32_t GetFrameHotSpotY(int32_t i) const { return GetFrame(i).hotSpotY; }

    int32_t GetAnimCount() const { return static_cast<int32_t>(m_anims.size()); }
    const cAnimation& GetAnim(int32_t a) const { return m_anims[static_cast<size_t>(a)]; }
    bool IsAnimLooping(int32_t a) const { return GetAnim(a).looping; }
    int32_t GetAnimStepCount(int32_t a) const
    {
        return static_cast<int32_t>(GetAnim(a).steps.size());
    }
    int32_t GetAnimStepFrame(int32_t a, int32_t step) const
    {
        return GetAnim(a).steps[static_cast<size_t>(step)].frame;
    }
    float GetAnimStepTime(int32_t a, int32_t step) const
    {
        return GetAnim(a).steps[static_cast<size_t>(step)].time;
    }
    // The sum of the animation's step times.
    float GetAnimLength(int32_t a) const;

    // Draws a frame with its hot spot on (x, y). The colour multiplies the
    // texels (its alpha is the opacity); the frame scales about its hot spot;
    // a positive angle (radians) turns clockwise on screen. A frame index
    // outside the frame list draws nothing.
    void DrawFrame(int32_t x, int32_t y, int32_t frame, const cColor& color, float scale = 1.0f,
                   float angle = 0.0f) const;
    void DrawFrame(int32_t x, int32_t y, int32_t frame, int32_t alpha = 255, float scale = 1.0f,
                   float angle = 0.0f) const;

private:
    void Read(const cDataNode& root, const std::string& path);
    void CheckFrames(const std::string& path) const;

    std::string m_imageAlias;
    cImageSource* m_imageSource = nullptr;
    std::vector<cSpriteFrame> m_frames;
    std::vector<cAnimation> m_anims;
};

} // namespace Korva
