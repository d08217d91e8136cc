#pragma once

#include "engine/Display/Color.h"
#include "engine/Display/PixelBuffer.h"
#include "engine/Display/Rect.h"
#include "engine/Display/RenderDevice.h"

#include <string>

namespace Korva
{

class cFileSystem;

// The texture size an image of w x h pixels needs on a device with these
// capabilities (before the device's own power-of-two rounding).
cPoint ComputeTextureSize(int32_t width, int32_t height, const cTextureCaps& caps);

// One picture and its texture. The pixels are loaded at once and kept, so an
// image's size is known without a render device (the puzzle rules run in
// tests without one); the texture is made on the current render device the
// first time the image draws, and made again after a device reset lost it.
class cImage : public cRenderDeviceListener
{
public:
    // Loads the file (TGA or PCX, by extension) through the file-system
    // manager's current file system.
    explicit cImage(const std::string& path);
    cImage(const std::string& path, cFileSystem& fileSystem);
    // An image of pixels already in memory; `name` is for messages only.
    explicit cImage(cPixelBuffer pixels, std::string name = {});
    ~cImage() override;
    cImage(const cImage&) = delete;
    cImage& operator=(const cImage&) = delete;

    int32_t GetWidth() const { return m_pixels.GetWidth(); }
    int32_t GetHeight() const { return m_pixels.GetHeight(); }
    const cPixelBuffer& GetPixels() const { return m_pixels; }
    const std::string& GetName() const { return m_name; }

    // The texture on the current device, made on demand; 0 without a device
    // or while it is lost. Raises "Couldn't create such a big texture." when
    // the picture does not fit into one texture of the device.
    uint32_t GetTexture();
    // Gives the texture back to its device (it is made again when needed).
    void ReleaseTexture();
    const cPoint& GetTextureSize() const { return m_textureSize; }

    // `source` is in image pixels.
    void DrawImage(const cRect& dest, const cRect& source, const cColor& color);
    void DrawImage(const cRect& dest, const cRect& source, int32_t alpha);
    void DrawTriangle(const cPoint dest[3], const cPoint source[3], const cColor& color);
    void DrawTriangle(const cPointF dest[3], const cPointF source[3], const cColor& color);

    void OnDeviceEvent(const cEvent& event) override;

private:
    void Forget();

    std::string m_name;
    cPixelBuffer m_pixels;
    cRenderDevice* m_device = nullptr;
    uint32_t m_texture = 0;
    cPoint m_textureSize;
};

} // namespace Korva
