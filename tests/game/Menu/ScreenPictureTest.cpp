// The menu, its options panel, the level selector and the intro drawn by the
// real window and OpenGL device with the game's generated data, compared
// with stored pictures at half size (small files; rasterisers that round an
// edge differently do not matter, a moved or missing part does). After a
// deliberate change of the look, rewrite them with
//   ZELTRA_UPDATE_REFERENCES=1 xvfb-run -a <build>/tests/test_game --gtest_filter='ScreenPicture*'
// and look at them before committing. ZELTRA_SCREENSHOTS=<folder> writes the
// README's pictures of the menu and the selector (menu.png, selector.png).
#include "engine/Core/Core.h"
#include "engine/Display/GL/RenderDeviceGL.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/Image.h"
#include "engine/Display/ImageWriter.h"
#include "engine/Display/SDL/DisplaySDL.h"
#include "engine/Display/SpriteResource.h"
#include "engine/File/FileSystemManager.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/SDL/InputDeviceSDL.h"
#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/Campaign.h"
#include "game/Game/CampaignResource.h"
#include "game/Game/GameResourceHandler.h"
#include "game/LevelSelector/LevelSelector.h"
#include "game/Menu/CreditsPanel.h"
#include "game/Menu/InstructionsPanel.h"
#include "game/Menu/Intro.h"
#include "game/Menu/Menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

using namespace Korva;

namespace
{

const std::string kReferenceDir =
    std::string(ZELTRA_TEST_SOURCE_DIR) + "/tests/game/Menu/Reference/";
constexpr uint32_t kSeed = 20261207;
constexpr float kFrame = 1.0f / 60.0f;

// The campaign's first levels count as completed; the rest do not.
class cPictureHost : public cLevelSelectorHost
{
public:
    bool IsLevelCompleted(const std::string& alias) const override
    {
        return completed.count(alias) != 0;
    }
    bool GetShowHints() const override { return true; }
    void PlayCampaignLevel(const std::string&, int32_t) override {}
    void RequestMenu() override {}
    cFileSystem* GetUserLevelFileSystem() override { return nullptr; }
    std::string GetUserLevelsFolder() const override { return ""; }
    void PlayUserLevel(const std::string&) override {}
    std::set<std::string> completed;
};

// Each 2 x 2 block of the frame as one pixel.
cPixelBuffer HalfSize(const cPixelBuffer& frame)
{
    cPixelBuffer half(frame.GetWidth() / 2, frame.GetHeight() / 2);
    for (int32_t y = 0; y < half.GetHeight(); ++y)
        for (int32_t x = 0; x < half.GetWidth(); ++x)
        {
            int sum[3] = {};
            for (int32_t dy = 0; dy < 2; ++dy)
                for (int32_t dx = 0; dx < 2; ++dx)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += frame.At(2 * x + dx, 2 * y + dy)[c];
            half.SetPixel(x, y, static_cast<uint8_t>(sum[0] / 4), static_cast<uint8_t>(sum[1] / 4),
                          static_cast<uint8_t>(sum[2] / 4), 255);
        }
    return half;
}

// A run-length encoded 24-bit TGA (rows bottom first): a quarter of the plain
// file's size for these pictures.
void SavePicture(const cPixelBuffer& image, const std::string& path)
{
    std::vector<uint8_t> out(18, 0);
    out[2] = 10;
    out[12] = static_cast<uint8_t>(image.GetWidth() & 255);
    out[13] = static_cast<uint8_t>(image.GetWidth() >> 8);
    out[14] = static_cast<uint8_t>(image.GetHeight() & 255);
    out[15] = static_cast<uint8_t>(image.GetHeight() >> 8);
    out[16] = 24;
    const auto same = [&](int32_t x1, int32_t x2, int32_t y)
    { return std::equal(image.At(x1, y), image.At(x1, y) + 3, image.At(x2, y)); };
    const auto put = [&](int32_t x, int32_t y)
    {
        const uint8_t* p = image.At(x, y);
        out.insert(out.end(), {p[2], p[1], p[0]});
    };
    const int32_t width = image.GetWidth();
    for (int32_t y = image.GetHeight() - 1; y >= 0; --y)
        for (int32_t x = 0; x < width;)
        {
            int32_t run = 1;
            while (x + run < width && run < 128 && same(x, x + run, y))
                ++run;
            if (run > 1)
            {
                out.push_back(static_cast<uint8_t>(128 + run - 1));
                put(x, y);
                x += run;
                continue;
            }
            // Raw pixels up to the next pair of equal ones.
            int32_t raw = 1;
            while (x + raw < width && raw < 128 &&
                   (x + raw + 1 >= width || !same(x + raw, x + raw + 1, y)))
                ++raw;
            out.push_back(static_cast<uint8_t>(raw - 1));
            for (int32_t i = 0; i < raw; ++i)
                put(x + i, y);
            x += raw;
        }
    const std::string temporary = path + ".tmp";
    std::ofstream(temporary, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    std::filesystem::rename(temporary, path);
}

class ScreenPictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        if (!std::filesystem::exists(std::string(ZELTRA_TEST_PROGRAM_DIR) +
                                     "/Resources/Sprites.res"))
            GTEST_SKIP() << "the game's data has not been generated";
        display = std::make_unique<cDisplaySDL>();
        cDisplayMode mode;
        mode.width = 800;
        mode.height = 600;
        display->Create(mode, false);
        cRenderSystemGL system;
        device = system.CreateRenderDevice(*display);
        input = std::make_unique<cInputDeviceSDL>(display.get());
        programFolder = std::make_unique<cFileSystemPOSIX>(ZELTRA_TEST_PROGRAM_DIR);
        cFileSystemManager::Get().SetCurrent(*programFolder);
        cResManager& manager = cResManager::Get();
        manager.AddTypeHandler(std::make_unique<cBuiltInResourceHandler>());
        manager.AddTypeHandler(std::make_unique<cGameResourceHandler>());
        for (const char* list : {"Images", "Sprites", "Sounds", "Campaigns", "Levels"})
            manager.LoadList(std::string("/Resources/") + list + ".res");
        gui = std::make_unique<cGUI>(display.get(), device.get(), input.get());
        gui->SetUpdateEnabled(false); // the tests advance time themselves
    }

    void TearDown() override
    {
        gui.reset();
        input.reset();
        if (cResManager* manager = cResManager::GetIfExists())
            manager->ReleaseAll();
        cResManager::Destroy();
        if (programFolder)
            cFileSystemManager::Get().SetCurrent(cFileSystemManager::Get().GetDefault());
        programFolder.reset();
        device.reset();
        display.reset();
    }

    void Run(float seconds)
    {
        for (float t = 0.0f; t < seconds; t += kFrame)
            gui->Update(kFrame);
    }
    // The pointer, drawn with the game's cursor, at a screen position.
    void Point(int32_t x, int32_t y)
    {
        auto* mouse = dynamic_cast<cSpriteResource*>(cResManager::Get().Find("SprMouse"));
        ASSERT_NE(mouse, nullptr);
        gui->SetCursorSprite(mouse->GetSprite());
        gui->OnInputEvent(cMouseEvent(kMouseMove, x, y));
    }
    cPixelBuffer DrawFrame()
    {
        device->Clear(cColor(0, 0, 0));
        gui->Draw();
        device->EndBatch();
        cPixelBuffer frame;
        EXPECT_TRUE(device->ReadFrame(frame));
        return frame;
    }
    // The frame against the stored picture `name`: at most 0.5 % of the
    // pixels may differ by more than a little.
    void Compare(const cPixelBuffer& frame, const std::string& name)
    {
        ASSERT_EQ(frame.GetWidth(), 800);
        ASSERT_EQ(frame.GetHeight(), 600);
        const cPixelBuffer half = HalfSize(frame);
        const std::string path = kReferenceDir + name;
        if (std::getenv("ZELTRA_UPDATE_REFERENCES"))
        {
            SavePicture(half, path);
            GTEST_SKIP() << "wrote " << path;
        }
        ASSERT_TRUE(std::filesystem::exists(path))
            << path << ": make it with ZELTRA_UPDATE_REFERENCES=1";
        cFileSystemPOSIX anywhere(""); // takes absolute paths
        cImage reference(path, anywhere);
        ASSERT_EQ(reference.GetWidth(), half.GetWidth());
        ASSERT_EQ(reference.GetHeight(), half.GetHeight());
        int32_t differing = 0;
        for (int32_t y = 0; y < half.GetHeight(); ++y)
            for (int32_t x = 0; x < half.GetWidth(); ++x)
            {
                const uint8_t* a = half.At(x, y);
                const uint8_t* b = reference.GetPixels().At(x, y);
                for (int c = 0; c < 3; ++c)
                    if (std::abs(a[c] - b[c]) > 24)
                    {
                        ++differing;
                        break;
                    }
            }
        EXPECT_LE(differing, half.GetWidth() * half.GetHeight() / 200) << name;
        if (HasFailure())
            SaveImage(half, ::testing::TempDir() + name + ".actual.tga");
    }
    const cCampaign* Campaign()
    {
        auto* resource = dynamic_cast<cCampaignResource*>(
            cResManager::Get().Find(cLevelSelector::kCampaignAlias));
        return resource ? resource->GetCampaign() : nullptr;
    }

    std::unique_ptr<cFileSystemPOSIX> programFolder;
    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDeviceGL> device;
    std::unique_ptr<cInputDeviceSDL> input;
    std::unique_ptr<cGUI> gui;
};

// The picture of the selector: the first six levels completed, the seventh
// selected as the first one still to do.
std::unique_ptr<cLevelSelector> MakeSelector(cGUI& gui, cPictureHost& host,
                                             const cCampaign* campaign)
{
    for (int32_t i = 0; campaign && i < 6 && i < campaign->GetLevelCount(); ++i)
        host.completed.insert(campaign->GetLevelAlias(i));
    auto selector = std::make_unique<cLevelSelector>(gui, host, campaign);
    selector->SetFixedSeed(kSeed);
    gui.GetRoot().AddChild(cPoint(0, 0), selector.get());
    selector->Activate();
    return selector;
}

TEST_F(ScreenPictureTest, MenuAtRestAndTheOptionsPanel)
{
    cMenu menu(*gui);
    menu.SetFixedSeed(kSeed);
    gui->GetRoot().AddChild(cPoint(0, 0), &menu);
    menu.Activate();
    Run(1.0f);
    Compare(DrawFrame(), "menu-at-rest.tga");

    menu.RequestOptionsPanel();
    Run(1.5f);
    ASSERT_EQ(menu.GetShownPanel(), cMenu::ePanel::Options);
    Compare(DrawFrame(), "options-panel.tga");
    menu.Deactivate();
    gui->GetRoot().RemoveChild(&menu);
}

// The instruction pages whose pictures changed last (the goal, the colours
// by their look and symbol, help and taking back), with the page count above
// them, and the credits on their way up.
TEST_F(ScreenPictureTest, InstructionPagesAndTheCredits)
{
    cMenu menu(*gui);
    menu.SetFixedSeed(kSeed);
    gui->GetRoot().AddChild(cPoint(0, 0), &menu);
    menu.Activate();
    Run(0.5f);
    menu.RequestInstructionsPanel();
    Run(1.5f);
    ASSERT_EQ(menu.GetShownPanel(), cMenu::ePanel::Instructions);
    EXPECT_STREQ(menu.GetHint().GetText(), "Page 1 of 5");
    Compare(DrawFrame(), "instructions-page1.tga");
    cInstructionsPanel* panel = nullptr;
    for (int i = 0; i < menu.GetChildCount(); ++i)
        if (auto* p = dynamic_cast<cInstructionsPanel*>(menu.GetChild(i)))
            panel = p;
    ASSERT_NE(panel, nullptr);
    panel->NextPage();
    Run(1.0f);
    Compare(DrawFrame(), "instructions-page2.tga");
    panel->PreviousPage();
    Run(1.0f);
    panel->PreviousPage();
    Run(1.0f);
    EXPECT_STREQ(menu.GetHint().GetText(), "Page 5 of 5");
    Compare(DrawFrame(), "instructions-page5.tga");

    menu.RequestCreditsPanel();
    Run(14.0f); // the studio's part in view
    ASSERT_EQ(menu.GetShownPanel(), cMenu::ePanel::Credits);
    // Every block of the real credits scrolls by before they start again.
    for (int i = 0; i < menu.GetChildCount(); ++i)
    {
        if (auto* credits = dynamic_cast<cCreditsPanel*>(menu.GetChild(i)))
        {
            EXPECT_GT(credits->GetTotalHeight(), 900);
        }
    }
    Compare(DrawFrame(), "credits.tga");
    menu.Deactivate();
    gui->GetRoot().RemoveChild(&menu);
}

TEST_F(ScreenPictureTest, SelectorWithSomeLevelsCompleted)
{
    const cCampaign* campaign = Campaign();
    ASSERT_NE(campaign, nullptr);
    ASSERT_GT(campaign->GetLevelCount(), 6);
    cPictureHost host;
    std::unique_ptr<cLevelSelector> selector = MakeSelector(*gui, host, campaign);
    EXPECT_EQ(selector->GetSelectedIndex(), 6);
    Run(1.0f);
    Compare(DrawFrame(), "selector.tga");
    selector->Deactivate();
    gui->GetRoot().RemoveChild(selector.get());
}

TEST_F(ScreenPictureTest, IntroInTheMiddle)
{
    cIntro intro(*gui);
    intro.SetFixedSeed(kSeed);
    gui->GetRoot().AddChild(cPoint(0, 0), &intro);
    intro.Start();
    Run(3.5f);
    ASSERT_TRUE(intro.IsRunning());
    Compare(DrawFrame(), "intro.tga");
    gui->GetRoot().RemoveChild(&intro);
}

// Pictures for the README, with the pointer and its hint.
TEST_F(ScreenPictureTest, Screenshots)
{
    const char* out = std::getenv("ZELTRA_SCREENSHOTS");
    if (!out)
        GTEST_SKIP() << "set ZELTRA_SCREENSHOTS to a folder to write the pictures";
    {
        cMenu menu(*gui);
        menu.SetFixedSeed(kSeed);
        gui->GetRoot().AddChild(cPoint(0, 0), &menu);
        menu.Activate();
        Run(0.5f);
        Point(420, 242); // over Play
        Run(1.0f);
        SaveImage(DrawFrame(), std::string(out) + "/menu.png");
        menu.Deactivate();
        gui->GetRoot().RemoveChild(&menu);
    }
    cPictureHost host;
    std::unique_ptr<cLevelSelector> selector = MakeSelector(*gui, host, Campaign());
    Run(0.5f);
    Point(405, 200); // over the third icon
    Run(1.0f);
    SaveImage(DrawFrame(), std::string(out) + "/selector.png");
    selector->Deactivate();
    gui->GetRoot().RemoveChild(selector.get());
}

} // namespace
