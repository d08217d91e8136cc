// The editor's popups as a player meets them: a test play started while a
// question is open, the save dialog's question, the pieces panel's bar.
#include "EditorFixture.h"

#include "game/Editor/EditorPopups.h"
#include "game/Editor/LevelFileDialog.h"
#include "game/Editor/PiecesPanel.h"
#include "game/Editor/UserLevelFiles.h"
#include "game/Game/Screen/Game.h"
#include "game/GameApplication.h"

#include <filesystem>

namespace EditorTest
{
namespace
{
cPoint ButtonAt(const cEditor& editor, int button)
{
    const cRect r = editor.GetButton(button)->GetRect();
    return cPoint(r.x + r.width / 2, r.y + r.height / 2);
}
} // namespace

TEST_F(EditorScreenTest, TestPlayClosesTheEditorsQuestionAndLeavesTheGameItsKeys)
{
    cEditedLevel& edited = editor->GetEditedLevel();
    for (int x = 2; x <= 5; ++x)
        edited.PutCell(x, 3, kCellPlain);
    editor->SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
    const cLevel before = editor->GetLevel();

    for (SDL_Keycode question : {SDLK_n, SDLK_ESCAPE})
    {
        Key(question);
        ASSERT_TRUE(editor->IsPopupOpen());
        const cPoint test = ButtonAt(*editor, cEditor::kButtonTest);
        Click(test.x, test.y);
        EXPECT_FALSE(editor->IsPopupOpen());
        ASSERT_FALSE(host.tested.empty());

        // The game screen takes over, as the application switches to it.
        cQuietGameHost gameHost;
        {
            cGame game(*gui, gameHost);
            game.SetSoundListener(&sounds);
            editor->Deactivate();
            gui->GetRoot().RemoveChild(editor.get());
            game.StartEditorTest(host.tested.back());
            gui->GetRoot().AddChild(cPoint(0, 0), &game);
            game.Activate();
            Key(SDLK_RETURN); // closes the level info, nothing more
            EXPECT_EQ(game.GetPopup(), cGame::kPopupNone);
            Key(SDLK_ESCAPE);
            EXPECT_EQ(game.GetPopup(), cGame::kPopupBackToEditor);
            Key(SDLK_ESCAPE);
            gui->GetRoot().RemoveChild(&game);
            game.Deactivate();
        }
        EXPECT_TRUE(gameHost.requests.empty());
        EXPECT_TRUE(host.requests.size() == host.tested.size()) << "not sent to the menu";
        gui->GetRoot().AddChild(cPoint(0, 0), editor.get());
        editor->Activate();
        EXPECT_EQ(editor->GetLevel(), before);
    }
}

class EditorSaveTest : public EditorScreenTest
{
protected:
    void SetUp() override
    {
        EditorScreenTest::SetUp();
        levels = folder.Path() / std::string(cGameApplication::kUserLevelsFolder).substr(1);
        std::filesystem::create_directories(levels);
    }
    cSaveLevelDialog& OpenSave()
    {
        Key(SDLK_s);
        EXPECT_EQ(editor->GetPopup(), cEditor::kPopupSaveLevel);
        Frame(); // the name field takes the focus
        return *editor->GetPopups().GetSaveDialog();
    }
    std::filesystem::path levels;
};

TEST_F(EditorSaveTest, TheEnterThatAnswersTheQuestionIsNotASecondSave)
{
    // A folder where the file is: replacing it fails, whoever runs this.
    std::filesystem::create_directories(levels / "Taken.lvl" / "inside");
    editor->SetLevelName("Taken");
    cSaveLevelDialog& save = OpenSave();
    ASSERT_EQ(save.GetNameField().GetText(), "Taken");
    Key(SDLK_RETURN);
    Frame();
    ASSERT_TRUE(save.IsAskingOverwrite());
    Key(SDLK_RETURN); // yes
    Frames(0.2f);
    EXPECT_FALSE(save.IsAskingOverwrite());
    EXPECT_NE(save.GetMessage().find("couldn't be saved"), std::string::npos) << save.GetMessage();
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupSaveLevel);

    // Esc answers no first; then it closes the dialog.
    Key(SDLK_RETURN);
    Frame();
    ASSERT_TRUE(save.IsAskingOverwrite());
    Key(SDLK_ESCAPE);
    EXPECT_FALSE(save.IsAskingOverwrite());
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupSaveLevel);
    Key(SDLK_ESCAPE);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNone);
}

TEST_F(EditorSaveTest, ClosingTheDialogTakesItsQuestionAlong)
{
    std::string error;
    ASSERT_TRUE(UserLevelFiles::Save(host.userFiles, "Mine", editor->GetLevel(), error)) << error;
    editor->SetLevelName("Mine");
    cSaveLevelDialog& save = OpenSave();
    Key(SDLK_RETURN);
    Frame();
    ASSERT_TRUE(save.IsAskingOverwrite());
    Click(150, 300); // outside the dialog: the editor closes it
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNone);
    EXPECT_FALSE(save.IsAskingOverwrite());
}

TEST_F(EditorScreenTest, APressOnThePiecesPanelsBarClosesAPopup)
{
    editor->ResizePieceList(12);
    Frame();
    Key(SDLK_i);
    ASSERT_EQ(editor->GetPopup(), cEditor::kPopupLevelInfo);
    // The bar's forward arrow, at the panel's bottom right.
    cPiecesPanel& panel = editor->GetPiecesPanel();
    const cRect bar = panel.GetScrollbar().GetRect();
    const cPoint arrow(710 + bar.x + bar.width / 2, 37 + bar.y + bar.height - 4);
    MoveTo(arrow.x, arrow.y);
    Button(true, arrow.x, arrow.y);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNone);
    Frames(0.2f);
    Button(false, arrow.x, arrow.y);
    EXPECT_GT(panel.GetScrollOffset(), 0.0f) << "the press still scrolls";
}

} // namespace EditorTest
