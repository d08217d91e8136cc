// The editor drawn by the real screen with the game's data: the board over
// the checker background, and the README's picture on request.
#include "EditorFixture.h"

#include "engine/Display/ImageWriter.h"
#include "engine/Display/PixelBuffer.h"
#include "engine/File/FileInputMemory.h"
#include "game/OutOfRangeLevel.h"

namespace EditorTest
{
namespace
{
class EditorDrawingTest : public EditorHarness
{
protected:
    EditorDrawingTest() : EditorHarness(true) {}

    // A small level: a ring of cells with arrows, ice and a vortex, bricks
    // on it, three pieces and a few items.
    void BuildSmallLevel()
    {
        cEditedLevel& edited = editor->GetEditedLevel();
        for (int y = 1; y <= 5; ++y)
            for (int x = 1; x <= 7; ++x)
                edited.PutCell(x, y, kCellPlain);
        edited.PutCell(4, 3, kCellVortex);
        edited.PutCell(2, 2, kCellArrowNorth + 2);
        edited.PutCell(6, 4, kCellIce);
        edited.PutCell(5, 5, kCellFragilePlain);
        edited.PutCell(3, 5, kCellBroken);
        const int bricks[][3] = {{1, 1, 11},         {2, 1, 12},         {6, 1, 33},
                                 {7, 2, 34},         {1, 4, 45},         {2, 5, 54},
                                 {7, 5, kBrickBomb}, {5, 2, kBrickStar}, {3, 3, kBrickBlocker}};
        for (const auto& b : bricks)
            edited.PutBrick(b[0], b[1], b[2]);
        editor->SetPiece(0, tPiece{11, 12, 0, 0, 21, 0, 0});
        editor->SetPiece(1, tPiece{33, 0, 34, 0, 0, 43, 0});
        editor->SetPiece(2, tPiece{kBrickMulti, 45, 0, 54, 0, 0, 0});
        editor->SetItem(0, 201);
        editor->SetItem(1, 210);
        editor->SetItem(2, 88);
        editor->SetLevelName("my first level");
    }
};
} // namespace

TEST_F(EditorDrawingTest, TheBoardIsDrawnOverTheCheckerBackground)
{
    BuildSmallLevel();
    MoveTo(1, 1);
    Frame();
    cPixelBuffer frame;
    ASSERT_TRUE(device->ReadFrame(frame));
    // The board area's top-left corner lies on one of the checker colours.
    const uint8_t* corner = frame.At(cEditor::kBoardArea.x + 1, cEditor::kBoardArea.y + 1);
    const bool checker = (corner[0] == 35 && corner[1] == 40 && corner[2] == 45) ||
                         (corner[0] == 43 && corner[1] == 48 && corner[2] == 53);
    EXPECT_TRUE(checker) << int(corner[0]) << "," << int(corner[1]) << "," << int(corner[2]);
    // A painted cell is drawn where the editor says it is.
    const cPoint cell = CellPixel(4, 1);
    const uint8_t* painted = frame.At(cell.x, cell.y);
    EXPECT_FALSE(painted[0] == corner[0] && painted[1] == corner[1] && painted[2] == corner[2]);
}

// Values the rules do not know, as a level file may hold them: drawn,
// hovered and picked up without reading or drawing out of bounds.
TEST_F(EditorDrawingTest, ALevelWithOutOfRangeValuesIsDrawnAndEdited)
{
    const std::string text = OutOfRangeLevelText();
    cFileInputMemory input("odd.lvl", text.data(), text.size(), true);
    cLevel level;
    level.Read(input);
    editor->SetLevel(level);
    Frame();
    for (int y = 0; y < 16; y += 3)
        for (int x = 0; x < 16; x += 3)
        {
            const cPoint p = CellPixel(x, y);
            if (!cEditor::kBoardArea.Contains(p.x, p.y))
                continue;
            MoveTo(p.x, p.y);
            Frame();
            // Shift and a click pick up the cell kind under the pointer.
            KeyDown(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
            Button(true, p.x, p.y);
            Frame();
            Button(false, p.x, p.y);
            KeyUp(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
            Frame();
        }
    // What is still there is saved as it came.
    const cLevel saved = editor->GetEditedLevel().ToLevel();
    EXPECT_EQ(saved.GetItem(0), 212);
    EXPECT_EQ(saved.GetPiece(0)[0], 200);
}

// ZELTRA_SCREENSHOTS=<folder> writes the README's picture of the editor.
TEST_F(EditorDrawingTest, Screenshot)
{
    const char* out = std::getenv("ZELTRA_SCREENSHOTS");
    if (!out)
        GTEST_SKIP() << "set ZELTRA_SCREENSHOTS to a folder to write the picture";
    BuildSmallLevel();
    // Brick mode with the pointer over a free cell: the preview shows.
    Click(50, 435);
    editor->SetCurrentBrickCode(23);
    const cPoint target = CellPixel(4, 4);
    MoveTo(target.x + 2, target.y + 1);
    Frames(0.5f);
    cPixelBuffer frame;
    ASSERT_TRUE(device->ReadFrame(frame));
    SaveImage(frame, std::string(out) + "/editor.png");
}

} // namespace EditorTest
