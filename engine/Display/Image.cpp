#include "engine/Display/Image.h"

#include "engine/Core/Exception.h"
#include "engine/Display/ImageLoader.h"
#include "engine/File/FileSystemManager.h"

namespace Korva
{

cPoint ComputeTextureSize(int32_t width, int32_t height, const cTextureCaps& caps)
{
    if (caps.powerOfTwoOnly)
    {
        if (!caps.squareOnly)
            return cPoint(cRenderDevice::NextPowerOfTwo(width),
                          cRenderDevice::NextPowerOfTwo(height));
        int32_t size = 1;
        while ((size < width || size < height) && size < (1 << 30))
            size *= 2;
        return cPoint(size, size);
    }
    if (caps.squareOnly)
    {
        const int32_t size = std::max(width, height);
        return cPoint(size, size);
    }
    return cPoint(width, height);
}

namespace
{
cPixelBuffer LoadPixels(const std::string& path, cFileSystem& fileSystem)
{
    auto loader = CreateImageLoader(path);
    loader->Load(fileSystem);
    return std::move(loader->GetBuffer());
}
} // namespace

cImage::cImage(const std::string& path) : cImage(path, cFileSystemManager::Get().GetCurrent()) {}

cImage::cImage(const std::string& path, cFileSystem& fileSystem)
    : m_name(path), m_pixels(LoadPixels(path, fileSystem))
{
}

cImage::cImage(cPixelBuffer pixels, std::string name)
    : m_name(std::move(name)), m_pixels(std::move(pixels))
{
}

cImage::~cImage()
{
    ReleaseTexture();
}

uint32_t cImage::GetTexture()
{
    cRenderDevice* device = cRenderDevice::GetCurrent();
    if (m_texture != 0 && device == m_device)
        return m_texture;
    if (m_texture != 0)
        ReleaseTexture(); // made on a device that is no longer the current one
    if (!device || device->IsLost() || m_pixels.IsEmpty())
        return 0;

    const cTextureCaps& caps = device->GetTextureCaps();
    const cPoint size = ComputeTextureSize(GetWidth(), GetHeight(), caps);
    if (size.x > caps.maxWidth || size.y > caps.maxHeight)
        KORVA_THROW(cException, "Couldn't create such a big texture.");
    if (size.x == GetWidth() && size.y == GetHeight())
    {
        m_texture = device->CreateTexture(m_pixels);
    }
    else
    {
        // The picture stays in the top-left corner of a larger texture.
        cPixelBuffer padded = m_pixels;
        padded.Resize(size.x, size.y);
        m_texture = device->CreateTexture(padded);
    }
    if (m_texture == 0)
        return 0;
    m_textureSize = size;
    m_device = device;
    m_device->AddListener(this);
    return m_texture;
}

void cImage::ReleaseTexture()
{
    if (m_device)
    {
        if (m_texture != 0)
            m_device->DestroyTexture(m_texture);
        m_device->RemoveListener(this);
    }
    Forget();
}

void cImage::Forget()
{
    m_device = nullptr;
    m_texture = 0;
    m_textureSize = cPoint();
}

void cImage::OnDeviceEvent(const cEvent& event)
{
    if (event.GetType() == kDeviceEventLost)
    {
        // The device drops every texture while lost; ours is gone with them.
        ReleaseTexture();
    }
    else if (event.GetType() == kDeviceEventDestroyed)
    {
        if (m_device)
            m_device->RemoveListener(this);
        Forget();
    }
}

void cImage::DrawImage(const cRect& dest, const cRect& source, const cColor& color)
{
    const uint32_t texture = GetTexture();
    if (texture != 0)
        m_device->DrawTexturedRect(dest, source, texture, color);
}

void cImage::DrawImage(const cRect& dest, const cRect& source, int32_t alpha)
{
    DrawImage(dest, source, cColor::White(alpha));
}

void cImage::DrawTriangle(const cPoint dest[3], const cPoint source[3], const cColor& color)
{
    const cPointF d[3] = {dest[0], dest[1], dest[2]};
    const cPointF s[3] = {source[0], source[1], source[2]};
    DrawTriangle(d, s, color);
}

void cImage::DrawTriangle(const cPointF dest[3], const cPointF source[3], const cColor& color)
{
    const uint32_t texture = GetTexture();
    if (texture != 0)
        m_device->DrawTexturedTriangle(dest, source, texture, color);
}

} // namespace Korva
