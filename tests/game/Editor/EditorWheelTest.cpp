// The mouse wheel in the editor: the board, the pieces panel and the file
// lists of the load and save dialogs.
#include "EditorFixture.h"

#include "game/Editor/EditorPopups.h"
#include "game/Editor/LevelFileDialog.h"
#include "game/Editor/PiecesPanel.h"
#include "game/Editor/UserLevelFiles.h"
#include "tests/game/Game/PuzzleTestUtil.h"

namespace EditorTest
{
using PuzzleTest::PlainLevel;

TEST_F(EditorScreenTest, TheWheelScrollsALargeBoardAndNotASmallOne)
{
    const float x0 = editor->GetOffsetX(), y0 = editor->GetOffsetY();
    Wheel(400, 250, -2.0f); // the new 9 x 7 level fits the board area
    EXPECT_FLOAT_EQ(editor->GetOffsetY(), y0);

    editor->SetLevel(PlainLevel(60, 40));
    const float x = editor->GetOffsetX(), y = editor->GetOffsetY();
    ASSERT_NE(x, x0);
    Wheel(400, 250, -1.0f);
    EXPECT_FLOAT_EQ(editor->GetOffsetY(), y - cBoardScroller::kWheelStep);
    KeyEvent(true, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    Wheel(400, 250, -1.0f); // Shift: towards the player is right
    KeyEvent(false, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    EXPECT_FLOAT_EQ(editor->GetOffsetX(), x - cBoardScroller::kWheelStep);
    Wheel(400, 250, 1000.0f);
    EXPECT_FLOAT_EQ(editor->GetOffsetY(), 0.0f);

    // Not while a popup is open.
    Key(SDLK_i);
    Wheel(150, 450, -1.0f);
    EXPECT_FLOAT_EQ(editor->GetOffsetY(), 0.0f);
}

TEST_F(EditorScreenTest, ThePiecesPanelScrollsAnEntryANotch)
{
    editor->ResizePieceList(12);
    Frame();
    cPiecesPanel& panel = editor->GetPiecesPanel();
    Wheel(750, 200, -1.0f);
    EXPECT_FLOAT_EQ(panel.GetScrollOffset(), 78.0f);
    Wheel(710 + 85, 200, -1.0f); // over its bar
    EXPECT_FLOAT_EQ(panel.GetScrollOffset(), 156.0f);
    Wheel(750, 200, 5.0f);
    EXPECT_FLOAT_EQ(panel.GetScrollOffset(), 0.0f);
}

TEST_F(EditorScreenTest, TheFileListsScrollThreeRowsANotch)
{
    for (int i = 0; i < 30; ++i)
    {
        std::string error;
        ASSERT_TRUE(UserLevelFiles::Save(host.userFiles, "level " + std::to_string(10 + i),
                                         editor->GetLevel(), error))
            << error;
    }
    for (SDL_Keycode dialog : {SDLK_l, SDLK_s})
    {
        Key(dialog);
        ASSERT_TRUE(editor->IsPopupOpen());
        auto* files = dynamic_cast<cLevelFileDialog*>(editor->GetPopupWidget());
        ASSERT_NE(files, nullptr);
        ASSERT_EQ(files->GetList().GetNames().size(), 30u);
        files->GetList().SetScrollOffset(0.0f, 0.0f);
        const cPoint at = files->GetPosition();
        Wheel(at.x + 100, at.y + 40 + 50, -1.0f);
        EXPECT_FLOAT_EQ(files->GetList().GetScrollY(), 3.0f * cLevelFileList::kRowHeight);
        Key(SDLK_ESCAPE);
    }
}

} // namespace EditorTest
