// Draws the editor's choosers and dialogs with the game's own data through
// the real window and OpenGL device (under Xvfb) and checks that their
// pictures land where presses are taken. ZELTRA_SCREENSHOTS=<folder> also
// writes each frame there as a TGA file to look at.
#include "engine/Core/Core.h"
#include "engine/Display/GL/RenderDeviceGL.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/SDL/DisplaySDL.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Gui/GUI.h"
#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Resource/ResManager.h"
#include "game/Editor/BrickSelector.h"
#include "game/Editor/CellSelector.h"
#include "game/Editor/ItemSelector.h"
#include "game/Editor/LevelFileDialog.h"
#include "game/Editor/LevelInfoDialog.h"
#include "game/Editor/PieceSelector.h"
#include "game/Editor/PiecesPanel.h"
#include "tests/game/Editor/FakeEditorHost.h"

#include "engine/File/POSIX/FileSystemPOSIX.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace Korva;

namespace
{
constexpr cColor kPopupBackground(100, 150, 200, 255);

void SaveTga(const cPixelBuffer& image, const std::string& path)
{
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;
    out[12] = static_cast<uint8_t>(image.GetWidth() & 255);
    out[13] = static_cast<uint8_t>(image.GetWidth() >> 8);
    out[14] = static_cast<uint8_t>(image.GetHeight() & 255);
    out[15] = static_cast<uint8_t>(image.GetHeight() >> 8);
    out[16] = 24;
    for (int32_t y = image.GetHeight() - 1; y >= 0; --y)
        for (int32_t x = 0; x < image.GetWidth(); ++x)
        {
            const uint8_t* p = image.At(x, y);
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

class EditorPanelsLookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display";
        if (!std::filesystem::exists(std::string(ZELTRA_TEST_PROGRAM_DIR) +
                                     "/Resources/Sprites.res"))
            GTEST_SKIP() << "the game's data has not been generated";
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
        gui = std::make_unique<cGUI>(display.get(), device.get(), nullptr);
    }
    void TearDown() override
    {
        gui.reset();
        device.reset();
        display.reset();
        cResManager::Destroy();
        if (cFileSystemManager::Exists())
            cFileSystemManager::Destroy();
    }

    // Draws `widget` at (x, y) on a black screen and returns the frame.
    cPixelBuffer Frame(cWidget& widget, int32_t x, int32_t y, const std::string& name)
    {
        gui->GetRoot().AddChild(cPoint(x, y), &widget);
        gui->Update(0.05f);
        device->Clear(cColor(0, 0, 0));
        gui->Draw();
        device->EndBatch();
        cPixelBuffer frame;
        EXPECT_TRUE(device->ReadFrame(frame));
        gui->GetRoot().RemoveChild(&widget);
        if (const char* folder = std::getenv("ZELTRA_SCREENSHOTS"))
            SaveTga(frame, std::string(folder) + "/" + name + ".tga");
        return frame;
    }
    static bool IsBackground(const cPixelBuffer& frame, int32_t x, int32_t y)
    {
        const uint8_t* p = frame.At(x, y);
        return p[0] == kPopupBackground.r && p[1] == kPopupBackground.g &&
               p[2] == kPopupBackground.b;
    }

    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDeviceGL> device;
    std::unique_ptr<cGUI> gui;
    cFakeEditorHost host;
};

TEST_F(EditorPanelsLookTest, PalettesAreDrawnWherePressesAreTaken)
{
    const int32_t x = 200, y = 100;
    cCellSelector cells(*gui, host);
    cells.SetCellKind(5);
    const cPixelBuffer cellFrame = Frame(cells, x, y, "CellSelector");
    for (int square = 0; square < 12; ++square)
        EXPECT_FALSE(IsBackground(cellFrame, x + 20 + 60 * (square % 4) + 30,
                                  y + 45 + 60 * (square / 4) + 30))
            << square;

    cBrickSelector bricks(*gui, host);
    bricks.SetBrickCode(37);
    const cPixelBuffer brickFrame = Frame(bricks, x, y, "BrickSelector");
    EXPECT_FALSE(IsBackground(brickFrame, x + 50, y + 75)); // sample
    for (int j = 0; j < 8; ++j)
        EXPECT_FALSE(IsBackground(brickFrame, x + 80 + 30 * j + 2, y + 45 + 2)) << j;
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(IsBackground(brickFrame, x + 20 + 60 * i + 30, y + 115 + 30)) << i;

    cItemSelector items(*gui, host);
    items.Load(0, 208);
    const cPixelBuffer itemFrame = Frame(items, x, y - 50, "ItemSelector");
    EXPECT_FALSE(IsBackground(itemFrame, x + 20 + 5, y - 50 + 45 + 5));

    host.pieces = {tPiece{11, 22, 33, 44, 55, 66, 100}, tPiece{}};
    cPieceSelector piece(*gui, host);
    piece.Load(0, host.pieces[0]);
    const cPixelBuffer pieceFrame = Frame(piece, x, y - 60, "PieceSelector");
    EXPECT_FALSE(IsBackground(pieceFrame, x + 170, y - 60 + 145));
}

TEST_F(EditorPanelsLookTest, PanelAndDialogsDraw)
{
    host.pieces = {tPiece{11, 22, 33, 44, 55, 66, 77}, tPiece{101, 0, 102, 0, 103, 0, 104},
                   tPiece{}};
    host.SelectPiece(1);
    cPiecesPanel panel(*gui, host);
    const cPixelBuffer panelFrame = Frame(panel, 710, 37, "PiecesPanel");
    EXPECT_NE(panelFrame.At(710 + 40, 37 + 39)[0], 0);

    cLevelInfoDialog info(*gui, host);
    info.Load("A level", "Its description, long enough to wrap over more than one line of "
                         "the box, with a second paragraph.\nHere.");
    Frame(info, 200, 25, "LevelInfoDialog");

    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("zeltra_look_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "Quillbee Studios/Zeltra/UserLevels");
    for (const char* name : {"First.lvl", "second.lvl", "Third one.lvl"})
        std::ofstream(root / "Quillbee Studios/Zeltra/UserLevels" / name) << "x";
    cFileSystemPOSIX files(root.string());
    cSaveLevelDialog save(*gui, host, files);
    save.Refresh();
    save.GetList().SetSelected(1);
    save.GetNameField().SetText("second");
    save.GetNameField().SetText("a/b");
    save.RequestSave();
    Frame(save, 220, 40, "SaveLevelDialog");
    EXPECT_NE(save.GetMessage(), "");
    std::filesystem::remove_all(root);
}
} // namespace
