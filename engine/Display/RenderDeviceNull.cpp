#include "engine/Display/RenderDeviceNull.h"

namespace Korva
{

cRenderDeviceNull::cRenderDeviceNull(const cDisplayMode& mode)
{
    m_mode = mode;
    ResetClip();
}

cRenderDeviceNull::~cRenderDeviceNull()
{
    QueueEvent(cEvent(kDeviceEventDestroyed));
    DeliverEvents();
}

void cRenderDeviceNull::Reset(const cDisplayMode& mode)
{
    QueueEvent(cEvent(kDeviceEventLost));
    DeliverEvents();
    GetTextureRecords().clear();
    m_mode = mode;
    ResetClip();
    m_lost = false;
    QueueEvent(cEvent(kDeviceEventRestored));
    QueueEvent(cEventParams(kDeviceEventReset, mode.width, mode.height));
    DeliverEvents();
}

void cRenderDeviceNull::Clear(const cColor& color)
{
    m_clearColor = color;
    m_clearColor.a = 255;
}

void cRenderDeviceNull::Present()
{
    ++m_presents;
}

uint32_t cRenderDeviceNull::CreateTexture(const cPixelBuffer& image)
{
    if (m_lost)
        return 0;
    const cTextureRecord& record =
        AddTextureRecord(NextPowerOfTwo(image.GetWidth()), NextPowerOfTwo(image.GetHeight()), 0);
    ++m_uploads;
    return record.id;
}

void cRenderDeviceNull::DestroyTexture(uint32_t id)
{
    RemoveTextureRecord(id);
}

void cRenderDeviceNull::UploadTexture(uint32_t id, const cPixelBuffer& image)
{
    (void)image;
    if (FindTexture(id))
        ++m_uploads;
}

void cRenderDeviceNull::SetLost(bool lost)
{
    if (lost && !m_lost)
    {
        m_lost = true;
        QueueEvent(cEvent(kDeviceEventLost));
        DeliverEvents();
        GetTextureRecords().clear();
    }
    else if (!lost && m_lost)
    {
        m_lost = false;
        QueueEvent(cEvent(kDeviceEventRestored));
        DeliverEvents();
    }
}

void cRenderDeviceNull::Submit(int32_t type, const cTextureRecord* texture,
                               std::span<const cVertex> vertices)
{
    if (!m_recording)
        return;
    cDrawCall call;
    call.type = type;
    call.texture = texture ? texture->id : 0;
    call.textureWidth = texture ? texture->width : 0;
    call.textureHeight = texture ? texture->height : 0;
    call.state = GetRenderState();
    call.vertices.assign(vertices.begin(), vertices.end());
    m_drawCalls.push_back(std::move(call));
}

} // namespace Korva
