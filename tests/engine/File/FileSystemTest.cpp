#include "engine/File/POSIX/FileSystemPOSIX.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/AtomicFileWriter.h"
#include "engine/File/FileInputFile.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace Korva;

namespace
{
bool LogContains(const std::string& text)
{
    for (const auto& line : cLog::Get().GetHistory())
    {
        if (line == text)
            return true;
    }
    return false;
}

TEST(FileSystem, TranslatesPathsAgainstTheRoot)
{
    cFileSystemPOSIX data("C:/Data");
    EXPECT_EQ(data.TranslatePath("/a/b.txt"), "C:/Data/a/b.txt");
    EXPECT_EQ(data.TranslatePath("a/b.txt"), "C:/Data/a/b.txt");
    cFileSystemPOSIX bare("");
    EXPECT_EQ(bare.TranslatePath("a/b.txt"), "a/b.txt");
    EXPECT_EQ(bare.TranslatePath("/a/b.txt"), "/a/b.txt");
    EXPECT_TRUE(LogContains("Root directory: C:/Data\n"));
}

class FileSystemTest : public ::testing::Test
{
protected:
    cTempFolder m_folder;
    cFileSystemPOSIX m_fs{m_folder.Path()};
};

TEST_F(FileSystemTest, OpensStreamsUnderTheRootAndOwnsThem)
{
    cFileOutput* out = m_fs.OpenOutput("note.txt", true, false);
    out->WriteString("line\n");
    m_fs.Close(out);
    out = m_fs.OpenOutput("/note.txt", true, true);
    out->WriteString("more\n");
    m_fs.Close(out);
    EXPECT_EQ(m_folder.ReadFile("note.txt"), "line\nmore\n");

    cFileInput* onDisk = m_fs.OpenInput("note.txt", false, false);
    cFileInput* inMemory = m_fs.OpenInput("note.txt", false, true);
    EXPECT_NE(dynamic_cast<cFileInputFile*>(onDisk), nullptr);
    EXPECT_NE(dynamic_cast<cFileInputMemory*>(inMemory), nullptr);
    EXPECT_EQ(inMemory->Size(), 10u);
    EXPECT_EQ(onDisk->Size(), 10u);
    EXPECT_EQ(m_fs.GetOpenStreamCount(), 2u);
    m_fs.Close(onDisk);
    EXPECT_EQ(m_fs.GetOpenStreamCount(), 1u);

    // Text streams report the size a reader gets, carriage returns dropped.
    m_folder.WriteFile("dos.txt", "a\r\nb\r\n");
    cFileInput* text = m_fs.OpenInput("dos.txt", true, false);
    EXPECT_EQ(text->Size(), 4u);
    std::string line;
    text->ReadLine(line, true);
    EXPECT_EQ(line, "a\n");
    // Streams still open go with the file system.
}

TEST_F(FileSystemTest, OpenFailuresRaiseWithThePath)
{
    const std::string missing = m_folder.Path() + "/missing.txt";
    try
    {
        m_fs.OpenInput("missing.txt", true, false);
        FAIL();
    }
    catch (const cExceptionOpeningFile& e)
    {
        EXPECT_EQ(e.GetMessage(), "Error opening file: '" + missing + "'.");
    }
    // A folder is not a file that can be read.
    std::filesystem::create_directory(m_folder.Path() + "/folder");
    EXPECT_THROW(m_fs.OpenInput("folder", false, true), cExceptionOpeningFile);
    try
    {
        m_fs.OpenOutput("no/such/folder.txt", true, false);
        FAIL();
    }
    catch (const cExceptionCreatingFile& e)
    {
        EXPECT_EQ(e.GetMessage(),
                  "Error creating file: '" + m_folder.Path() + "/no/such/folder.txt'.");
    }
    EXPECT_EQ(m_fs.GetOpenStreamCount(), 0u);
}

TEST_F(FileSystemTest, CreatesFoldersAlongThePath)
{
    EXPECT_TRUE(m_fs.CreateFolder("/Quillbee Studios/Zeltra/UserLevels"));
    EXPECT_TRUE(m_fs.IsFolder("Quillbee Studios/Zeltra/UserLevels"));
    EXPECT_TRUE(LogContains("Creating folder:/Quillbee Studios/Zeltra/UserLevels\n"));
    EXPECT_TRUE(m_fs.CreateFolder("Quillbee Studios/Zeltra")); // already there
    EXPECT_TRUE(m_fs.CreateFolder("trailing/"));
    EXPECT_TRUE(m_fs.IsFolder("trailing"));

    m_folder.WriteFile("file", "x");
    EXPECT_TRUE(m_fs.Exists("file"));
    EXPECT_TRUE(m_fs.IsFile("file"));
    EXPECT_FALSE(m_fs.IsFolder("file"));
    EXPECT_FALSE(m_fs.Exists("nothing"));
    EXPECT_FALSE(m_fs.CreateFolder("file/sub"));
    EXPECT_FALSE(m_fs.CreateFolder("file")) << "a file where the folder belongs";
}

TEST_F(FileSystemTest, ScansFoldersWithPatterns)
{
    auto scanner = m_fs.CreateDirectoryScanner();
    m_fs.CreateFolder("empty");
    scanner->Scan("empty/");
    ASSERT_EQ(scanner->GetCount(), 2);
    EXPECT_EQ(scanner->GetName(0), ".");
    EXPECT_EQ(scanner->GetName(1), "..");
    EXPECT_TRUE(scanner->IsFolder(0));
    EXPECT_TRUE(scanner->IsFolder(1));

    m_folder.WriteFile("levels/b.lev", "");
    m_folder.WriteFile("levels/a.LEV", "");
    m_folder.WriteFile("levels/readme", "");
    m_fs.CreateFolder("levels/sub");
    scanner->Scan("levels", "*.lev");
    ASSERT_EQ(scanner->GetCount(), 2);
    EXPECT_EQ(scanner->GetName(0), "a.LEV");
    EXPECT_EQ(scanner->GetName(1), "b.lev");
    EXPECT_FALSE(scanner->IsFolder(0));

    scanner->Scan("levels"); // "*.*" lists names without a dot too
    ASSERT_EQ(scanner->GetCount(), 6);
    EXPECT_EQ(scanner->GetName(4), "readme");
    EXPECT_TRUE(scanner->IsFolder(5));

    scanner->Scan("missing");
    EXPECT_EQ(scanner->GetCount(), 0);
    try
    {
        scanner->GetName(0);
        FAIL();
    }
    catch (const cException& e)
    {
        EXPECT_EQ(e.GetMessage(), "Invalid entry.");
    }
    EXPECT_THROW(scanner->IsFolder(-1), cException);
}

TEST_F(FileSystemTest, AtomicWritesReplaceOnlyOnCommit)
{
    m_folder.WriteFile("options.txt", "old");
    {
        cAtomicFileWriter writer(m_fs, "options.txt");
        writer.Output().WriteString("half");
        // Abandoned without a commit, as when saving throws.
    }
    EXPECT_EQ(m_folder.ReadFile("options.txt"), "old");
    {
        cAtomicFileWriter writer(m_fs, "options.txt");
        writer.Output().WriteString("new");
        EXPECT_EQ(m_folder.ReadFile("options.txt"), "old");
        writer.Commit();
    }
    EXPECT_EQ(m_folder.ReadFile("options.txt"), "new");
    // No temporary file is left behind either way.
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
    EXPECT_EQ(m_fs.GetOpenStreamCount(), 0u);

    EXPECT_THROW(cAtomicFileWriter(m_fs, "no/folder/file.txt"), cExceptionCreatingFile);
}

void Save(cFileSystem& fileSystem, const std::string& path, const std::string& text)
{
    cAtomicFileWriter writer(fileSystem, path);
    writer.Output().WriteString(text);
    writer.Commit();
}

size_t EntryCount(const std::filesystem::path& folder)
{
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++entries;
    return entries;
}

TEST_F(FileSystemTest, AtomicWritesThroughSymbolicLinksReplaceTheTarget)
{
    namespace fs = std::filesystem;
    const fs::path root = m_folder.Path();
    // A dotfile set-up: the game's file is a link into another folder, here
    // through a second link and a relative target.
    m_folder.WriteFile("dotfiles/Zeltra.cfg", "old");
    fs::create_directories(root / "game");
    fs::create_symlink("../dotfiles/Zeltra.cfg", root / "dotfiles" / "current.cfg");
    fs::create_symlink(root / "dotfiles" / "current.cfg", root / "game" / "Zeltra.cfg");
    Save(m_fs, "game/Zeltra.cfg", "new");
    EXPECT_TRUE(fs::is_symlink(root / "game" / "Zeltra.cfg"));
    EXPECT_TRUE(fs::is_symlink(root / "dotfiles" / "current.cfg"));
    EXPECT_EQ(m_folder.ReadFile("dotfiles/Zeltra.cfg"), "new");
    EXPECT_EQ(EntryCount(root / "game"), 1u);
    EXPECT_EQ(EntryCount(root / "dotfiles"), 2u);

    // A link to a file that does not exist yet makes that file.
    fs::create_symlink("../dotfiles/Progress.dat", root / "game" / "Progress.dat");
    Save(m_fs, "game/Progress.dat", "first");
    EXPECT_TRUE(fs::is_symlink(root / "game" / "Progress.dat"));
    EXPECT_EQ(m_folder.ReadFile("dotfiles/Progress.dat"), "first");

    // A loop of links is no file: the save fails and changes nothing.
    fs::create_symlink("b", root / "game" / "a");
    fs::create_symlink("a", root / "game" / "b");
    EXPECT_THROW(Save(m_fs, "game/a", "x"), cException);
    EXPECT_TRUE(fs::is_symlink(root / "game" / "a"));
    EXPECT_EQ(EntryCount(root / "game"), 4u);
}

TEST_F(FileSystemTest, SavedFilesKeepTheirPermissionsAndNewOnesFollowTheUmask)
{
    namespace fs = std::filesystem;
    const mode_t old = ::umask(027);
    Save(m_fs, "new.txt", "a");
    m_folder.WriteFile("private.txt", "b");
    fs::permissions(fs::path(m_folder.Path()) / "private.txt",
                    fs::perms::owner_read | fs::perms::owner_write);
    Save(m_fs, "private.txt", "c");
    ::umask(old);
    EXPECT_EQ(fs::status(fs::path(m_folder.Path()) / "new.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(fs::status(fs::path(m_folder.Path()) / "private.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(m_folder.ReadFile("private.txt"), "c");
}

TEST_F(FileSystemTest, TemporaryFilesOfInterruptedSavesAreRemoved)
{
    for (const char* name :
         {"Zeltra.cfg.tmp-a1B2c3", "CompletedLevels.dat.tmp-XyZ098", "Zeltra.cfg", "notes.tmp-1",
          "x.tmp-abcdefg", ".tmp-abcdef", "y.tmp-ab.def"})
        m_folder.WriteFile(std::string("saves/") + name, "");
    m_fs.CreateFolder("saves/folder.tmp-abcdef");
    EXPECT_EQ(m_fs.RemoveInterruptedSaves("saves"), 2);
    auto scanner = m_fs.CreateDirectoryScanner();
    scanner->Scan("saves");
    std::vector<std::string> left;
    for (int i = 0; i < scanner->GetCount(); ++i)
        left.push_back(scanner->GetName(i));
    EXPECT_EQ(left,
              (std::vector<std::string>{".", "..", ".tmp-abcdef", "Zeltra.cfg", "folder.tmp-abcdef",
                                        "notes.tmp-1", "x.tmp-abcdefg", "y.tmp-ab.def"}));
    EXPECT_TRUE(LogContains("Removed the temporary file of an interrupted save: '" +
                            m_folder.Path() + "/saves/Zeltra.cfg.tmp-a1B2c3'.\n"));
    EXPECT_EQ(m_fs.RemoveInterruptedSaves("missing"), 0);
}
} // namespace
