#include "engine/Display/RenderDevice.h"

#include <algorithm>
#include <cmath>

namespace Korva
{

namespace
{
// The device images use; the latest one created that still exists.
cRenderDevice* g_current = nullptr;
// The command list grows in steps of this many entries and is reused.
constexpr size_t kGrowStep = 256;

cVertex MakeVertex(const cPointF& p, uint32_t color, float u = 0.0f, float v = 0.0f)
{
    cVertex vertex;
    vertex.x = p.x;
    vertex.y = p.y;
    vertex.color = color;
    vertex.u = u;
    vertex.v = v;
    return vertex;
}
} // namespace

cRenderDevice::cRenderDevice()
{
    m_commands.resize(kGrowStep);
    m_clip = cRect(0, 0, m_mode.width, m_mode.height);
    g_current = this;
}

cRenderDevice::~cRenderDevice()
{
    if (g_current == this)
        g_current = nullptr;
}

cRenderDevice* cRenderDevice::GetCurrent()
{
    return g_current;
}

int32_t cRenderDevice::NextPowerOfTwo(int32_t value)
{
    int32_t size = 1;
    while (size < value && size < (1 << 30))
        size *= 2;
    return size;
}

// ---------------------------------------------------------------- events

void cRenderDevice::AddListener(cRenderDeviceListener* listener)
{
    std::lock_guard lock(m_eventLock);
    if (listener &&
        std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void cRenderDevice::RemoveListener(cRenderDeviceListener* listener)
{
    std::lock_guard lock(m_eventLock);
    std::erase(m_listeners, listener);
}

void cRenderDevice::QueueEvent(const cEvent& event)
{
    std::lock_guard lock(m_eventLock);
    m_events.push_back(event.Clone());
}

void cRenderDevice::DeliverEvents()
{
    std::lock_guard lock(m_eventLock);
    std::vector<std::unique_ptr<cEvent>> events;
    events.swap(m_events);
    for (const auto& event : events)
    {
        // Listeners may remove themselves or others while being called.
        const std::vector<cRenderDeviceListener*> snapshot = m_listeners;
        for (cRenderDeviceListener* listener : snapshot)
            if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
                listener->OnDeviceEvent(*event);
    }
}

// ---------------------------------------------------------------- textures

const cTextureRecord* cRenderDevice::FindTexture(uint32_t id) const
{
    const auto it = m_textures.find(id);
    return it == m_textures.end() ? nullptr : &it->second;
}

cTextureRecord& cRenderDevice::AddTextureRecord(int32_t width, int32_t height, uint32_t handle)
{
    cTextureRecord record;
    record.id = m_nextTextureId++;
    record.width = width;
    record.height = height;
    record.handle = handle;
    return m_textures[record.id] = record;
}

void cRenderDevice::RemoveTextureRecord(uint32_t id)
{
    m_textures.erase(id);
}

// ---------------------------------------------------------------- commands

void cRenderDevice::ClearCommands()
{
    m_commandCount = 0;
    m_firstUndrawn = 0;
}

cRenderCommand& cRenderDevice::NewCommand()
{
    if (m_commandCount == m_commands.size())
        m_commands.resize(m_commands.size() + kGrowStep);
    cRenderCommand& command = m_commands[m_commandCount++];
    command.drawn = 0;
    return command;
}

void cRenderDevice::AddLine(const cVertex& v0, const cVertex& v1)
{
    cRenderCommand& command = NewCommand();
    command.type = kCommandLine;
    command.vertices[0] = v0;
    command.vertices[1] = v1;
    command.texture = 0;
}

void cRenderDevice::AddTriangle(const cVertex& v0, const cVertex& v1, const cVertex& v2)
{
    cRenderCommand& command = NewCommand();
    command.type = kCommandTriangle;
    command.vertices[0] = v0;
    command.vertices[1] = v1;
    command.vertices[2] = v2;
    command.texture = 0;
}

void cRenderDevice::AddTexturedTriangle(const cVertex& v0, const cVertex& v1, const cVertex& v2,
                                        uint32_t texture)
{
    cRenderCommand& command = NewCommand();
    command.type = kCommandTexturedTriangle;
    command.vertices[0] = v0;
    command.vertices[1] = v1;
    command.vertices[2] = v2;
    command.texture = texture;
}

void cRenderDevice::FlushAll()
{
    for (;;)
    {
        while (m_firstUndrawn < m_commandCount && m_commands[m_firstUndrawn].drawn)
            ++m_firstUndrawn;
        if (m_firstUndrawn == m_commandCount)
            return;
        const cRenderCommand& first = m_commands[m_firstUndrawn];
        FlushGroup(first.type, first.texture);
    }
}

void cRenderDevice::FlushLines()
{
    FlushGroup(kCommandLine, 0);
}

void cRenderDevice::FlushTriangles()
{
    FlushGroup(kCommandTriangle, 0);
}

void cRenderDevice::FlushTexture(uint32_t texture)
{
    FlushGroup(kCommandTexturedTriangle, texture);
}

void cRenderDevice::FlushGroup(int32_t type, uint32_t texture)
{
    m_groupVertices.clear();
    const size_t perCommand = type == kCommandLine ? 2 : 3;
    for (size_t i = m_firstUndrawn; i < m_commandCount; ++i)
    {
        cRenderCommand& command = m_commands[i];
        if (command.drawn || command.type != type ||
            (type == kCommandTexturedTriangle && command.texture != texture))
            continue;
        command.drawn = 1;
        m_groupVertices.insert(m_groupVertices.end(), command.vertices,
                               command.vertices + perCommand);
    }
    if (m_groupVertices.empty() || !CanDraw())
        return;
    const cTextureRecord* record = nullptr;
    if (type == kCommandTexturedTriangle)
    {
        record = FindTexture(texture);
        if (!record)
            return; // a texture that is gone draws nothing
    }
    ApplyRenderState(m_renderState);
    ++m_drawCalls;
    Submit(type, record, m_groupVertices);
}

void cRenderDevice::BeginPrimitive()
{
    if (!m_batching)
        ClearCommands();
}

void cRenderDevice::EndPrimitive(int32_t type, uint32_t texture)
{
    if (!m_batching)
        FlushGroup(type, texture);
}

// ---------------------------------------------------------------- clipping

cClipBox cRenderDevice::GetClipBox() const
{
    cClipBox box;
    box.left = static_cast<float>(m_clip.x);
    box.top = static_cast<float>(m_clip.y);
    box.right = static_cast<float>(m_clip.x + m_clip.width);
    box.bottom = static_cast<float>(m_clip.y + m_clip.height);
    return box;
}

void cRenderDevice::EmitClippedLine(cVertex a, cVertex b)
{
    if (m_clipEnabled && !(GetClipBox().Contains(a) && GetClipBox().Contains(b)))
    {
        if (!cClipper::ClipLine(a, b, GetClipBox()))
            return;
    }
    if (a.x == b.x && a.y == b.y)
        return; // nothing left to cover
    AddLine(a, b);
}

void cRenderDevice::EmitTriangle(const cVertex& v0, const cVertex& v1, const cVertex& v2,
                                 int32_t type, uint32_t texture)
{
    if (type == kCommandTexturedTriangle)
        AddTexturedTriangle(v0, v1, v2, texture);
    else
        AddTriangle(v0, v1, v2);
}

void cRenderDevice::EmitClippedPolygon(std::span<const cVertex> polygon, int32_t type,
                                       uint32_t texture)
{
    if (m_clipEnabled)
    {
        const cClipBox box = GetClipBox();
        const bool inside = std::all_of(polygon.begin(), polygon.end(),
                                        [&](const cVertex& v) { return box.Contains(v); });
        if (!inside)
            polygon = m_clipper.ClipPolygon(polygon, box);
    }
    // A fan around the first corner.
    for (size_t i = 2; i < polygon.size(); ++i)
        EmitTriangle(polygon[0], polygon[i - 1], polygon[i], type, texture);
}

void cRenderDevice::SetClip(const cRect& rect)
{
    m_clipEnabled = true;
    m_clip = rect;
}

void cRenderDevice::ResetClip()
{
    m_clipEnabled = false;
    m_clip = cRect(0, 0, m_mode.width, m_mode.height);
}

void cRenderDevice::PushClip()
{
    m_clipStack.push_back(m_clip);
}

void cRenderDevice::PopClip()
{
    if (m_clipStack.empty())
        return;
    SetClip(m_clipStack.back());
    m_clipStack.pop_back();
}

// ---------------------------------------------------------------- state

void cRenderDevice::SetRenderState(const cRenderState& state)
{
    // The back end applies the state when a group is drawn, so what is still
    // pending must be drawn under the state it was made with.
    if (state != m_renderState && m_firstUndrawn < m_commandCount)
        FlushAll();
    m_renderState = state;
}

void cRenderDevice::PushRenderState()
{
    m_stateStack.push_back(m_renderState);
}

void cRenderDevice::PopRenderState()
{
    if (m_stateStack.empty())
        return;
    SetRenderState(m_stateStack.back());
    m_stateStack.pop_back();
}

void cRenderDevice::BeginBatch()
{
    if (m_batching)
        FlushAll();
    ClearCommands();
    m_batching = true;
}

void cRenderDevice::EndBatch()
{
    FlushAll();
    ClearCommands();
    m_batching = false;
}

// ---------------------------------------------------------------- drawing

void cRenderDevice::FillRect(const cRect& rect, const cColor& color)
{
    cRect r = rect;
    if (m_clipEnabled)
        r = r.Intersect(m_clip);
    if (r.width < 1 || r.height < 1)
        return;
    BeginPrimitive();
    const uint32_t argb = color.ToARGB();
    const float left = static_cast<float>(r.x);
    const float top = static_cast<float>(r.y);
    const float right = static_cast<float>(r.x + r.width);
    const float bottom = static_cast<float>(r.y + r.height);
    const cVertex tl = MakeVertex({left, top}, argb);
    const cVertex tr = MakeVertex({right, top}, argb);
    const cVertex bl = MakeVertex({left, bottom}, argb);
    const cVertex br = MakeVertex({right, bottom}, argb);
    AddTriangle(tl, tr, bl);
    AddTriangle(tr, br, bl);
    EndPrimitive(kCommandTriangle, 0);
}

void cRenderDevice::DrawRect(const cRect& rect, const cColor& color)
{
    if (rect.width < 1 || rect.height < 1)
        return;
    if (rect.width == 1 || rect.height == 1)
    {
        // The outline of a one-pixel-thin rectangle is the rectangle itself.
        FillRect(rect, color);
        return;
    }
    BeginPrimitive();
    // Each edge leaves out its last pixel, which the next edge starts with, so
    // every border pixel is covered exactly once (this matters when blending).
    const int32_t right = rect.x + rect.width - 1;
    const int32_t bottom = rect.y + rect.height - 1;
    const cPoint corners[4] = {
        {rect.x, rect.y}, {right, rect.y}, {right, bottom}, {rect.x, bottom}};
    const uint32_t argb = color.ToARGB();
    for (int i = 0; i < 4; ++i)
    {
        cVertex a, b;
        LineToBand(corners[i], corners[(i + 1) % 4], a, b);
        a.color = b.color = argb;
        EmitClippedLine(a, b);
    }
    EndPrimitive(kCommandLine, 0);
}

void cRenderDevice::DrawLine(const cPoint& p0, const cPoint& p1, const cColor& color)
{
    DrawLine(p0, color, p1, color);
}

void cRenderDevice::DrawLine(const cPoint& p0, const cColor& c0, const cPoint& p1, const cColor& c1)
{
    BeginPrimitive();
    cVertex a, b;
    LineToBand(p0, p1, a, b);
    a.color = c0.ToARGB();
    b.color = c1.ToARGB();
    EmitClippedLine(a, b);
    EndPrimitive(kCommandLine, 0);
}

void cRenderDevice::DrawTriangle(const cPointF& p0, const cPointF& p1, const cPointF& p2,
                                 const cColor& color)
{
    DrawTriangle(p0, color, p1, color, p2, color);
}

void cRenderDevice::DrawTriangle(const cPointF& p0, const cColor& c0, const cPointF& p1,
                                 const cColor& c1, const cPointF& p2, const cColor& c2)
{
    BeginPrimitive();
    const cVertex polygon[3] = {MakeVertex(p0, c0.ToARGB()), MakeVertex(p1, c1.ToARGB()),
                                MakeVertex(p2, c2.ToARGB())};
    EmitClippedPolygon(polygon, kCommandTriangle, 0);
    EndPrimitive(kCommandTriangle, 0);
}

void cRenderDevice::DrawTexturedRect(const cRect& dest, const cRect& source, uint32_t texture,
                                     const cColor& color)
{
    if (texture == 0 || dest.width < 1 || dest.height < 1)
        return;
    cRect d = dest;
    cRect s = source;
    if (m_clipEnabled)
    {
        d = dest.Intersect(m_clip);
        if (d.width < 1 || d.height < 1)
            return;
        // The source is cut in the same proportion as the destination, in
        // exact integer arithmetic (multiplied before divided, so 7 x 61 / 7
        // is 61); an axis the clip did not cut keeps its source as it is.
        const auto scaled = [](int32_t part, int32_t sourceSize, int32_t destSize)
        { return static_cast<int32_t>(static_cast<int64_t>(part) * sourceSize / destSize); };
        if (d.x != dest.x || d.width != dest.width)
        {
            s.x = source.x + scaled(d.x - dest.x, source.width, dest.width);
            s.width = scaled(d.width, source.width, dest.width);
        }
        if (d.y != dest.y || d.height != dest.height)
        {
            s.y = source.y + scaled(d.y - dest.y, source.height, dest.height);
            s.height = scaled(d.height, source.height, dest.height);
        }
    }
    BeginPrimitive();
    const uint32_t argb = color.ToARGB();
    const float left = static_cast<float>(d.x);
    const float top = static_cast<float>(d.y);
    const float right = static_cast<float>(d.x + d.width);
    const float bottom = static_cast<float>(d.y + d.height);
    const float u0 = static_cast<float>(s.x);
    const float v0 = static_cast<float>(s.y);
    const float u1 = static_cast<float>(s.x + s.width);
    const float v1 = static_cast<float>(s.y + s.height);
    const cVertex tl = MakeVertex({left, top}, argb, u0, v0);
    const cVertex tr = MakeVertex({right, top}, argb, u1, v0);
    const cVertex bl = MakeVertex({left, bottom}, argb, u0, v1);
    const cVertex br = MakeVertex({right, bottom}, argb, u1, v1);
    AddTexturedTriangle(tl, tr, bl, texture);
    AddTexturedTriangle(tr, br, bl, texture);
    EndPrimitive(kCommandTexturedTriangle, texture);
}

void cRenderDevice::DrawTexturedTriangle(const cPointF dest[3], const cPointF source[3],
                                         uint32_t texture, const cColor& color)
{
    if (texture == 0)
        return;
    BeginPrimitive();
    const uint32_t argb = color.ToARGB();
    const cVertex polygon[3] = {MakeVertex(dest[0], argb, source[0].x, source[0].y),
                                MakeVertex(dest[1], argb, source[1].x, source[1].y),
                                MakeVertex(dest[2], argb, source[2].x, source[2].y)};
    EmitClippedPolygon(polygon, kCommandTexturedTriangle, texture);
    EndPrimitive(kCommandTexturedTriangle, texture);
}

// ---------------------------------------------------------------- lines

void cRenderDevice::LineToBand(const cPoint& p0, const cPoint& p1, cVertex& a, cVertex& b)
{
    const int32_t dx = p1.x - p0.x;
    const int32_t dy = p1.y - p0.y;
    if (std::abs(dx) >= std::abs(dy))
    {
        // Along x: from the start pixel's near edge to the end pixel's near
        // edge, which leaves the end pixel out in either direction.
        const float shift = dx < 0 ? 1.0f : 0.0f;
        a.x = static_cast<float>(p0.x) + shift;
        b.x = static_cast<float>(p1.x) + shift;
        a.y = static_cast<float>(p0.y) + 0.5f;
        b.y = static_cast<float>(p1.y) + 0.5f;
    }
    else
    {
        const float shift = dy < 0 ? 1.0f : 0.0f;
        a.y = static_cast<float>(p0.y) + shift;
        b.y = static_cast<float>(p1.y) + shift;
        a.x = static_cast<float>(p0.x) + 0.5f;
        b.x = static_cast<float>(p1.x) + 0.5f;
    }
    a.u = a.v = b.u = b.v = 0.0f;
}

void cRenderDevice::BuildLineQuad(const cVertex& a, const cVertex& b, cVertex quad[4])
{
    const bool alongX = std::fabs(b.x - a.x) >= std::fabs(b.y - a.y);
    const float ox = alongX ? 0.0f : 0.5f;
    const float oy = alongX ? 0.5f : 0.0f;
    quad[0] = a;
    quad[1] = a;
    quad[2] = b;
    quad[3] = b;
    quad[0].x -= ox;
    quad[0].y -= oy;
    quad[1].x += ox;
    quad[1].y += oy;
    quad[2].x += ox;
    quad[2].y += oy;
    quad[3].x -= ox;
    quad[3].y -= oy;
}

} // namespace Korva
