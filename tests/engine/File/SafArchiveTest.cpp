#include "engine/File/FileSAF.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/File/SafWriter.h"
#include "engine/File/TempFolder.h"

#include <gtest/gtest.h>

using namespace Korva;

namespace
{
std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string ReadAll(cFileInput& in)
{
    std::string text(in.Size(), '\0');
    text.resize(in.Read(text.data(), text.size()));
    return text;
}

class SafArchiveTest : public ::testing::Test
{
protected:
    void WriteArchive(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        m_folder.WriteFile(name, std::string(bytes.begin(), bytes.end()));
    }

    cTempFolder m_folder;
    cFileSystemPOSIX m_fs{m_folder.Path()};
};

TEST_F(SafArchiveTest, ReadsWhatTheWriterPacked)
{
    m_folder.WriteFile("packed/readme.txt", "top\r\nlevel");
    m_folder.WriteFile("packed/Images/Tiles/hex.png", std::string("\x89PNG\0\1", 6));
    m_folder.WriteFile("packed/Images/empty.bin", "");
    cSafWriter writer;
    EXPECT_EQ(writer.AddFolderFromDisk(m_folder.Path() + "/packed"), 3u);
    WriteArchive("data.saf", writer.Build());

    const cFileSAF archive("data.saf", m_folder.Path() + "/data.saf");
    ASSERT_EQ(archive.GetRoot().children.size(), 2u);
    EXPECT_NE(archive.Find("Images/Tiles/hex.png"), nullptr);
    EXPECT_EQ(archive.Find("Images/Tiles"), nullptr); // a folder is not a file
    EXPECT_EQ(archive.Find("images/tiles/hex.png"), nullptr);
    EXPECT_EQ(archive.Find("/readme.txt"), nullptr);
    EXPECT_EQ(archive.Find("Images/Tiles/hex.png/x"), nullptr);

    auto png = archive.Open("Images/Tiles/hex.png", false);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->GetName(), "Images/Tiles/hex.png");
    EXPECT_EQ(ReadAll(*png), std::string("\x89PNG\0\1", 6));
    EXPECT_EQ(ReadAll(*archive.Open("Images/empty.bin", false)), "");
    EXPECT_EQ(ReadAll(*archive.Open("readme.txt", true)), "top\nlevel");
}

TEST_F(SafArchiveTest, DiskFilesWinOverMountedArchives)
{
    cSafWriter writer;
    writer.AddFile("both.txt", Bytes("archive"));
    writer.AddFile("Levels/only.txt", Bytes("from archive"));
    WriteArchive("a.saf", writer.Build());
    m_folder.WriteFile("both.txt", "disk");

    m_fs.AddArchive("a.saf");
    EXPECT_EQ(m_fs.GetArchiveCount(), 1u);
    EXPECT_EQ(ReadAll(*m_fs.OpenInput("both.txt", false, false)), "disk");
    cFileInput* only = m_fs.OpenInput("Levels/only.txt", true, false);
    EXPECT_NE(dynamic_cast<cFileInputMemory*>(only), nullptr);
    EXPECT_EQ(ReadAll(*only), "from archive");

    m_fs.RemoveArchive("a.saf");
    EXPECT_EQ(m_fs.GetArchiveCount(), 0u);
    EXPECT_THROW(m_fs.OpenInput("Levels/only.txt", true, false), cExceptionOpeningFile);
}

TEST_F(SafArchiveTest, WriterRejectsConflictingPaths)
{
    cSafWriter writer;
    writer.AddFile("a/b", Bytes("x"));
    EXPECT_THROW(writer.AddFile("a", Bytes("y")), cException);
    EXPECT_THROW(writer.AddFile("a/b/c", Bytes("y")), cException);
    EXPECT_THROW(writer.AddFile("a//c", Bytes("y")), cException);
}

// Damaged archives: each must be rejected with the archive's name, without
// reading out of bounds (the sanitizer build checks that) or hanging.
class BadSafTest : public SafArchiveTest
{
protected:
    void ExpectRejected(const std::vector<uint8_t>& bytes)
    {
        WriteArchive("bad.saf", bytes);
        try
        {
            m_fs.AddArchive("bad.saf");
            ADD_FAILURE() << "accepted";
        }
        catch (const cExceptionBadSAFFile& e)
        {
            EXPECT_EQ(e.GetMessage(), "Corrupt SAF file: 'bad.saf'.");
        }
        EXPECT_EQ(m_fs.GetArchiveCount(), 0u);
    }

    static void Put32(std::vector<uint8_t>& out, uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<uint8_t>(value >> shift));
    }
    static void Entry(std::vector<uint8_t>& out, bool folder, const std::string& name,
                      uint32_t offset, uint32_t size)
    {
        out.push_back(folder ? 1 : 0);
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(0);
        Put32(out, offset);
        Put32(out, size);
    }
    static std::vector<uint8_t> Header(uint32_t offset, uint32_t size)
    {
        std::vector<uint8_t> out{'S', 'A', 'F', '1'};
        Put32(out, offset);
        Put32(out, size);
        return out;
    }
};

TEST_F(BadSafTest, WrongMagicAndEveryTruncation)
{
    cSafWriter writer;
    writer.AddFile("dir/file.txt", Bytes("contents"));
    std::vector<uint8_t> good = writer.Build();
    std::vector<uint8_t> wrong = good;
    wrong[3] = '2';
    ExpectRejected(wrong);
    for (size_t length = 0; length < good.size(); ++length)
        ExpectRejected(std::vector<uint8_t>(good.begin(), good.begin() + length));
}

TEST_F(BadSafTest, EntriesPointingOutsideTheFile)
{
    // Root block past the end.
    ExpectRejected(Header(12, 100));
    ExpectRejected(Header(0xFFFFFFF0u, 0x20));
    // A file whose data runs past the end.
    auto bytes = Header(12, 15);
    Entry(bytes, false, "abcde", 0, 1000);
    ExpectRejected(bytes);
    // A name without its terminating zero inside the block.
    bytes = Header(12, 6);
    bytes.insert(bytes.end(), {0, 'n', 'a', 'm', 'e', '!'});
    ExpectRejected(bytes);
    // A block size that ends in the middle of an entry.
    bytes = Header(12, 12);
    Entry(bytes, false, "abc", 12, 0);
    ExpectRejected(bytes);
}

TEST_F(BadSafTest, FolderBlocksThatRecurseOrMultiply)
{
    // A folder whose block is its own parent block.
    auto bytes = Header(12, 11);
    Entry(bytes, true, "a", 12, 11);
    ExpectRejected(bytes);
    // Two folders sharing one block that holds both again: doubling per level
    // would never end without the bound on entries.
    bytes = Header(12, 22);
    Entry(bytes, true, "a", 12, 22);
    Entry(bytes, true, "b", 12, 22);
    ExpectRejected(bytes);
}
} // namespace
