// Draws a small widget tree with the game's own data through the real window
// and OpenGL device (under Xvfb in the test script) and compares the frame
// with a stored picture. After a deliberate change of the look, rewrite the
// picture with ZELTRA_UPDATE_REFERENCES=1 and look at it before committing.
#include "engine/Core/Core.h"
#include "engine/Display/Font.h"
#include "engine/Display/GL/RenderDeviceGL.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/ImageLoader.h"
#include "engine/Display/SDL/DisplaySDL.h"
#include "engine/Display/SpriteResource.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Gui/GUI.h"
#include "engine/Gui/TextBox.h"
#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Resource/ResManager.h"
#include "game/Menu/Popup.h"
#include "game/Menu/YesNoPopup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

using namespace Korva;

namespace
{

const std::string kReference =
    std::string(ZELTRA_TEST_SOURCE_DIR) + "/tests/game/Menu/Reference/PopupTree.tga";
// The part of the screen the tree covers (with the cursor).
const cRect kArea(240, 170, 320, 260);

cPixelBuffer Crop(const cPixelBuffer& frame, const cRect& area)
{
    cPixelBuffer part(area.width, area.height);
    for (int32_t y = 0; y < area.height; ++y)
        for (int32_t x = 0; x < area.width; ++x)
        {
            const uint8_t* p = frame.At(area.x + x, area.y + y);
            part.SetPixel(x, y, p[0], p[1], p[2], 255);
        }
    return part;
}

// A run-length encoded 24-bit TGA: the flat areas of a GUI pack well, which
// keeps the stored picture small.
void SavePicture(const cPixelBuffer& image, const std::string& path)
{
    std::vector<uint8_t> out(18, 0);
    out[2] = 10;
    out[12] = static_cast<uint8_t>(image.GetWidth() & 255);
    out[13] = static_cast<uint8_t>(image.GetWidth() >> 8);
    out[14] = static_cast<uint8_t>(image.GetHeight() & 255);
    out[15] = static_cast<uint8_t>(image.GetHeight() >> 8);
    out[16] = 24;
    for (int32_t y = image.GetHeight() - 1; y >= 0; --y)
    {
        int32_t x = 0;
        while (x < image.GetWidth())
        {
            int32_t run = 1;
            while (x + run < image.GetWidth() && run < 128 &&
                   std::equal(image.At(x, y), image.At(x, y) + 3, image.At(x + run, y)))
                ++run;
            out.push_back(static_cast<uint8_t>(128 + run - 1));
            const uint8_t* p = image.At(x, y);
            out.insert(out.end(), {p[2], p[1], p[0]});
            x += run;
        }
    }
    const std::string temporary = path + ".tmp";
    std::ofstream(temporary, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    std::filesystem::rename(temporary, path);
}

cPixelBuffer LoadPicture(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    auto loader = CreateImageLoader(path);
    loader->Decode(bytes);
    return loader->GetBuffer();
}

class PopupReferenceImageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        if (!std::filesystem::exists(std::string(ZELTRA_TEST_PROGRAM_DIR) +
                                     "/Resources/Sprites.res"))
            GTEST_SKIP() << "the game's data has not been generated";
        // The program folder's data, read as the game reads it.
        if (cFileSystemManager::Exists())
            cFileSystemManager::Destroy();
        cCore::Get().SetWorkingDirectory(ZELTRA_TEST_PROGRAM_DIR);
        cResManager::Get().AddTypeHandler(std::make_unique<cBuiltInResourceHandler>());
        cResManager::Get().LoadList("/Resources/Images.res");
        cResManager::Get().LoadList("/Resources/Sprites.res");
        display = std::make_unique<cDisplaySDL>();
        display->Create(cDisplayMode{}, false);
        cRenderSystemGL system;
        device = system.CreateRenderDevice(*display);
    }
    void TearDown() override
    {
        device.reset();
        display.reset();
        cResManager::Destroy();
        if (cFileSystemManager::Exists())
            cFileSystemManager::Destroy();
    }

    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDeviceGL> device;
};

TEST_F(PopupReferenceImageTest, PopupWithTextBoxAndButtonsLooksAsStored)
{
    cPixelBuffer frame;
    {
        cGUI gui(display.get(), device.get(), nullptr);
        cHeadlineFont headline;
        cSpriteFont arial;
        gui.SetDefaultFont(&headline);

        cPopup popup(cPoint(300, 220), gui);
        popup.SetTitle("reference");
        cTextBox box(gui, cPoint(260, 110));
        box.SetFont(&arial);
        box.SetText("The quick brown fox jumps over the lazy dog. Bricks of two colours, "
                    "arrows, ice and vortices.\nA second paragraph that is long enough to "
                    "need the scrollbar of the box.");
        cButton plain(gui);
        plain.SetSize(cPoint(120, 28));
        plain.SetText("Bevel 123");
        cYesNoPopup question(gui, "sure?", nullptr);
        popup.AddChild(cPoint(20, 40), &box);
        popup.AddChild(cPoint(20, 170), &plain);
        gui.GetRoot().AddChild(cPoint(250, 180), &popup);
        question.Open(gui.GetRoot());
        gui.GetRoot().SetFocus(&box);
        box.SetCaret(10);
        auto* mouse = dynamic_cast<cSpriteResource*>(cResManager::Get().Find("SprMouse"));
        ASSERT_NE(mouse, nullptr);
        gui.SetCursorSprite(mouse->GetSprite());
        gui.OnInputEvent(cMouseEvent(kMouseMove, 520, 400));

        device->Clear(cColor(0, 0, 0));
        gui.Draw();
        device->EndBatch();
        ASSERT_TRUE(device->ReadFrame(frame));
        question.Close();
        gui.GetRoot().RemoveAllChildren();
        popup.RemoveAllChildren();
    }
    const cPixelBuffer part = Crop(frame, kArea);
    if (std::getenv("ZELTRA_UPDATE_REFERENCES"))
    {
        SavePicture(part, kReference);
        GTEST_SKIP() << "reference rewritten: " << kReference;
    }
    ASSERT_TRUE(std::filesystem::exists(kReference))
        << "no reference picture; make one with ZELTRA_UPDATE_REFERENCES=1";
    const cPixelBuffer expected = LoadPicture(kReference);
    ASSERT_EQ(expected.GetWidth(), part.GetWidth());
    ASSERT_EQ(expected.GetHeight(), part.GetHeight());
    // Rasterisers may differ by a little on edges; a changed look does not.
    int64_t total = 0;
    int32_t off = 0;
    for (int32_t y = 0; y < part.GetHeight(); ++y)
        for (int32_t x = 0; x < part.GetWidth(); ++x)
        {
            int32_t worst = 0;
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(part.At(x, y)[c] - expected.At(x, y)[c]));
            total += worst;
            off += worst > 24;
        }
    const int32_t pixels = part.GetWidth() * part.GetHeight();
    EXPECT_LT(off, pixels / 200) << "pixels that differ clearly";
    EXPECT_LT(static_cast<double>(total) / pixels, 2.0) << "mean difference";
    if (HasFailure())
        SavePicture(part, ::testing::TempDir() + "PopupTree.actual.tga");
}

} // namespace
