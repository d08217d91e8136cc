#pragma once

#include "engine/Display/RenderDevice.h"

#include <vector>

namespace Korva
{

// A render device without graphics hardware: it keeps texture records and
// records every draw call it is handed. Tests of anything that draws (and
// headless runs) use it to see what would reach the screen.
class cRenderDeviceNull : public cRenderDevice
{
public:
    struct cDrawCall
    {
        int32_t type = 0;
        uint32_t texture = 0;
        int32_t textureWidth = 0;
        int32_t textureHeight = 0;
        cRenderState state;
        std::vector<cVertex> vertices;
    };

    explicit cRenderDeviceNull(const cDisplayMode& mode = {});
    ~cRenderDeviceNull() override;

    // Sends lost, restored and reset (with the new size), like a real device.
    void Reset(const cDisplayMode& mode) override;
    void Clear(const cColor& color) override;
    void Present() override;
    uint32_t CreateTexture(const cPixelBuffer& image) override;
    void DestroyTexture(uint32_t id) override;
    void UploadTexture(uint32_t id, const cPixelBuffer& image) override;
    bool IsLost() const override { return m_lost; }

    // A lost device draws nothing and makes no textures; losing it drops
    // every texture and sends the lost event.
    void SetLost(bool lost);
    void SetTextureCaps(const cTextureCaps& caps) { m_textureCaps = caps; }
    // Off: draw calls are counted but not kept (for measuring).
    void SetRecording(bool recording) { m_recording = recording; }

    const std::vector<cDrawCall>& GetDrawCalls() const { return m_drawCalls; }
    void ClearDrawCalls() { m_drawCalls.clear(); }
    int32_t GetPresentCount() const { return m_presents; }
    const cColor& GetClearColor() const { return m_clearColor; }
    uint32_t GetUploadCount() const { return m_uploads; }

protected:
    void Submit(int32_t type, const cTextureRecord* texture,
                std::span<const cVertex> vertices) override;
    bool CanDraw() const override { return !m_lost; }

private:
    std::vector<cDrawCall> m_drawCalls;
    bool m_recording = true;
    bool m_lost = false;
    int32_t m_presents = 0;
    uint32_t m_uploads = 0;
    cColor m_clearColor;
};

} // namespace Korva
