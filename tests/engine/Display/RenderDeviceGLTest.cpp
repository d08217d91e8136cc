// Draws through the real window and OpenGL device (under Xvfb in the test
// script) and checks pixels of the frame read back.
#include "engine/Display/GL/RenderDeviceGL.h"
#include "engine/Core/Log.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/Image.h"
#include "engine/Display/ImageSource.h"
#include "engine/Display/SDL/DisplaySDL.h"
#include "engine/Display/Sprite.h"
#include "engine/File/DataTree.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Korva
{
namespace
{

class RenderDeviceGLTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        display = std::make_unique<cDisplaySDL>();
        display->Create(cDisplayMode{}, false);
        cRenderSystemGL system;
        device = system.CreateRenderDevice(*display);
        device->Clear(cColor(0, 0, 0));
    }

    cColor Pixel(int32_t x, int32_t y)
    {
        if (frame.IsEmpty())
        {
            EXPECT_TRUE(device->ReadFrame(frame));
        }
        const uint8_t* p = frame.At(x, y);
        return cColor(p[0], p[1], p[2], p[3]);
    }
    void Refresh() { frame = cPixelBuffer(); }

    // A 4 x 4 picture of four 2 x 2 quadrants: red, green / blue, white.
    static cPixelBuffer Quadrants()
    {
        cPixelBuffer pixels(4, 4);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 4; ++x)
            {
                const bool right = x >= 2;
                const bool bottom = y >= 2;
                if (!bottom)
                    pixels.SetPixel(x, y, right ? 0 : 255, right ? 255 : 0, 0, 255);
                else
                    pixels.SetPixel(x, y, right ? 255 : 0, right ? 255 : 0, 255, 255);
            }
        return pixels;
    }

    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDeviceGL> device;
    cPixelBuffer frame;
};

// Bits per pixel of the desktop, as the render system names its format.
int32_t DesktopBits()
{
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return 0;
    return cRenderSystemGL::FormatBits(desktop.format);
}

const cColor kBlack(0, 0, 0);
const cColor kRed(255, 0, 0);
const cColor kGreen(0, 255, 0);
const cColor kBlue(0, 0, 255);
const cColor kWhite(255, 255, 255);

TEST_F(RenderDeviceGLTest, LogsWhatTheSystemReports)
{
    std::string all;
    for (const std::string& line : cLog::Get().GetHistory())
        all += line;
    for (const char* text :
         {"--- Creating display ---\n", "Fullscreen: False\n",
          "--- Creating render system (OpenGL) ---\n", "Supported resolutions:\n",
          "--- Creating render device (OpenGL) ---\n", "Graphics adapter: ",
          "Graphics driver: OpenGL, version ", "Max texture width: ", "Bitdepth: 32\n"})
        EXPECT_NE(all.find(text), std::string::npos) << text;
    EXPECT_FALSE(device->GetRendererName().empty());
    EXPECT_GE(device->GetTextureCaps().maxWidth, 1024);
    RecordProperty("renderer", device->GetRendererName());
    RecordProperty("version", device->GetVersionText());
}

TEST_F(RenderDeviceGLTest, FillsOutlinesAndLinesCoverExactlyTheirPixels)
{
    device->FillRect(cRect(10, 10, 20, 10), kRed);
    device->DrawRect(cRect(50, 50, 10, 5), kGreen);
    device->DrawLine(cPoint(100, 100), cPoint(110, 100), kWhite);
    device->DrawLine(cPoint(120, 130), cPoint(120, 120), kBlue);

    EXPECT_EQ(Pixel(10, 10), kRed);
    EXPECT_EQ(Pixel(29, 19), kRed);
    EXPECT_EQ(Pixel(30, 10), kBlack);
    EXPECT_EQ(Pixel(10, 20), kBlack);
    for (const cPoint p : {cPoint(50, 50), cPoint(59, 50), cPoint(59, 54), cPoint(50, 54),
                           cPoint(55, 50), cPoint(59, 52), cPoint(55, 54), cPoint(50, 52)})
        EXPECT_EQ(Pixel(p.x, p.y), kGreen) << p.x << "," << p.y;
    EXPECT_EQ(Pixel(51, 51), kBlack);
    EXPECT_EQ(Pixel(60, 50), kBlack);
    EXPECT_EQ(Pixel(50, 55), kBlack);
    EXPECT_EQ(Pixel(100, 100), kWhite);
    EXPECT_EQ(Pixel(109, 100), kWhite);
    EXPECT_EQ(Pixel(110, 100), kBlack); // the end point is left out
    EXPECT_EQ(Pixel(105, 101), kBlack);
    EXPECT_EQ(Pixel(120, 130), kBlue); // drawn upwards: starts at its first point
    EXPECT_EQ(Pixel(120, 121), kBlue);
    EXPECT_EQ(Pixel(120, 120), kBlack);
}

TEST_F(RenderDeviceGLTest, ClippingKeepsExactlyThePixelsInsideTheClip)
{
    device->SetClip(cRect(200, 200, 20, 20));
    device->FillRect(cRect(190, 190, 50, 50), kBlue);
    device->DrawLine(cPoint(150, 250), cPoint(300, 250), kWhite); // below the clip
    device->SetClip(cRect(300, 300, 20, 20));
    device->DrawLine(cPoint(250, 305), cPoint(400, 305), kWhite);
    device->DrawLine(cPoint(310, 400), cPoint(310, 250), kGreen);
    device->SetClip(cRect(400, 400, 20, 20));
    const cPointF triangle[3] = {{380, 380}, {460, 400}, {400, 460}};
    device->DrawTriangle(triangle[0], triangle[1], triangle[2], kRed);
    device->ResetClip();

    EXPECT_EQ(Pixel(200, 200), kBlue);
    EXPECT_EQ(Pixel(219, 219), kBlue);
    EXPECT_EQ(Pixel(220, 219), kBlack);
    EXPECT_EQ(Pixel(199, 200), kBlack);
    EXPECT_EQ(Pixel(210, 220), kBlack);
    EXPECT_EQ(Pixel(210, 250), kBlack);
    EXPECT_EQ(Pixel(300, 305), kWhite);
    EXPECT_EQ(Pixel(319, 305), kWhite);
    EXPECT_EQ(Pixel(299, 305), kBlack);
    EXPECT_EQ(Pixel(320, 305), kBlack);
    EXPECT_EQ(Pixel(310, 319), kGreen);
    EXPECT_EQ(Pixel(310, 300), kGreen);
    EXPECT_EQ(Pixel(310, 320), kBlack);
    EXPECT_EQ(Pixel(310, 299), kBlack);
    EXPECT_EQ(Pixel(400, 400), kRed);
    EXPECT_EQ(Pixel(419, 419), kRed);
    EXPECT_EQ(Pixel(420, 410), kBlack);
    EXPECT_EQ(Pixel(410, 420), kBlack);
    EXPECT_EQ(Pixel(399, 410), kBlack);
}

TEST_F(RenderDeviceGLTest, TexturedRectanglesScaleRotateAndClip)
{
    cImage image(Quadrants(), "quadrants");
    image.DrawImage(cRect(10, 10, 4, 4), cRect(0, 0, 4, 4), kWhite);
    image.DrawImage(cRect(20, 10, 8, 8), cRect(0, 0, 4, 4), kWhite);
    // Half outside the clip on the left: the right half of the source.
    device->SetClip(cRect(42, 0, 100, 100));
    image.DrawImage(cRect(40, 10, 4, 4), cRect(0, 0, 4, 4), kWhite);
    device->ResetClip();
    // Turned a quarter clockwise about its centre: red moves to the top right.
    cSpriteFrame frame;
    const float pi = std::acos(-1.0f);
    const cPointF corners[4] = {{60, 10}, {68, 10}, {60, 18}, {68, 18}};
    const float cx = 64, cy = 14;
    cPointF turned[4];
    for (int i = 0; i < 4; ++i)
    {
        const float dx = corners[i].x - cx, dy = corners[i].y - cy;
        turned[i] = cPointF(cx + dx * std::cos(pi / 2) - dy * std::sin(pi / 2),
                            cy + dx * std::sin(pi / 2) + dy * std::cos(pi / 2));
    }
    const cPointF d1[3] = {turned[0], turned[1], turned[2]};
    const cPointF s1[3] = {{0, 0}, {4, 0}, {0, 4}};
    const cPointF d2[3] = {turned[1], turned[3], turned[2]};
    const cPointF s2[3] = {{4, 0}, {4, 4}, {0, 4}};
    image.DrawTriangle(d1, s1, kWhite);
    image.DrawTriangle(d2, s2, kWhite);

    EXPECT_EQ(Pixel(10, 10), kRed);
    EXPECT_EQ(Pixel(13, 10), kGreen);
    EXPECT_EQ(Pixel(10, 13), kBlue);
    EXPECT_EQ(Pixel(13, 13), kWhite);
    EXPECT_EQ(Pixel(14, 13), kBlack);
    EXPECT_EQ(Pixel(23, 13), kRed);
    EXPECT_EQ(Pixel(24, 13), kGreen);
    EXPECT_EQ(Pixel(27, 17), kWhite);
    EXPECT_EQ(Pixel(28, 17), kBlack);
    EXPECT_EQ(Pixel(41, 10), kBlack);
    EXPECT_EQ(Pixel(42, 10), kGreen);
    EXPECT_EQ(Pixel(43, 13), kWhite);
    // Quarter turn: top-left red goes to the top right, blue to the top left.
    EXPECT_EQ(Pixel(66, 11), kRed);
    EXPECT_EQ(Pixel(61, 11), kBlue);
    EXPECT_EQ(Pixel(66, 16), kGreen);
    EXPECT_EQ(Pixel(61, 16), kWhite);
}

TEST_F(RenderDeviceGLTest, AScaledPictureCutAtTheClipKeepsItsLastColumn)
{
    // Red and green, two pixels, stretched to 49 x 10 with the bottom half
    // clipped away, as the board's clip cuts a sprite drawn large.
    cPixelBuffer pair(2, 1);
    pair.SetPixel(0, 0, 255, 0, 0, 255);
    pair.SetPixel(1, 0, 0, 255, 0, 255);
    cImage image(pair, "pair");
    device->SetClip(cRect(0, 0, 800, 105));
    image.DrawImage(cRect(100, 100, 49, 10), cRect(0, 0, 2, 1), kWhite);
    EXPECT_EQ(Pixel(100, 100), kRed);
    EXPECT_EQ(Pixel(123, 104), kRed);
    EXPECT_EQ(Pixel(125, 100), kGreen);
    EXPECT_EQ(Pixel(148, 104), kGreen);
    EXPECT_EQ(Pixel(148, 105), kBlack);
    EXPECT_EQ(Pixel(149, 100), kBlack);
}

TEST_F(RenderDeviceGLTest, TurnedSpritesInEachBlendModeWithClipping)
{
    // A sprite of one 4 x 4 frame with its hot spot in the middle.
    cDataTree tree;
    cDataNode& sprite = tree.GetRoot().AddChild("Sprite");
    sprite.AddAttribute("ImageAlias", "Quadrants");
    cDataNode& frame = sprite.AddChild("Frames").AddChild("F");
    for (const auto& [name, value] : {std::pair{"X", "0"},
                                      {"Y", "0"},
                                      {"Width", "4"},
                                      {"Height", "4"},
                                      {"HotSpotX", "2"},
                                      {"HotSpotY", "2"}})
        frame.AddAttribute(name, value);
    cImage image(Quadrants(), "quadrants");
    cImageRef source(&image);
    const cSprite quadrants(tree.GetRoot(), "test.spr",
                            [&](const std::string&) { return &source; });

    const cColor grey(100, 100, 100);
    device->FillRect(cRect(0, 0, 200, 50), grey);
    // The clip cuts off the right column of each sprite.
    const float halfTurn = std::acos(-1.0f);
    const int32_t modes[3] = {kBlendOpaque, kBlendAlpha, kBlendAdditive};
    for (int i = 0; i < 3; ++i)
    {
        cRenderState state;
        state.blendMode = modes[i];
        device->SetRenderState(state);
        const int32_t x = 20 + 40 * i;
        device->SetClip(cRect(x - 2, 0, 3, 50));
        quadrants.DrawFrame(x, 20, 0, cColor(255, 255, 255, 128), 1.0f, halfTurn);
        device->ResetClip();
    }
    device->SetRenderState(cRenderState());

    // Half a turn: red is now bottom right, white top left.
    EXPECT_EQ(Pixel(18, 18), kWhite);
    EXPECT_EQ(Pixel(20, 21), kRed);
    EXPECT_EQ(Pixel(21, 21), grey); // clipped
    const cColor blended = Pixel(60, 21);
    EXPECT_NEAR(blended.r, 178, 1);
    EXPECT_NEAR(blended.g, 50, 1);
    EXPECT_EQ(Pixel(61, 21), grey);
    EXPECT_EQ(Pixel(100, 21), cColor(255, 100, 100));
    EXPECT_EQ(Pixel(98, 21), cColor(100, 255, 100)); // green quadrant added to grey
    EXPECT_EQ(Pixel(101, 21), grey);
}

TEST_F(RenderDeviceGLTest, BlendModesAndColourModulation)
{
    cRenderState state;
    device->FillRect(cRect(0, 0, 10, 10), cColor(100, 0, 0));
    state.blendMode = kBlendAdditive;
    device->SetRenderState(state);
    device->FillRect(cRect(0, 0, 10, 10), cColor(100, 50, 0));
    state.blendMode = kBlendAlpha;
    device->SetRenderState(state);
    device->FillRect(cRect(20, 0, 10, 10), cColor(255, 255, 255, 128));
    state.blendMode = kBlendOpaque;
    device->SetRenderState(state);
    device->FillRect(cRect(40, 0, 10, 10), cColor(0, 200, 0, 128));
    device->FillRect(cRect(40, 0, 10, 10), cColor(200, 0, 0, 0)); // alpha 0 is never written

    cPixelBuffer pixels(2, 1);
    pixels.SetPixel(0, 0, 0, 0, 255, 255);
    pixels.SetPixel(1, 0, 0, 0, 255, 0);
    cImage image(std::move(pixels));
    state = cRenderState();
    device->SetRenderState(state);
    image.DrawImage(cRect(60, 0, 2, 1), cRect(0, 0, 2, 1), cColor(255, 255, 255));
    image.DrawImage(cRect(60, 1, 2, 1), cRect(0, 0, 2, 1),
                    cColor(0, 255, 0)); // blue x green = black
    state.colorModulation = 0;
    device->SetRenderState(state);
    image.DrawImage(cRect(60, 2, 2, 1), cRect(0, 0, 2, 1), cColor(0, 255, 0)); // vertex colour only

    EXPECT_EQ(Pixel(5, 5), cColor(200, 50, 0));
    const cColor half = Pixel(25, 5);
    EXPECT_NEAR(half.r, 128, 1);
    EXPECT_EQ(half.r, half.g);
    EXPECT_EQ(Pixel(45, 5), cColor(0, 200, 0));
    EXPECT_EQ(Pixel(60, 0), kBlue);
    EXPECT_EQ(Pixel(61, 0), kBlack); // transparent texel
    EXPECT_EQ(Pixel(60, 1), kBlack);
    EXPECT_EQ(Pixel(60, 2), kGreen);
    EXPECT_EQ(Pixel(61, 2), kBlack); // its alpha still comes from the texture
}

TEST_F(RenderDeviceGLTest, LinearFilteringBlendsNeighbouringTexels)
{
    cPixelBuffer pixels(2, 1);
    pixels.SetPixel(0, 0, 0, 0, 0, 255);
    pixels.SetPixel(1, 0, 255, 255, 255, 255);
    cImage image(std::move(pixels));
    cRenderState state;
    state.filterMode = kFilterLinear;
    device->SetRenderState(state);
    image.DrawImage(cRect(0, 0, 20, 1), cRect(0, 0, 2, 1), kWhite);
    // Between the two texels' centres the colour rises steadily.
    EXPECT_EQ(Pixel(2, 0).r, 0);
    EXPECT_GT(Pixel(10, 0).r, 60);
    EXPECT_LT(Pixel(10, 0).r, 200);
    EXPECT_EQ(Pixel(17, 0).r, 255);
}

TEST_F(RenderDeviceGLTest, TexturesDrawAgainAfterFullScreenAndBitDepthSwitches)
{
    cImage image(Quadrants(), "quadrants");
    int resets = 0;
    struct cCounter : cRenderDeviceListener
    {
        int* resets;
        void OnDeviceEvent(const cEvent& event) override
        {
            *resets += event.GetType() == kDeviceEventReset;
        }
    } counter;
    counter.resets = &resets;
    device->AddListener(&counter);

    cDisplayMode mode;
    for (const auto& [fullScreen, bits] :
         {std::pair{true, 32}, {false, 16}, {true, 16}, {false, 32}})
    {
        mode.fullScreen = fullScreen;
        mode.bitDepth = bits;
        display->Reset(mode, false);
        EXPECT_EQ(device->GetMode().fullScreen, fullScreen);
        // A window draws in the desktop's depth, whatever the mode asks.
        EXPECT_EQ(device->GetMode().bitDepth, fullScreen ? bits : DesktopBits());
        EXPECT_EQ(device->GetWidth(), 800);
        device->Clear(kBlack);
        image.DrawImage(cRect(100, 100, 4, 4), cRect(0, 0, 4, 4), kWhite);
        device->Present();
        device->Clear(kBlack);
        image.DrawImage(cRect(100, 100, 4, 4), cRect(0, 0, 4, 4), kWhite);
        Refresh();
        EXPECT_EQ(Pixel(100, 100), kRed) << fullScreen << " " << bits;
        EXPECT_EQ(Pixel(103, 103), kWhite) << fullScreen << " " << bits;
    }
    EXPECT_EQ(resets, 4);
    device->RemoveListener(&counter);
}

TEST_F(RenderDeviceGLTest, WindowMessagesBecomeDisplayEventsAndTheFrameKeepsItsSize)
{
    std::vector<std::string> journal;
    struct cInput : cPlatformMessageHandler
    {
        std::vector<std::string>* journal;
        void OnPlatformMessage(const SDL_Event& message) override
        {
            journal->push_back("input " + std::to_string(message.window.event));
        }
    } input;
    struct cListener : cDisplayListener, cRenderDeviceListener
    {
        std::vector<std::string>* journal;
        void OnDisplayEvent(const cEvent& event) override
        {
            std::string line = "display " + std::to_string(event.GetType());
            if (const auto* params = dynamic_cast<const cEventParams*>(&event))
                line += " " + std::to_string(params->GetParam1()) + "x" +
                        std::to_string(params->GetParam2());
            journal->push_back(line);
        }
        void OnDeviceEvent(const cEvent& event) override
        {
            if (event.GetType() == kDeviceEventReset)
                journal->push_back("device reset");
        }
    } listener;
    input.journal = listener.journal = &journal;
    display->AddInputDevice(&input);
    display->AddListener(&listener);
    device->AddListener(&listener);

    auto send = [&](Uint8 kind, int32_t w = 0, int32_t h = 0)
    {
        SDL_Event message{};
        message.type = SDL_WINDOWEVENT;
        message.window.windowID = SDL_GetWindowID(display->GetWindow());
        message.window.event = kind;
        message.window.data1 = w;
        message.window.data2 = h;
        display->OnPlatformMessage(message);
    };
    send(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_FALSE(display->IsActive());
    send(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_TRUE(display->IsActive());
    send(SDL_WINDOWEVENT_CLOSE);
    send(SDL_WINDOWEVENT_SIZE_CHANGED, 640, 480);
    const std::vector<std::string> expected = {
        "input " + std::to_string(SDL_WINDOWEVENT_FOCUS_LOST),   "display 2",
        "input " + std::to_string(SDL_WINDOWEVENT_FOCUS_GAINED), "display 3",
        "input " + std::to_string(SDL_WINDOWEVENT_CLOSE),        "display 1",
        "input " + std::to_string(SDL_WINDOWEVENT_SIZE_CHANGED), "display 4 640x480"};
    EXPECT_EQ(journal, expected);
    // The window is what changed; the game still draws 800 x 600.
    EXPECT_EQ(display->GetWindowedSize(), cPoint(640, 480));
    EXPECT_EQ(device->GetWidth(), 800);
    EXPECT_EQ(device->GetClip(), cRect(0, 0, 800, 600));
    device->FillRect(cRect(790, 590, 20, 20), kRed);
    Refresh();
    EXPECT_EQ(Pixel(799, 599), kRed);
    EXPECT_EQ(frame.GetWidth(), 800);

    // In full screen the window's size is not the player's business.
    cDisplayMode fullScreen;
    fullScreen.fullScreen = true;
    display->Reset(fullScreen, false);
    journal.clear();
    display->RemoveInputDevice(&input);
    send(SDL_WINDOWEVENT_SIZE_CHANGED, 1280, 1024);
    EXPECT_EQ(journal, std::vector<std::string>{});
    EXPECT_EQ(device->GetWidth(), 800);
    EXPECT_EQ(display->GetWindowedSize(), cPoint(800, 600)) << "kept for the way back";
    display->RemoveListener(&listener);
    device->RemoveListener(&listener);
}

TEST_F(RenderDeviceGLTest, SixteenBitsAreForFullScreenAWindowKeepsTheDesktopsColour)
{
    cDisplayMode mode;
    mode.bitDepth = 16;
    mode.fullScreen = true;
    display->Reset(mode, false);
    device->FillRect(cRect(0, 0, 4, 4), cColor(0x13, 0x13, 0x13));
    const cColor c = Pixel(1, 1);
    // 0x13 has no exact 5- or 6-bit form; a 32-bit frame would keep it.
    EXPECT_NE(c.r, 0x13);
    EXPECT_NEAR(c.r, 0x13, 8);

    mode.fullScreen = false;
    display->Reset(mode, false);
    EXPECT_EQ(device->GetMode().bitDepth, DesktopBits());
    ASSERT_GT(DesktopBits(), 16) << "the test server's desktop has full colour";
    device->FillRect(cRect(0, 0, 4, 4), cColor(0x13, 0x13, 0x13));
    Refresh();
    EXPECT_EQ(Pixel(1, 1), cColor(0x13, 0x13, 0x13));
    std::string all;
    for (const std::string& line : cLog::Get().GetHistory())
        all += line;
    const std::string format = "Device format: X8R8G8B8\n";
    EXPECT_EQ(all.substr(all.rfind("Device format: "), format.size()), format);
}

TEST_F(RenderDeviceGLTest, AResizedWindowShowsTheFrameScaledAndMapsThePointerBack)
{
    display->Reset(cDisplayMode{}, true);
    EXPECT_TRUE(display->GetMode().resizable);
    SDL_SetWindowSize(display->GetWindow(), 1203, 601);
    for (int i = 0; i < 20 && display->GetWindowSize() != cPoint(1203, 601); ++i)
    {
        SDL_PumpEvents();
        SDL_Delay(10);
    }
    ASSERT_EQ(display->GetWindowSize(), cPoint(1203, 601));
    EXPECT_EQ(display->GetLetterbox().GetFrame(), cRect(201, 0, 800, 600));
    EXPECT_EQ(display->WindowToFrame(cPoint(201, 0)), cPoint(0, 0));
    EXPECT_EQ(display->WindowToFrame(cPoint(1100, 700)), cPoint(799, 599));
    // The device is not reset by a window size: its textures and frame stay.
    EXPECT_EQ(device->GetWidth(), 800);
    device->FillRect(cRect(0, 0, 10, 10), kGreen);
    device->Present();
    device->FillRect(cRect(0, 0, 10, 10), kGreen);
    EXPECT_EQ(Pixel(9, 9), kGreen);
    // A fixed window goes back to the frame's size.
    display->Reset(cDisplayMode{}, false);
    EXPECT_EQ(display->GetWindowedSize(), cPoint(800, 600));
}

TEST_F(RenderDeviceGLTest, ResizableWindowsStartAtTheLargestWholeMultipleThatFits)
{
    const cPoint usable = display->GetUsableArea();
    ASSERT_GT(usable.x, 0);
    cDisplaySDL resizable;
    resizable.Create(cDisplayMode{}, true);
    const int32_t scale = cLetterbox::LargestWholeScale(cPoint(800, 600), usable);
    EXPECT_EQ(resizable.GetWindowedSize(), cPoint(800 * scale, 600 * scale));
    EXPECT_EQ(resizable.GetDefaultWindowedSize(), resizable.GetWindowedSize());

    // A remembered size that fits is taken; one that does not is not.
    cDisplaySDL remembered;
    remembered.SetWindowedSize(cPoint(700, 500));
    remembered.Create(cDisplayMode{}, true);
    EXPECT_EQ(remembered.GetWindowedSize(), cPoint(700, 500));
    EXPECT_EQ(remembered.GetWindowSize(), cPoint(700, 500));
    cDisplaySDL tooLarge;
    tooLarge.SetWindowedSize(cPoint(usable.x + 1, 600));
    tooLarge.Create(cDisplayMode{}, true);
    EXPECT_EQ(tooLarge.GetWindowedSize(), resizable.GetWindowedSize());
}

} // namespace
} // namespace Korva
