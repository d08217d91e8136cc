#pragma once

#include "engine/Display/Display.h"
#include "engine/Display/RenderDevice.h"

#include <memory>
#include <vector>

namespace Korva
{

class cDisplaySDL;
struct cGLFunctions;

// The render device on OpenGL (2.1 compatibility profile with framebuffer
// objects, which Mesa's software renderer offers headless).
//
// Everything is drawn into an offscreen frame of exactly the mode's size and,
// in full screen, its bit depth (8 bits per channel for 32, 5-6-5 for 16
// where the driver has it); a window draws in the desktop's depth. Present
// fits the frame into the window, letterboxed (cLetterbox), and swaps.
// So the window may have any size, full screen keeps the desktop's mode, a
// bit depth switch needs no new context, and ReadFrame always returns the
// frame as drawn.
class cRenderDeviceGL : public cRenderDevice, public cDisplayListener
{
public:
    // Attaches to the display, makes the OpenGL context and resets to the
    // display's mode. Raises "Couldn't create OpenGL context." or "Couldn't
    // create frame buffer." when the system cannot.
    explicit cRenderDeviceGL(cDisplaySDL& display);
    ~cRenderDeviceGL() override;

    void Reset(const cDisplayMode& mode) override;
    void Clear(const cColor& color) override;
    void Present() override;
    uint32_t CreateTexture(const cPixelBuffer& image) override;
    void DestroyTexture(uint32_t id) override;
    void UploadTexture(uint32_t id, const cPixelBuffer& image) override;
    bool ReadFrame(cPixelBuffer& image) override;

    void OnDisplayEvent(const cEvent& event) override;

    // What the context reports (for the log and for tests).
    const std::string& GetRendererName() const { return m_renderer; }
    const std::string& GetVersionText() const { return m_version; }

protected:
    void Submit(int32_t type, const cTextureRecord* texture,
                std::span<const cVertex> vertices) override;
    void ApplyRenderState(const cRenderState& state) override;

private:
    struct cGLVertex
    {
        float x, y;
        uint32_t rgba; // bytes R, G, B, A in memory
        float u, v;
    };

    void CreateFrame();
    bool TryCreateFrame(uint32_t format);
    void DestroyFrame();
    void DestroyAllTextures();
    void BindFrame();
    void SetUpState();

    cDisplaySDL& m_display;
    void* m_context = nullptr;
    std::unique_ptr<cGLFunctions> m_gl;
    std::string m_renderer;
    std::string m_version;
    cDisplayMode m_requested;
    // What a window draws in.
    std::string m_desktopFormat = "UNKNOWN";
    int32_t m_desktopBits = 0;
    bool m_resetting = false;
    uint32_t m_frameBuffer = 0;
    uint32_t m_colorBuffer = 0;
    cRenderState m_applied;
    bool m_stateKnown = false;
    std::vector<cGLVertex> m_vertices;
    std::vector<uint8_t> m_upload;
};

} // namespace Korva
