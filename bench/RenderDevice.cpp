// The render device's cost for a frame of 2,000 textured 32 x 32 sprites from
// 4 textures, drawn in one batch with the textures interleaved (the worst
// order for grouping) and a clip rectangle that cuts some of them:
// - Null: commands, clipping, grouping, without any graphics back end;
// - NullRotated: the same sprites turned, so every one is two clipped
//   triangles instead of a clipped rectangle;
// - GL: the OpenGL device under the X server in DISPLAY (Xvfb in the test
//   script, where Mesa's llvmpipe also rasterises on the CPU), including
//   vertex building, the draw calls and Present.
// The "draw_calls" counter is draw calls per frame.

#include "engine/Display/GL/RenderDeviceGL.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/Image.h"
#include "engine/Display/RenderDeviceNull.h"
#include "engine/Display/SDL/DisplaySDL.h"
#include "engine/Display/Sprite.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace Korva;

namespace
{

constexpr int kSprites = 2000;
constexpr int kTextures = 4;

std::vector<std::unique_ptr<cImage>> MakeImages()
{
    std::vector<std::unique_ptr<cImage>> images;
    for (int t = 0; t < kTextures; ++t)
    {
        cPixelBuffer pixels(256, 256);
        for (int32_t y = 0; y < 256; ++y)
            for (int32_t x = 0; x < 256; ++x)
                pixels.SetPixel(x, y, static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                static_cast<uint8_t>(t * 60), static_cast<uint8_t>((x ^ y) | 1));
        images.push_back(std::make_unique<cImage>(std::move(pixels)));
    }
    return images;
}

void DrawFrame(cRenderDevice& device, std::vector<std::unique_ptr<cImage>>& images, bool rotated)
{
    device.SetClip(cRect(16, 16, 768, 568));
    device.BeginBatch();
    for (int i = 0; i < kSprites; ++i)
    {
        cImage& image = *images[static_cast<size_t>(i % kTextures)];
        const int32_t x = (i * 37) % 820 - 20;
        const int32_t y = (i * 53) % 620 - 20;
        const cRect source((i % 8) * 32, (i / 8 % 8) * 32, 32, 32);
        if (!rotated)
        {
            image.DrawImage(cRect(x, y, 32, 32), source, cColor(255, 255, 255, 200));
            continue;
        }
        const float a = static_cast<float>(i) * 0.01f;
        const float c = std::cos(a) * 16.0f, s = std::sin(a) * 16.0f;
        const float cx = static_cast<float>(x), cy = static_cast<float>(y);
        const cPointF tl(cx - c + s, cy - s - c), tr(cx + c + s, cy + s - c);
        const cPointF bl(cx - c - s, cy - s + c), br(cx + c - s, cy + s + c);
        const float u0 = static_cast<float>(source.x), v0 = static_cast<float>(source.y);
        const cPointF d1[3] = {tl, tr, bl}, s1[3] = {{u0, v0}, {u0 + 32, v0}, {u0, v0 + 32}};
        const cPointF d2[3] = {tr, br, bl},
                      s2[3] = {{u0 + 32, v0}, {u0 + 32, v0 + 32}, {u0, v0 + 32}};
        image.DrawTriangle(d1, s1, cColor::White());
        image.DrawTriangle(d2, s2, cColor::White());
    }
    device.EndBatch();
    device.ResetClip();
}

void RunNull(benchmark::State& state, bool rotated)
{
    cRenderDeviceNull device;
    device.SetRecording(false);
    auto images = MakeImages();
    for (auto _ : state)
    {
        device.ResetDrawCallCount();
        DrawFrame(device, images, rotated);
        benchmark::DoNotOptimize(device.GetCommandCount());
    }
    state.counters["draw_calls"] = static_cast<double>(device.GetDrawCallCount());
    state.SetItemsProcessed(state.iterations() * kSprites);
}

void BM_FrameNull(benchmark::State& state)
{
    RunNull(state, false);
}
BENCHMARK(BM_FrameNull)->Unit(benchmark::kMicrosecond);

void BM_FrameNullRotated(benchmark::State& state)
{
    RunNull(state, true);
}
BENCHMARK(BM_FrameNullRotated)->Unit(benchmark::kMicrosecond);

void BM_FrameGL(benchmark::State& state)
{
    if (!std::getenv("DISPLAY"))
    {
        state.SkipWithError("no X display");
        return;
    }
    cDisplaySDL display;
    display.Create(cDisplayMode{}, false);
    cRenderSystemGL system;
    auto device = system.CreateRenderDevice(display);
    auto images = MakeImages();
    for (auto _ : state)
    {
        device->ResetDrawCallCount();
        device->Clear(cColor(0, 0, 0));
        DrawFrame(*device, images, state.range(0) != 0);
        device->Present();
    }
    state.counters["draw_calls"] = static_cast<double>(device->GetDrawCallCount());
    state.SetItemsProcessed(state.iterations() * kSprites);
}
BENCHMARK(BM_FrameGL)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
