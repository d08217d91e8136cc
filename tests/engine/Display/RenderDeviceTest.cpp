// The platform-independent half of the render device, through the null
// device that records what would reach the graphics back end.
#include "engine/Core/Exception.h"
#include "engine/Display/Image.h"
#include "engine/Display/PixelFormat.h"
#include "engine/Display/RenderDeviceNull.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace Korva
{
namespace
{

TEST(ColorTest, PacksAsARGBAndClampsEachChannel)
{
    EXPECT_EQ(cColor(1, 2, 3, 4).ToARGB(), 0x04010203u);
    EXPECT_EQ(cColor().ToARGB(), 0xFF000000u); // opaque black by default
    EXPECT_EQ(cColor(300, -5, 255, 128).ToARGB(), 0x80FF00FFu);
    EXPECT_EQ(cColor::FromARGB(0x80102030u), cColor(0x10, 0x20, 0x30, 0x80));
}

TEST(PixelFormatTest, ConvertsToTheTextureFormatsColumnsOfEveryRow)
{
    cPixelBuffer image(3, 2);
    image.SetPixel(0, 0, 0x12, 0x34, 0x56, 0x78);
    image.SetPixel(0, 1, 0xFF, 0x0F, 0xA0, 0x80);
    std::vector<uint8_t> out;
    ConvertPixels(image, 2, eTextureFormat::A8R8G8B8, out);
    ASSERT_EQ(out.size(), 16u); // two columns of two rows
    // 0x78123456 as a little-endian 32-bit value: ARGB.
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 4),
              (std::vector<uint8_t>{0x56, 0x34, 0x12, 0x78}));
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 8, out.begin() + 12),
              (std::vector<uint8_t>{0xA0, 0x0F, 0xFF, 0x80}));
    ConvertPixels(image, 5, eTextureFormat::A4R4G4B4, out);
    ASSERT_EQ(out.size(), 12u); // never more columns than the picture has
    EXPECT_EQ(out[0] | (out[1] << 8), 0x7135);
    EXPECT_EQ(out[6] | (out[7] << 8), 0x8F0A);
}

class RenderDeviceTest : public ::testing::Test
{
protected:
    cPixelBuffer Picture(int32_t w, int32_t h) { return cPixelBuffer(w, h); }
    uint32_t Texture(int32_t w, int32_t h) { return device.CreateTexture(Picture(w, h)); }
    const std::vector<cRenderDeviceNull::cDrawCall>& Calls() { return device.GetDrawCalls(); }

    cRenderDeviceNull device;
};

TEST_F(RenderDeviceTest, BatchDrawsOneCallPerTextureInOrderOfFirstAppearance)
{
    const uint32_t a = Texture(32, 32);
    const uint32_t b = Texture(32, 32);
    device.BeginBatch();
    device.DrawTexturedRect(cRect(0, 0, 32, 32), cRect(0, 0, 32, 32), a, cColor::White());
    device.FillRect(cRect(0, 0, 5, 5), cColor());
    device.DrawTexturedRect(cRect(40, 0, 32, 32), cRect(0, 0, 32, 32), b, cColor::White());
    device.DrawLine(cPoint(0, 0), cPoint(10, 0), cColor());
    device.DrawTexturedRect(cRect(80, 0, 32, 32), cRect(0, 0, 32, 32), a, cColor::White());
    EXPECT_TRUE(Calls().empty());
    device.EndBatch();

    ASSERT_EQ(Calls().size(), 4u);
    EXPECT_EQ(Calls()[0].texture, a);
    EXPECT_EQ(Calls()[0].vertices.size(), 12u); // both A sprites in one call, in order
    EXPECT_EQ(Calls()[0].vertices[0].x, 0.0f);
    EXPECT_EQ(Calls()[0].vertices[6].x, 80.0f);
    EXPECT_EQ(Calls()[1].type, kCommandTriangle);
    EXPECT_EQ(Calls()[2].texture, b);
    EXPECT_EQ(Calls()[3].type, kCommandLine);
    EXPECT_EQ(Calls()[3].vertices.size(), 2u);
    EXPECT_EQ(device.GetDrawCallCount(), 4u);
}

TEST_F(RenderDeviceTest, OutsideABatchEachOperationDrawsAtOnceAndTheListGrows)
{
    const uint32_t a = Texture(8, 8);
    device.FillRect(cRect(0, 0, 5, 5), cColor());
    device.DrawRect(cRect(0, 0, 5, 5), cColor());
    EXPECT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[1].vertices.size(), 8u); // four edges

    // Far beyond the first 256 commands: still one call.
    device.ClearDrawCalls();
    device.BeginBatch();
    for (int i = 0; i < 1000; ++i)
        device.DrawTexturedRect(cRect(i % 700, 10, 8, 8), cRect(0, 0, 8, 8), a, cColor::White());
    device.EndBatch();
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].vertices.size(), 6000u);
    EXPECT_EQ(Calls()[0].vertices[5999].x, static_cast<float>(999 % 700));
}

TEST_F(RenderDeviceTest, ClipDropsOrCutsRectanglesAndTheirSource)
{
    const uint32_t a = Texture(100, 30);
    device.SetClip(cRect(100, 100, 50, 50));
    device.FillRect(cRect(0, 0, 50, 50), cColor());
    device.FillRect(cRect(150, 100, 10, 10), cColor()); // touches the right edge only
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(device.GetCommandCount(), 0u);

    // Half outside on the left: the right half of the source.
    device.DrawTexturedRect(cRect(80, 110, 40, 20), cRect(0, 0, 100, 30), a, cColor::White());
    ASSERT_EQ(Calls().size(), 1u);
    float minX = 1e9f, minU = 1e9f, maxU = -1e9f;
    for (const cVertex& v : Calls()[0].vertices)
    {
        minX = std::min(minX, v.x);
        minU = std::min(minU, v.u);
        maxU = std::max(maxU, v.u);
    }
    EXPECT_EQ(minX, 100.0f);
    EXPECT_EQ(minU, 50.0f);
    EXPECT_EQ(maxU, 100.0f);
    // The texture of a 100 x 30 picture is 128 x 32.
    EXPECT_EQ(Calls()[0].textureWidth, 128);
    EXPECT_EQ(Calls()[0].textureHeight, 32);
}

// The source range a textured rectangle's vertices cover along u or v.
std::pair<float, float> Range(const std::vector<cVertex>& vertices, float cVertex::*axis)
{
    float low = 1e9f, high = -1e9f;
    for (const cVertex& v : vertices)
    {
        low = std::min(low, v.*axis);
        high = std::max(high, v.*axis);
    }
    return {low, high};
}

TEST_F(RenderDeviceTest, ClippedSourcesAreCutInExactProportion)
{
    const uint32_t a = Texture(100, 100);
    // Cut at the top only: across, the whole source stays, 61 of 61 columns
    // (7 x (61 / 7.0) is a hair below 61 in floating point).
    device.SetClip(cRect(0, 20, 800, 580));
    device.DrawTexturedRect(cRect(10, 10, 7, 20), cRect(3, 0, 61, 40), a, cColor::White());
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Range(Calls()[0].vertices, &cVertex::u), std::make_pair(3.0f, 64.0f));
    EXPECT_EQ(Range(Calls()[0].vertices, &cVertex::v), std::make_pair(20.0f, 40.0f));
    // Cut on the left by 49 of 98 pixels of a 4-wide source: exactly 2 in.
    device.ClearDrawCalls();
    device.SetClip(cRect(149, 0, 651, 600));
    device.DrawTexturedRect(cRect(100, 50, 98, 10), cRect(0, 0, 4, 10), a, cColor::White());
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Range(Calls()[0].vertices, &cVertex::u), std::make_pair(2.0f, 4.0f));
    EXPECT_EQ(Range(Calls()[0].vertices, &cVertex::v), std::make_pair(0.0f, 10.0f));
}

TEST_F(RenderDeviceTest, ClipAndStateStacks)
{
    device.ResetClip();
    EXPECT_FALSE(device.IsClipEnabled());
    EXPECT_EQ(device.GetClip(), cRect(0, 0, 800, 600));
    device.SetClip(cRect(1, 2, 3, 4));
    device.PushClip();
    device.SetClip(cRect(5, 6, 7, 8));
    device.PushClip();
    device.ResetClip();
    device.PopClip();
    EXPECT_TRUE(device.IsClipEnabled());
    EXPECT_EQ(device.GetClip(), cRect(5, 6, 7, 8));
    device.PopClip();
    EXPECT_EQ(device.GetClip(), cRect(1, 2, 3, 4));
    device.PopClip(); // empty: unchanged
    EXPECT_EQ(device.GetClip(), cRect(1, 2, 3, 4));

    const cRenderState defaults;
    EXPECT_EQ(defaults.blendMode, kBlendAlpha);
    EXPECT_EQ(defaults.colorModulation, 1);
    EXPECT_EQ(defaults.filterMode, kFilterPoint);
    cRenderState additive;
    additive.blendMode = kBlendAdditive;
    device.PushRenderState();
    device.SetRenderState(additive);
    device.PopRenderState();
    EXPECT_EQ(device.GetRenderState(), defaults);
}

TEST_F(RenderDeviceTest, AStateChangeInsideABatchDrawsWhatCameBeforeUnderTheOldState)
{
    cRenderState additive;
    additive.blendMode = kBlendAdditive;
    device.BeginBatch();
    device.FillRect(cRect(0, 0, 5, 5), cColor());
    device.SetRenderState(additive);
    device.FillRect(cRect(10, 0, 5, 5), cColor());
    device.EndBatch();
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].state.blendMode, kBlendAlpha);
    EXPECT_EQ(Calls()[1].state.blendMode, kBlendAdditive);
    EXPECT_EQ(Calls()[1].vertices[0].x, 10.0f);
}

TEST_F(RenderDeviceTest, ALostDeviceDrawsNothingAndImagesRemakeTheirTexturesAfterwards)
{
    cImage image(Picture(16, 16));
    image.DrawImage(cRect(0, 0, 16, 16), cRect(0, 0, 16, 16), 255);
    ASSERT_EQ(Calls().size(), 1u);
    const uint32_t first = image.GetTexture();
    EXPECT_EQ(device.GetTextureCount(), 1u);

    device.SetLost(true);
    EXPECT_EQ(device.GetTextureCount(), 0u);
    EXPECT_EQ(device.CreateTexture(Picture(4, 4)), 0u);
    image.DrawImage(cRect(0, 0, 16, 16), cRect(0, 0, 16, 16), 255);
    device.FillRect(cRect(0, 0, 5, 5), cColor());
    EXPECT_EQ(Calls().size(), 1u);

    device.SetLost(false);
    image.DrawImage(cRect(0, 0, 16, 16), cRect(0, 0, 16, 16), 255);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_NE(image.GetTexture(), first);
    EXPECT_EQ(Calls()[1].texture, image.GetTexture());

    // A reset loses the textures too; the next draw makes a new one.
    device.Reset(cDisplayMode{640, 480});
    EXPECT_EQ(device.GetTextureCount(), 0u);
    image.DrawImage(cRect(0, 0, 16, 16), cRect(0, 0, 16, 16), 255);
    EXPECT_EQ(device.GetTextureCount(), 1u);
    EXPECT_EQ(device.GetClip(), cRect(0, 0, 640, 480));
}

TEST_F(RenderDeviceTest, EventsReachListenersInOrderAndNotAfterRemoval)
{
    struct cRecorder : cRenderDeviceListener
    {
        std::vector<int> seen;
        cRenderDeviceListener* victim = nullptr;
        cRenderDevice* device = nullptr;
        void OnDeviceEvent(const cEvent& event) override
        {
            seen.push_back(event.GetType());
            if (victim)
                device->RemoveListener(victim);
        }
    } first, second;
    first.victim = &second;
    first.device = &device;
    device.AddListener(&first);
    device.AddListener(&second);
    device.Reset(cDisplayMode{});
    EXPECT_EQ(first.seen,
              (std::vector<int>{kDeviceEventLost, kDeviceEventRestored, kDeviceEventReset}));
    EXPECT_TRUE(second.seen.empty());
    device.RemoveListener(&first);
}

TEST(TextureSizeTest, FollowsTheDevicesRestrictions)
{
    cTextureCaps caps;
    EXPECT_EQ(ComputeTextureSize(100, 30, caps), cPoint(100, 30));
    caps.powerOfTwoOnly = true;
    EXPECT_EQ(ComputeTextureSize(100, 30, caps), cPoint(128, 32));
    caps.squareOnly = true;
    EXPECT_EQ(ComputeTextureSize(100, 30, caps), cPoint(128, 128));
    caps.powerOfTwoOnly = false;
    EXPECT_EQ(ComputeTextureSize(100, 30, caps), cPoint(100, 100));
    EXPECT_EQ(cRenderDevice::NextPowerOfTwo(1), 1);
    EXPECT_EQ(cRenderDevice::NextPowerOfTwo(129), 256);
}

TEST(TextureSizeTest, ImagesTooBigForTheDeviceAreRefusedAndPaddedOnesKeepTheirPicture)
{
    cRenderDeviceNull device;
    cTextureCaps caps;
    caps.powerOfTwoOnly = true;
    caps.squareOnly = true;
    caps.maxWidth = caps.maxHeight = 64;
    device.SetTextureCaps(caps);
    cImage big{cPixelBuffer(65, 2)};
    EXPECT_THROW(big.GetTexture(), cException);
    cImage small{cPixelBuffer(20, 3)};
    EXPECT_NE(small.GetTexture(), 0u);
    EXPECT_EQ(small.GetTextureSize(), cPoint(32, 32));
    EXPECT_EQ(small.GetWidth(), 20); // the picture keeps its own size
}

} // namespace
} // namespace Korva
