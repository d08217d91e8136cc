#pragma once

namespace Korva
{

class cImage;

// Where a sprite takes its image from: an image resource, which may unload
// and load again, or an image its owner keeps. May return null (no image:
// nothing is drawn).
class cImageSource
{
public:
    virtual ~cImageSource() = default;
    virtual cImage* GetImage() = 0;
};

// An image source for an image that lives elsewhere (tests, tools).
class cImageRef : public cImageSource
{
public:
    explicit cImageRef(cImage* image) : m_image(image) {}
    cImage* GetImage() override { return m_image; }

private:
    cImage* m_image;
};

} // namespace Korva
