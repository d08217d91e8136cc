#include "engine/Display/GL/RenderDeviceGL.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/PixelFormat.h"
#include "engine/Display/SDL/DisplaySDL.h"

#include <SDL.h>
#include <algorithm>
#include <cstring>

#include <GL/gl.h>
#include <GL/glext.h>

namespace Korva
{

// Entry points beyond OpenGL 1.1, taken from the context.
struct cGLFunctions
{
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;

    bool Load()
    {
        auto get = [](const char* name) { return SDL_GL_GetProcAddress(name); };
        GenFramebuffers = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(get("glGenFramebuffers"));
        DeleteFramebuffers =
            reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(get("glDeleteFramebuffers"));
        BindFramebuffer = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(get("glBindFramebuffer"));
        FramebufferRenderbuffer =
            reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(get("glFramebufferRenderbuffer"));
        CheckFramebufferStatus =
            reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(get("glCheckFramebufferStatus"));
        GenRenderbuffers = reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(get("glGenRenderbuffers"));
        DeleteRenderbuffers =
            reinterpret_cast<PFNGLDELETERENDERBUFFERSPROC>(get("glDeleteRenderbuffers"));
        BindRenderbuffer = reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(get("glBindRenderbuffer"));
        RenderbufferStorage =
            reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(get("glRenderbufferStorage"));
        BlitFramebuffer = reinterpret_cast<PFNGLBLITFRAMEBUFFERPROC>(get("glBlitFramebuffer"));
        return GenFramebuffers && DeleteFramebuffers && BindFramebuffer &&
               FramebufferRenderbuffer && CheckFramebufferStatus && GenRenderbuffers &&
               DeleteRenderbuffers && BindRenderbuffer && RenderbufferStorage && BlitFramebuffer;
    }
};

namespace
{
std::string GLText(GLenum name)
{
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text ? text : "unknown";
}

const char* TrueFalse(bool value)
{
    return value ? "True" : "False";
}
} // namespace

cRenderDeviceGL::cRenderDeviceGL(cDisplaySDL& display)
    : m_display(display), m_gl(std::make_unique<cGLFunctions>())
{
    cLog& log = cLog::Get();
    log.WriteDefault("--- Creating render device (OpenGL) ---\n");
    display.AttachRenderDevice(this);
    m_context = SDL_GL_CreateContext(display.GetWindow());
    if (!m_context)
    {
        log.WriteDefault(std::string("SDL OpenGL: ") + SDL_GetError() + "\n");
        display.DetachRenderDevice(this);
        KORVA_THROW(cException, "Couldn't create OpenGL context.");
    }
    if (!m_gl->Load())
    {
        SDL_GL_DeleteContext(m_context);
        display.DetachRenderDevice(this);
        KORVA_THROW(cException, "Couldn't create frame buffer.");
    }
    m_renderer = GLText(GL_RENDERER);
    m_version = GLText(GL_VERSION);
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    log.WriteDefault("Graphics adapter: " + m_renderer + " (" + GLText(GL_VENDOR) + ")\n");
    log.WriteDefault("Graphics driver: OpenGL, version " + m_version + "\n");
    // Textures are made in power-of-two sizes by the device itself, so images
    // may ask for any size.
    log.WriteDefault("Non-square textures allowed.\n");
    log.WriteDefault("Textures can have arbitrary sizes.\n");
    log.WriteDefault("Max texture width: " + std::to_string(maxSize) + "\n");
    log.WriteDefault("Max texture height: " + std::to_string(maxSize) + "\n");
    m_textureCaps.squareOnly = false;
    m_textureCaps.powerOfTwoOnly = false;
    m_textureCaps.maxWidth = maxSize;
    m_textureCaps.maxHeight = maxSize;

    // A window draws in the desktop's format; only full screen takes the
    // bit depth of the mode.
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0)
    {
        m_desktopFormat = cRenderSystemGL::FormatName(desktop.format);
        m_desktopBits = cRenderSystemGL::FormatBits(desktop.format);
    }
    if (m_desktopBits == 0)
        m_desktopBits = 32;

    display.AddListener(this);
    Reset(display.GetMode());
}

cRenderDeviceGL::~cRenderDeviceGL()
{
    QueueEvent(cEvent(kDeviceEventDestroyed));
    DeliverEvents();
    m_display.RemoveListener(this);
    SDL_GL_MakeCurrent(m_display.GetWindow(), m_context);
    DestroyAllTextures();
    DestroyFrame();
    SDL_GL_DeleteContext(m_context);
    m_display.DetachRenderDevice(this);
}

void cRenderDeviceGL::Reset(const cDisplayMode& mode)
{
    if (m_resetting)
        return;
    m_resetting = true;
    cLog& log = cLog::Get();
    log.WriteDefault("--- Resetting render device (OpenGL) ---\n");
    log.WriteDefault("Width: " + std::to_string(mode.width) + "\n");
    log.WriteDefault("Height: " + std::to_string(mode.height) + "\n");
    log.WriteDefault("Bitdepth: " + std::to_string(mode.bitDepth) + "\n");
    log.WriteDefault(std::string("Fullscreen: ") + TrueFalse(mode.fullScreen) + "\n");

    // Everyone lets go of their textures; whatever is left goes too.
    QueueEvent(cEvent(kDeviceEventLost));
    DeliverEvents();
    SDL_GL_MakeCurrent(m_display.GetWindow(), m_context);
    DestroyAllTextures();
    DestroyFrame();

    m_requested = mode;
    m_mode = mode;
    if (mode.fullScreen)
        m_mode.bitDepth = mode.bitDepth == 16 ? 16 : 32;
    else
        m_mode.bitDepth = m_desktopBits;
    CreateFrame();
    SDL_GL_SetSwapInterval(mode.verticalSync ? 1 : 0);
    SetUpState();
    ResetClip();
    const bool desktopFrame =
        !mode.fullScreen && m_mode.bitDepth == m_desktopBits && m_desktopFormat != "UNKNOWN";
    log.WriteDefault(std::string("Device format: ") +
                     (desktopFrame            ? m_desktopFormat
                      : m_mode.bitDepth == 16 ? "R5G6B5"
                                              : "X8R8G8B8") +
                     "\n");
    log.WriteDefault("Texture format: A8R8G8B8\n");

    m_resetting = false;
    QueueEvent(cEvent(kDeviceEventRestored));
    QueueEvent(cEventParams(kDeviceEventReset, m_mode.width, m_mode.height));
    DeliverEvents();
}

void cRenderDeviceGL::CreateFrame()
{
    if (m_mode.bitDepth == 16 && !TryCreateFrame(GL_RGB565))
    {
        // Not every driver renders into 5-6-5; the option stays as it is
        // and the frame gets full colour.
        cLog::Get().WriteDefault("Bitdepth 16 is not available here; drawing with 32 bits.\n");
        DestroyFrame();
        m_mode.bitDepth = 32;
    }
    if (m_mode.bitDepth != 16 && !TryCreateFrame(GL_RGBA8))
    {
        DestroyFrame();
        m_resetting = false;
        KORVA_THROW(cException, "Couldn't create frame buffer.");
    }
    BindFrame();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

bool cRenderDeviceGL::TryCreateFrame(uint32_t format)
{
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i)
    {
        // errors of earlier calls are not this one's
    }
    m_gl->GenRenderbuffers(1, &m_colorBuffer);
    m_gl->BindRenderbuffer(GL_RENDERBUFFER, m_colorBuffer);
    m_gl->RenderbufferStorage(GL_RENDERBUFFER, format, m_mode.width, m_mode.height);
    m_gl->GenFramebuffers(1, &m_frameBuffer);
    m_gl->BindFramebuffer(GL_FRAMEBUFFER, m_frameBuffer);
    m_gl->FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  m_colorBuffer);
    const bool complete = glGetError() == GL_NO_ERROR &&
                          m_gl->CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    return complete;
}

void cRenderDeviceGL::DestroyFrame()
{
    if (m_frameBuffer)
    {
        m_gl->BindFramebuffer(GL_FRAMEBUFFER, 0);
        m_gl->DeleteFramebuffers(1, &m_frameBuffer);
        m_frameBuffer = 0;
    }
    if (m_colorBuffer)
    {
        m_gl->DeleteRenderbuffers(1, &m_colorBuffer);
        m_colorBuffer = 0;
    }
}

void cRenderDeviceGL::BindFrame()
{
    m_gl->BindFramebuffer(GL_FRAMEBUFFER, m_frameBuffer);
    glViewport(0, 0, m_mode.width, m_mode.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Screen pixels, y growing downward; pixel (i, j) covers [i, i+1) x [j, j+1).
    glOrtho(0.0, m_mode.width, m_mode.height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void cRenderDeviceGL::SetUpState()
{
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f); // fully transparent texels are never written
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    m_stateKnown = false;
}

void cRenderDeviceGL::DestroyAllTextures()
{
    for (auto& [id, record] : GetTextureRecords())
    {
        const GLuint name = record.handle;
        glDeleteTextures(1, &name);
    }
    GetTextureRecords().clear();
}

void cRenderDeviceGL::OnDisplayEvent(const cEvent& event)
{
    if (event.GetType() != kDisplayEventSize)
        return;
    // The end of a display reset, or a new window size. Only a new mode
    // (frame size, depth, full screen) resets; the window's size is taken
    // into account at every Present.
    const cDisplayMode& wanted = m_display.GetMode();
    if (!(wanted == m_requested))
        Reset(wanted);
}

void cRenderDeviceGL::Clear(const cColor& color)
{
    glClearColor(static_cast<float>(color.r) / 255.0f, static_cast<float>(color.g) / 255.0f,
                 static_cast<float>(color.b) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void cRenderDeviceGL::Present()
{
    if (IsBatching())
        FlushAll();
    SDL_Window* window = m_display.GetWindow();
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    // The window's pixels may be finer than its coordinates (high density
    // screens); the frame lies in the same place either way.
    const cLetterbox box(cPoint(m_mode.width, m_mode.height),
                         cPoint(drawableWidth, drawableHeight));
    const cRect& shown = box.GetFrame();

    m_gl->BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    m_gl->BindFramebuffer(GL_READ_FRAMEBUFFER, m_frameBuffer);
    glViewport(0, 0, drawableWidth, drawableHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (!shown.IsEmpty())
    {
        // OpenGL counts window rows from the bottom.
        const int top = drawableHeight - shown.y;
        m_gl->BlitFramebuffer(0, 0, m_mode.width, m_mode.height, shown.x, top - shown.height,
                              shown.GetRight(), top, GL_COLOR_BUFFER_BIT,
                              box.IsWholeMultiple() ? GL_NEAREST : GL_LINEAR);
    }
    SDL_GL_SwapWindow(window);
    BindFrame();
}

uint32_t cRenderDeviceGL::CreateTexture(const cPixelBuffer& image)
{
    if (image.IsEmpty())
        return 0;
    const int32_t width = NextPowerOfTwo(image.GetWidth());
    const int32_t height = NextPowerOfTwo(image.GetHeight());
    if (width > m_textureCaps.maxWidth || height > m_textureCaps.maxHeight)
        KORVA_THROW(cException, "Couldn't create texture.");
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    // The part beyond the picture is transparent, so linear filtering at the
    // picture's edge fades out instead of picking up garbage.
    const std::vector<uint8_t> clear(static_cast<size_t>(width) * static_cast<size_t>(height) * 4,
                                     0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 clear.data());
    if (glGetError() != GL_NO_ERROR)
    {
        glDeleteTextures(1, &name);
        KORVA_THROW(cException, "Couldn't create texture.");
    }
    const uint32_t id = AddTextureRecord(width, height, name).id;
    UploadTexture(id, image);
    return id;
}

void cRenderDeviceGL::DestroyTexture(uint32_t id)
{
    const cTextureRecord* record = FindTexture(id);
    if (!record)
        return;
    const GLuint name = record->handle;
    glDeleteTextures(1, &name);
    RemoveTextureRecord(id);
}

void cRenderDeviceGL::UploadTexture(uint32_t id, const cPixelBuffer& image)
{
    const cTextureRecord* record = FindTexture(id);
    if (!record || image.IsEmpty())
        return;
    // Stored as A8R8G8B8, which OpenGL takes as BGRA bytes.
    const int32_t columns = std::min(image.GetWidth(), record->width);
    const int32_t rows = std::min(image.GetHeight(), record->height);
    ConvertPixels(image, columns, eTextureFormat::A8R8G8B8, m_upload);
    glBindTexture(GL_TEXTURE_2D, record->handle);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, columns, rows, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                    m_upload.data());
}

bool cRenderDeviceGL::ReadFrame(cPixelBuffer& image)
{
    image.Resize(m_mode.width, m_mode.height);
    m_gl->BindFramebuffer(GL_READ_FRAMEBUFFER, m_frameBuffer);
    glReadPixels(0, 0, m_mode.width, m_mode.height, GL_RGBA, GL_UNSIGNED_BYTE, image.GetPixels());
    // OpenGL's rows run bottom to top.
    std::vector<uint8_t> row(static_cast<size_t>(m_mode.width) * 4);
    for (int32_t y = 0; y < m_mode.height / 2; ++y)
    {
        uint8_t* top = image.GetRow(y);
        uint8_t* bottom = image.GetRow(m_mode.height - 1 - y);
        std::memcpy(row.data(), top, row.size());
        std::memcpy(top, bottom, row.size());
        std::memcpy(bottom, row.data(), row.size());
    }
    for (int32_t y = 0; y < m_mode.height; ++y)
        for (int32_t x = 0; x < m_mode.width; ++x)
            image.At(x, y)[3] = 255; // the frame is opaque
    return glGetError() == GL_NO_ERROR;
}

void cRenderDeviceGL::ApplyRenderState(const cRenderState& state)
{
    if (m_stateKnown && state == m_applied)
        return;
    switch (state.blendMode)
    {
    case kBlendOpaque:
        glDisable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ZERO);
        break;
    case kBlendAdditive:
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        break;
    default:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    }
    if (state.colorModulation)
    {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    else
    {
        // Colour from the vertex alone; alpha still texture x vertex.
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_RGB, GL_PRIMARY_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_ALPHA, GL_PRIMARY_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, GL_SRC_ALPHA);
    }
    m_applied = state;
    m_stateKnown = true;
}

void cRenderDeviceGL::Submit(int32_t type, const cTextureRecord* texture,
                             std::span<const cVertex> vertices)
{
    auto toRGBA = [](uint32_t argb)
    { return (argb & 0xFF00FF00u) | ((argb >> 16) & 0xFFu) | ((argb & 0xFFu) << 16); };
    m_vertices.clear();
    if (type == kCommandLine)
    {
        // Each line is the band of pixels it covers, filled as a quad.
        m_vertices.reserve(vertices.size() * 3);
        for (size_t i = 0; i + 1 < vertices.size(); i += 2)
        {
            cVertex quad[4];
            BuildLineQuad(vertices[i], vertices[i + 1], quad);
            for (int corner : {0, 1, 2, 0, 2, 3})
                m_vertices.push_back(
                    {quad[corner].x, quad[corner].y, toRGBA(quad[corner].color), 0.0f, 0.0f});
        }
    }
    else
    {
        m_vertices.reserve(vertices.size());
        const float su = texture ? 1.0f / static_cast<float>(texture->width) : 0.0f;
        const float sv = texture ? 1.0f / static_cast<float>(texture->height) : 0.0f;
        for (const cVertex& v : vertices)
            m_vertices.push_back({v.x, v.y, toRGBA(v.color), v.u * su, v.v * sv});
    }

    const GLsizei stride = sizeof(cGLVertex);
    glVertexPointer(2, GL_FLOAT, stride, &m_vertices[0].x);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, &m_vertices[0].rgba);
    if (texture)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture->handle);
        const GLint filter = GetRenderState().filterMode == kFilterLinear ? GL_LINEAR : GL_NEAREST;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, &m_vertices[0].u);
    }
    else
    {
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(m_vertices.size()));
}

} // namespace Korva
