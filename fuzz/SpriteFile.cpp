// Feeds arbitrary bytes to the sprite file reader (through the data tree
// reader), then plays every animation and draws every frame on a device
// without hardware: nothing may crash, hang or read out of bounds.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/AnimPlayer.h"
#include "engine/Display/Image.h"
#include "engine/Display/ImageSource.h"
#include "engine/Display/RenderDeviceNull.h"
#include "engine/Display/Sprite.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileInputMemory.h"

#include <cstdint>
#include <memory>

namespace
{
Korva::cRenderDeviceNull* g_device = nullptr;
Korva::cImage* g_image = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Korva::cLog::Get().SetMaxLevel(-1);
    static Korva::cRenderDeviceNull device;
    static Korva::cImage image{Korva::cPixelBuffer(64, 64)};
    device.SetRecording(false);
    g_device = &device;
    g_image = &image;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Korva::cDataTree tree;
    Korva::cFileInputMemory input("fuzz.spr", data, size, true);
    tree.Read(input);
    Korva::cImageRef source(g_image);
    std::unique_ptr<Korva::cSprite> sprite;
    try
    {
        sprite = std::make_unique<Korva::cSprite>(tree.GetRoot(), "fuzz.spr",
                                                  [&](const std::string&) { return &source; });
    }
    catch (const Korva::cException&)
    {
        return 0;
    }
    for (int32_t f = -1; f <= sprite->GetFrameCount() && f < 64; ++f)
        sprite->DrawFrame(10, 10, f, 255, (f & 1) ? 2.0f : 1.0f, (f & 2) ? 0.5f : 0.0f);
    Korva::cAnimPlayer player(sprite.get());
    for (int32_t a = -1; a <= sprite->GetAnimCount() && a < 16; ++a)
    {
        player.Play(a);
        for (int i = 0; i < 8; ++i)
        {
            player.Update(0.05f);
            sprite->DrawFrame(0, 0, player.GetFrame(), 255);
        }
    }
    return 0;
}
