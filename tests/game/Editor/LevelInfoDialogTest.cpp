#include "game/Editor/LevelInfoDialog.h"
#include "tests/game/Editor/EditorHarness.h"

using LevelInfoDialogTest = EditorHarness;

TEST_F(LevelInfoDialogTest, NameFieldTakesThirtyCharactersAndOkStoresBoth)
{
    host.level.SetName("Old");
    host.level.SetDescription("first line\nsecond line");
    cLevelInfoDialog dialog(*gui, host);
    dialog.Load(host.GetLevelName(), host.GetLevelDescription());
    Show(dialog);
    EXPECT_EQ(dialog.GetNameField().GetText(), "Old");
    EXPECT_EQ(dialog.GetDescriptionBox().GetText(), "first line\nsecond line");
    EXPECT_EQ(dialog.GetDescriptionBox().GetCaret(), 0);

    ClickAt(20 + 350, 60 + 10);          // caret to the end of the name
    Type("_abcdefghijklmnopqrstuvwxyz"); // 3 + 27 = 30
    Type("!");                           // the 31st is refused
    EXPECT_EQ(dialog.GetNameField().GetText(), "Old_abcdefghijklmnopqrstuvwxyz");

    ClickAt(205 + 40, 405 + 14); // Cancel keeps the editor's texts
    EXPECT_EQ(host.GetLevelName(), "Old");
    EXPECT_EQ(host.closes, 1);

    // Typing goes in at the description's start, where opening put the caret.
    gui->GetRoot().SetFocus(&dialog.GetDescriptionBox());
    Type("New ");
    ClickAt(115 + 40, 405 + 14); // OK
    EXPECT_EQ(host.GetLevelName(), "Old_abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(host.GetLevelDescription(), "New first line\nsecond line");
    EXPECT_EQ(host.closes, 2);
    Hide(dialog);
}

TEST_F(LevelInfoDialogTest, ALongerNameFromAFileSurvivesOk)
{
    // Level files may hold longer names than the field lets a player type.
    const std::string name = "A rather long level name from somewhere else";
    ASSERT_GT(name.size(), 30u);
    host.level.SetName(name);
    cLevelInfoDialog dialog(*gui, host);
    dialog.Load(host.GetLevelName(), host.GetLevelDescription());
    Show(dialog);
    EXPECT_EQ(dialog.GetNameField().GetText(), name);
    ClickAt(20 + 350, 60 + 10);
    Type("x"); // typing is still limited
    EXPECT_EQ(dialog.GetNameField().GetText(), name);
    ClickAt(115 + 40, 405 + 14); // OK
    EXPECT_EQ(host.GetLevelName(), name);
    Hide(dialog);
}
