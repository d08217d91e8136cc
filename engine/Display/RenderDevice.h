#pragma once

#include "engine/Core/Event.h"
#include "engine/Display/Clipper.h"
#include "engine/Display/Color.h"
#include "engine/Display/DisplayMode.h"
#include "engine/Display/PixelBuffer.h"
#include "engine/Display/Rect.h"
#include "engine/Display/RenderState.h"
#include "engine/Display/Vertex.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <unordered_map>
#include <vector>

namespace Korva
{

// Render device events, by event type.
enum : int32_t
{
    kDeviceEventReset = 1,     // cEventParams: new width, height
    kDeviceEventLost = 2,      // textures are gone; release them
    kDeviceEventRestored = 3,  // drawing works again
    kDeviceEventDestroyed = 4, // the device is going away
};

class cRenderDeviceListener
{
public:
    virtual ~cRenderDeviceListener() = default;
    virtual void OnDeviceEvent(const cEvent& event) { (void)event; }
};

// Primitive kinds in the command list.
enum : int32_t
{
    kCommandLine = 0,
    kCommandTriangle = 1,
    kCommandTexturedTriangle = 2,
};

struct cRenderCommand
{
    uint8_t drawn = 0;
    int32_t type = kCommandTriangle;
    cVertex vertices[3];
    uint32_t texture = 0;
};

// What textures the device can make; images size their textures by it.
struct cTextureCaps
{
    bool squareOnly = false;
    bool powerOfTwoOnly = false;
    int32_t maxWidth = 4096;
    int32_t maxHeight = 4096;
};

struct cTextureRecord
{
    uint32_t id = 0;
    int32_t width = 0;   // power of two
    int32_t height = 0;  // power of two
    uint32_t handle = 0; // the back end's own name for it
};

// The 2D drawing interface on top of a graphics back end. Everything the
// engine draws goes through here: primitives are clipped, collected in a
// command list and handed to the back end in groups of one kind and one
// texture, so a frame of many sprites costs one draw call per texture.
//
// Coordinates are screen pixels. Outside a batch every drawing operation is
// drawn at once; between BeginBatch and EndBatch primitives accumulate and
// are drawn grouped by kind and texture, in the order each group first
// appeared.
class cRenderDevice
{
public:
    cRenderDevice();
    // Back ends send kDeviceEventDestroyed from their own destructor, while
    // they can still take textures back.
    virtual ~cRenderDevice();
    cRenderDevice(const cRenderDevice&) = delete;
    cRenderDevice& operator=(const cRenderDevice&) = delete;

    // The most recently created device that still exists, or null (images
    // make their textures on it when they first draw).
    static cRenderDevice* GetCurrent();

    // --- back end ---
    virtual void Reset(const cDisplayMode& mode) = 0;
    // Clears the frame to the colour (alpha forced to 255).
    virtual void Clear(const cColor& color) = 0;
    virtual void Present() = 0;
    // Returns the new texture's id, 0 when the device is lost.
    virtual uint32_t CreateTexture(const cPixelBuffer& image) = 0;
    virtual void DestroyTexture(uint32_t id) = 0;
    virtual void UploadTexture(uint32_t id, const cPixelBuffer& image) = 0;
    // Copies the frame drawn so far (not yet presented) into `image` as
    // 32-bit pixels; false when the back end cannot.
    virtual bool ReadFrame(cPixelBuffer& image)
    {
        (void)image;
        return false;
    }
    virtual const cTextureCaps& GetTextureCaps() const { return m_textureCaps; }
    virtual bool IsLost() const { return false; }

    // --- events ---
    void AddListener(cRenderDeviceListener* listener);
    void RemoveListener(cRenderDeviceListener* listener);
    void QueueEvent(const cEvent& event);
    // Hands every queued event to every listener, in order. A listener removed
    // meanwhile receives nothing more.
    void DeliverEvents();

    // --- command list: low level, unclipped, in device pixels (Vertex.h);
    // the drawing operations below are built on it ---
    void ClearCommands();
    // The ends of a line's band (see LineToBand), not its end pixels.
    void AddLine(const cVertex& v0, const cVertex& v1);
    void AddTriangle(const cVertex& v0, const cVertex& v1, const cVertex& v2);
    void AddTexturedTriangle(const cVertex& v0, const cVertex& v1, const cVertex& v2,
                             uint32_t texture);
    void FlushAll();
    void FlushLines();
    void FlushTriangles();
    void FlushTexture(uint32_t texture);
    size_t GetCommandCount() const { return m_commandCount; }
    const cRenderCommand& GetCommand(size_t i) const { return m_commands[i]; }

    // --- drawing ---
    void FillRect(const cRect& rect, const cColor& color);
    // A one-pixel outline along the rectangle's border pixels.
    void DrawRect(const cRect& rect, const cColor& color);
    // Covers the pixels from p0 towards p1, p1's own pixel excluded.
    void DrawLine(const cPoint& p0, const cPoint& p1, const cColor& color);
    void DrawLine(const cPoint& p0, const cColor& c0, const cPoint& p1, const cColor& c1);
    void DrawTriangle(const cPointF& p0, const cPointF& p1, const cPointF& p2, const cColor& color);
    void DrawTriangle(const cPointF& p0, const cColor& c0, const cPointF& p1, const cColor& c1,
                      const cPointF& p2, const cColor& c2);
    // `source` is in texture pixels.
    void DrawTexturedRect(const cRect& dest, const cRect& source, uint32_t texture,
                          const cColor& color);
    void DrawTexturedTriangle(const cPointF dest[3], const cPointF source[3], uint32_t texture,
                              const cColor& color);

    // --- clip ---
    void SetClip(const cRect& rect);
    // Turns clipping off; the rectangle becomes the whole screen.
    void ResetClip();
    const cRect& GetClip() const { return m_clip; }
    bool IsClipEnabled() const { return m_clipEnabled; }
    void PushClip();
    // Restores and enables the last pushed rectangle; nothing when none.
    void PopClip();

    // --- render state ---
    const cRenderState& GetRenderState() const { return m_renderState; }
    // Pending primitives are drawn first with the state they were made under.
    void SetRenderState(const cRenderState& state);
    void PushRenderState();
    void PopRenderState();

    // --- batching ---
    void BeginBatch();
    void EndBatch();
    bool IsBatching() const { return m_batching; }

    const cDisplayMode& GetMode() const { return m_mode; }
    int32_t GetWidth() const { return m_mode.width; }
    int32_t GetHeight() const { return m_mode.height; }

    // Draw calls handed to the back end since the last reset of the count.
    uint64_t GetDrawCallCount() const { return m_drawCalls; }
    void ResetDrawCallCount() { m_drawCalls = 0; }

    // Texture records.
    const cTextureRecord* FindTexture(uint32_t id) const;
    size_t GetTextureCount() const { return m_textures.size(); }

    static int32_t NextPowerOfTwo(int32_t value);

    // A line as the band of pixels it covers: the segment along its major
    // axis from the first pixel's near edge to the last one's, centred on
    // the pixel row (or column). Clipping the band keeps exactly the pixels
    // inside the clip; BuildLineQuad turns it into the quad the back end
    // fills (corners in the order start-left, start-right, end-right,
    // end-left).
    static void LineToBand(const cPoint& p0, const cPoint& p1, cVertex& a, cVertex& b);
    static void BuildLineQuad(const cVertex& a, const cVertex& b, cVertex quad[4]);

protected:
    // Draws one group: 2 vertices per line (a band, see LineToBand) or 3 per
    // triangle. Textured vertices carry texture pixels; `texture` is a record
    // that exists.
    virtual void Submit(int32_t type, const cTextureRecord* texture,
                        std::span<const cVertex> vertices) = 0;
    // Applies the render state before a group is drawn.
    virtual void ApplyRenderState(const cRenderState& state) { (void)state; }
    // Whether groups can be drawn now (in a scene, not lost).
    virtual bool CanDraw() const { return true; }

    // Record keeping for back ends.
    cTextureRecord& AddTextureRecord(int32_t width, int32_t height, uint32_t handle);
    void RemoveTextureRecord(uint32_t id);
    std::unordered_map<uint32_t, cTextureRecord>& GetTextureRecords() { return m_textures; }

    cDisplayMode m_mode;
    cTextureCaps m_textureCaps;

private:
    cRenderCommand& NewCommand();
    void FlushGroup(int32_t type, uint32_t texture);
    // Outside a batch each drawing operation starts with an empty list and
    // ends by drawing its own kind.
    void BeginPrimitive();
    void EndPrimitive(int32_t type, uint32_t texture);
    void EmitClippedLine(cVertex a, cVertex b);
    void EmitClippedPolygon(std::span<const cVertex> polygon, int32_t type, uint32_t texture);
    void EmitTriangle(const cVertex& v0, const cVertex& v1, const cVertex& v2, int32_t type,
                      uint32_t texture);
    cClipBox GetClipBox() const;

    std::vector<cRenderCommand> m_commands;
    size_t m_commandCount = 0;
    size_t m_firstUndrawn = 0;
    std::vector<cVertex> m_groupVertices;
    cClipper m_clipper;

    bool m_clipEnabled = false;
    cRect m_clip;
    std::deque<cRect> m_clipStack;
    cRenderState m_renderState;
    std::deque<cRenderState> m_stateStack;
    bool m_batching = false;
    uint64_t m_drawCalls = 0;

    std::unordered_map<uint32_t, cTextureRecord> m_textures;
    uint32_t m_nextTextureId = 1;

    std::recursive_mutex m_eventLock;
    std::vector<cRenderDeviceListener*> m_listeners;
    std::vector<std::unique_ptr<cEvent>> m_events;
};

} // namespace Korva
