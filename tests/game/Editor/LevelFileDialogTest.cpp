#include "game/Editor/LevelFileDialog.h"
#include "game/Editor/UserLevelFiles.h"
#include "game/GameApplication.h"
#include "game/UserLevels.h"
#include "tests/game/Editor/EditorHarness.h"

#include "engine/Core/Exception.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
cLevel SampleLevel()
{
    cLevel level;
    level.SetName("Sample");
    level.SetDescription("Two bricks and a piece.\nSecond line.");
    level.SetWidth(3);
    level.SetHeight(2);
    level.SetAdjustIndexX(true);
    level.SetCell(0, 0, 1);
    level.SetCell(1, 1, 12);
    level.SetCell(2, 0, 5);
    level.SetBrick(0, 0, 34);
    level.SetBrick(2, 0, 103);
    level.SetPieceCount(2);
    level.SetPiece(0, tPiece{11, 0, 22, 0, 0, 0, 0});
    level.SetPiece(1, tPiece{100, 101, 0, 0, 0, 0, 88});
    level.SetItem(0, 201);
    level.SetItem(9, 103);
    return level;
}
} // namespace

class LevelFileDialogTest : public EditorHarness
{
protected:
    void SetUp() override
    {
        EditorHarness::SetUp();
        root = fs::temp_directory_path() / ("zeltra_editor_files_" + std::to_string(::getpid()));
        fs::remove_all(root);
        folder = root / fs::path(std::string(cGameApplication::kUserLevelsFolder).substr(1));
        fs::create_directories(folder);
        fileSystem = std::make_unique<Korva::cFileSystemPOSIX>(root.string());
        host.level = SampleLevel();
    }
    void TearDown() override
    {
        fileSystem.reset();
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
        EditorHarness::TearDown();
    }
    void WriteFile(const std::string& name, const std::string& text) const
    {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    std::string ReadFile(const std::string& name) const
    {
        std::ifstream in(folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root;
    fs::path folder;
    std::unique_ptr<Korva::cFileSystem> fileSystem;
};

TEST_F(LevelFileDialogTest, SavedLevelLoadsBackIdentically)
{
    cSaveLevelDialog save(*gui, host, *fileSystem);
    save.Refresh();
    Show(save);
    gui->Update(0.01f);
    EXPECT_EQ(save.GetNameField().GetText(), "Sample"); // the level's own name
    save.GetNameField().SetText("My level");
    save.RequestSave();
    EXPECT_EQ(save.GetMessage(), "");
    EXPECT_EQ(host.closes, 1);
    EXPECT_TRUE(fs::is_regular_file(folder / "My level.lvl"));
    Hide(save);

    const cLevel saved = host.level;
    host.level = cLevel();
    cLoadLevelDialog load(*gui, host, *fileSystem);
    load.Refresh();
    Show(load);
    ASSERT_EQ(load.GetList().GetNames(), std::vector<std::string>{"My level.lvl"});
    ClickAt(20 + 10, 40 + 5); // the first row
    EXPECT_EQ(load.GetList().GetSelected(), 0);
    ClickAt(90 + 40, 380 + 14); // Load
    EXPECT_EQ(load.GetMessage(), "");
    EXPECT_EQ(host.levelsSet, 1);
    EXPECT_EQ(host.level, saved);
    EXPECT_EQ(host.closes, 2);
    Hide(load);
}

TEST_F(LevelFileDialogTest, DoubleClickLoadsAndAFifoIsRefused)
{
    std::string error;
    ASSERT_TRUE(UserLevelFiles::Save(*fileSystem, "b", SampleLevel(), error)) << error;
    ASSERT_EQ(::mkfifo((folder / "a.lvl").c_str(), 0600), 0);
    host.level = cLevel();
    cLoadLevelDialog load(*gui, host, *fileSystem);
    load.Refresh();
    Show(load);
    ASSERT_EQ(load.GetList().GetNames(), (std::vector<std::string>{"a.lvl", "b.lvl"}));
    ClickAt(30, 40 + 5); // a fifo never blocks the dialog
    ClickAt(30, 40 + 5);
    EXPECT_EQ(load.GetMessage(), "The level 'a' isn't a level file.");
    EXPECT_EQ(host.levelsSet, 0);
    ClickAt(30, 40 + 25);
    ClickAt(30, 40 + 25);
    EXPECT_EQ(host.levelsSet, 1);
    EXPECT_EQ(host.level, SampleLevel());
    EXPECT_EQ(host.closes, 1);
    Hide(load);
}

TEST_F(LevelFileDialogTest, UnsafeNamesAreRefusedWithAReason)
{
    cSaveLevelDialog save(*gui, host, *fileSystem);
    save.Refresh();
    Show(save);
    for (const std::string& name : {std::string(), std::string("a/b"), std::string("a\\b"),
                                    std::string(".."), std::string("x..y"), std::string(".hidden"),
                                    std::string("tab\there"), std::string(" padded ")})
    {
        save.GetNameField().SetText(name);
        save.RequestSave();
        EXPECT_NE(save.GetMessage(), "") << name;
        EXPECT_EQ(host.closes, 0) << name;
    }
    EXPECT_TRUE(fs::is_empty(folder));
    // Typing stops at 64 bytes; longer names are refused below it too.
    save.GetNameField().SetText(std::string(63, 'n'));
    gui->GetRoot().SetFocus(&save.GetNameField());
    Type("nnn");
    EXPECT_EQ(save.GetNameField().GetText().size(), 64u);
    std::string error;
    EXPECT_FALSE(UserLevelFiles::Save(*fileSystem, std::string(65, 'n'), host.level, error));
    EXPECT_NE(error.find("too long"), std::string::npos);
    EXPECT_TRUE(UserLevelFiles::IsSafeName(std::string(64, 'n')));
    EXPECT_TRUE(UserLevelFiles::IsSafeName("Level 3 - the hard one"));
    Hide(save);
}

TEST_F(LevelFileDialogTest, OverwritingAsksFirst)
{
    WriteFile("Mine.lvl", "old text");
    cSaveLevelDialog save(*gui, host, *fileSystem);
    save.Refresh();
    Show(save);
    ASSERT_EQ(save.GetList().GetNames(), std::vector<std::string>{"Mine.lvl"});
    ClickAt(20 + 10, 40 + 5); // picking the file takes its name
    EXPECT_EQ(save.GetNameField().GetText(), "Mine");

    ClickAt(90 + 40, 380 + 14); // Save
    EXPECT_TRUE(save.IsAskingOverwrite());
    EXPECT_EQ(ReadFile("Mine.lvl"), "old text");
    save.OnPopupNo(&save.GetOverwritePopup());
    EXPECT_FALSE(save.IsAskingOverwrite());
    EXPECT_EQ(ReadFile("Mine.lvl"), "old text");
    EXPECT_EQ(host.closes, 0);

    // Enter in the field asks on the next update; Enter again (handed on by
    // the editor's popup host) answers yes, and the field does not hear it.
    ClickAt(20 + 5, 318 + 5);
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(save.IsAskingOverwrite());
    gui->Update(0.01f);
    ASSERT_TRUE(save.IsAskingOverwrite());
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    gui->Update(0.01f);
    EXPECT_TRUE(save.IsAskingOverwrite());
    EXPECT_EQ(host.closes, 0);
    EXPECT_TRUE(save.OnEnterKey());
    EXPECT_FALSE(save.IsAskingOverwrite());
    EXPECT_EQ(host.closes, 1);
    cLevel written;
    written.Load(*fileSystem, UserLevelPath("Mine.lvl"));
    EXPECT_EQ(written, host.level);
    Hide(save);
}

TEST_F(LevelFileDialogTest, FailedSaveSaysSoAndKeepsTheOldFile)
{
    // A folder in the file's place: the rename fails, whoever runs the test.
    fs::create_directories(folder / "Taken.lvl" / "inside");
    cSaveLevelDialog save(*gui, host, *fileSystem);
    save.Refresh();
    Show(save);
    save.GetNameField().SetText("Taken");
    save.RequestSave();
    ASSERT_TRUE(save.IsAskingOverwrite());
    save.OnPopupYes(&save.GetOverwritePopup());
    EXPECT_NE(save.GetMessage().find("couldn't be saved"), std::string::npos);
    EXPECT_NE(save.GetMessage().find("still in the editor"), std::string::npos);
    EXPECT_EQ(host.closes, 0);
    EXPECT_EQ(host.level, SampleLevel());
    EXPECT_TRUE(fs::is_directory(folder / "Taken.lvl" / "inside"));
    // No temporary file is left behind.
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        entries += entry.path().filename() != "Taken.lvl";
    EXPECT_EQ(entries, 0);
    Hide(save);
}

TEST_F(LevelFileDialogTest, FailedSaveWhereTheFolderCannotBeMade)
{
    // A file where the folder should be: no user can write below it.
    fs::remove_all(folder);
    std::ofstream(folder) << "not a folder";
    cSaveLevelDialog save(*gui, host, *fileSystem);
    save.Refresh();
    Show(save);
    save.GetNameField().SetText("New");
    save.RequestSave();
    EXPECT_NE(save.GetMessage().find("couldn't be saved"), std::string::npos);
    EXPECT_EQ(host.closes, 0);
    EXPECT_EQ(host.level, SampleLevel());
    Hide(save);
    fs::remove(folder);
    fs::create_directories(folder);
}

TEST_F(LevelFileDialogTest, BadFilesAreRefusedAndLeaveTheLevelAlone)
{
    WriteFile("Broken.lvl", "Root\n{\n  Level\n  {\n    Name = \"x\"\n  }\n}\n");
    WriteFile("Garbage.lvl", std::string("\x00\xff\x01{{{", 7));
    {
        std::ofstream huge(folder / "Huge.lvl", std::ios::binary);
        huge.seekp(static_cast<std::streamoff>(UserLevelFiles::kMaxFileBytes));
        huge.put('\n');
    }
    WriteFile("notes.txt", "not a level");
    fs::create_directories(folder / "Folder.lvl");
    WriteFile(".hidden.lvl", "hidden");

    cLoadLevelDialog load(*gui, host, *fileSystem);
    load.Refresh();
    Show(load);
    EXPECT_EQ(load.GetList().GetNames(),
              (std::vector<std::string>{"Broken.lvl", "Garbage.lvl", "Huge.lvl"}));
    const cLevel before = host.level;
    for (const char* file : {"Broken.lvl", "Garbage.lvl", "Huge.lvl", "Gone.lvl"})
    {
        EXPECT_FALSE(load.Load(file)) << file;
        EXPECT_NE(load.GetMessage(), "") << file;
    }
    EXPECT_NE(load.GetMessage().find("'Gone'"), std::string::npos);
    load.Load("Huge.lvl");
    EXPECT_NE(load.GetMessage().find("too large"), std::string::npos);
    EXPECT_EQ(host.levelsSet, 0);
    EXPECT_EQ(host.level, before);
    EXPECT_EQ(host.closes, 0);

    // With nothing selected the button explains itself.
    ClickAt(90 + 40, 380 + 14);
    EXPECT_EQ(load.GetMessage(), "Please choose a level to load.");
    Hide(load);
}

namespace
{
// A file system whose files exist but cannot be opened, as a file without
// read permission is for anyone but root (and as a failing disk is for root).
class cUnreadableFileSystem : public Korva::cFileSystemPOSIX
{
public:
    using cFileSystemPOSIX::cFileSystemPOSIX;
    Korva::cFileInput* OpenInput(const std::string& path, bool, bool) override
    {
        KORVA_THROW(Korva::cExceptionOpeningFile, path);
    }
};
} // namespace

TEST_F(LevelFileDialogTest, UnreadableFileIsRefused)
{
    std::string error;
    cLevel level = SampleLevel();
    ASSERT_TRUE(UserLevelFiles::Save(*fileSystem, "Locked", level, error)) << error;
    cUnreadableFileSystem unreadable(root.string());
    cLevel target;
    EXPECT_FALSE(UserLevelFiles::Load(unreadable, "Locked.lvl", target, error));
    EXPECT_NE(error.find("can't be read"), std::string::npos);
    EXPECT_EQ(target, cLevel());
}

TEST_F(LevelFileDialogTest, AListedFileIsReplacedItselfAfterAsking)
{
    // Its extension in capitals, and a name longer than typing allows.
    const std::string longName(70, 'w');
    WriteFile("Mine.LVL", "old text");
    WriteFile(longName + ".lvl", "old long");
    cSaveLevelDialog save(*gui, host, *fileSystem);
    save.Refresh();
    Show(save);
    ASSERT_EQ(save.GetList().GetNames(), (std::vector<std::string>{"Mine.LVL", longName + ".lvl"}));
    for (const std::string& file : save.GetList().GetNames())
    {
        save.GetList().SetSelected(file == "Mine.LVL" ? 0 : 1);
        save.OnLevelSelected(file, &save.GetList());
        EXPECT_EQ(save.GetNameField().GetText(), UserLevelFiles::NameOf(file));
        save.RequestSave();
        ASSERT_TRUE(save.IsAskingOverwrite()) << file;
        save.OnPopupYes(&save.GetOverwritePopup());
        EXPECT_EQ(save.GetMessage(), "") << file;
        cLevel written;
        written.Load(*fileSystem, UserLevelPath(file));
        EXPECT_EQ(written, host.level) << file;
        EXPECT_EQ(host.levelFile, file);
    }
    // No second file beside either.
    EXPECT_EQ(ListUserLevelFiles(*fileSystem).size(), 2u);
    Hide(save);
}

TEST_F(LevelFileDialogTest, SaveProposesTheFileTheLevelWasLoadedFrom)
{
    std::string error;
    ASSERT_TRUE(UserLevelFiles::Save(*fileSystem, "First", SampleLevel(), error)) << error;
    ASSERT_TRUE(UserLevelFiles::Save(*fileSystem, "Second", SampleLevel(), error)) << error;
    cSaveLevelDialog save(*gui, host, *fileSystem);
    save.Refresh();
    save.GetNameField().SetText("First");
    ASSERT_TRUE(save.Save("First"));

    cLoadLevelDialog load(*gui, host, *fileSystem);
    load.Refresh();
    ASSERT_TRUE(load.Load("Second.lvl"));
    save.Refresh();
    EXPECT_EQ(save.GetNameField().GetText(), "Second");
    EXPECT_EQ(save.GetList().GetSelectedName(), "Second.lvl");
}
