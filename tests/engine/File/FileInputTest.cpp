#include "engine/File/FileInputFile.h"
#include "engine/File/FileInputMemory.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileOutputMemory.h"
#include "engine/File/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Korva;

namespace
{
// Both stream variants must behave the same; each test runs on both.
class FileInputTest : public ::testing::TestWithParam<bool>
{
protected:
    std::unique_ptr<cFileInput> Make(const std::string& bytes, bool text = false)
    {
        if (!GetParam())
            return std::make_unique<cFileInputMemory>("mem", bytes.data(), bytes.size(), text);
        m_folder.WriteFile("data.bin", bytes);
        std::FILE* file = std::fopen((m_folder.Path() + "/data.bin").c_str(), "rb");
        return std::make_unique<cFileInputFile>("file", file, text);
    }

    cTempFolder m_folder;
};

TEST_P(FileInputTest, TypedReadsAreLittleEndianUnlessSwitched)
{
    auto in = Make(std::string("\x01\x02\x03\x04\x05\x06\x00\x00\x80\x3f", 10));
    EXPECT_EQ(in->PeekU16(), 0x0201);
    EXPECT_EQ(in->Tell(), 0u);
    EXPECT_EQ(in->ReadU16(), 0x0201);
    in->SetByteOrder(true);
    EXPECT_EQ(in->ReadU32(), 0x03040506u);
    in->SetByteOrder(false);
    EXPECT_FLOAT_EQ(in->ReadFloat(), 1.0f);
    EXPECT_EQ(in->Tell(), 10u);
}

TEST_P(FileInputTest, ShortTypedReadRaisesAndKeepsPosition)
{
    auto in = Make("abcdefg");
    in->Seek(4);
    try
    {
        in->ReadU32();
        FAIL() << "no exception";
    }
    catch (const cExceptionEndOfFile& e)
    {
        EXPECT_EQ(e.GetMessage(), "Unexpected end of file '" + in->GetName() + "'.");
    }
    EXPECT_EQ(in->Tell(), 4u);
    char buffer[10];
    EXPECT_EQ(in->Read(buffer, 10), 3u);
    EXPECT_EQ(std::string(buffer, 3), "efg");
    EXPECT_EQ(in->Read(buffer, 10), 0u);
    EXPECT_TRUE(in->IsEOF());
    EXPECT_THROW(in->ReadU8(), cExceptionEndOfFile);
}

TEST_P(FileInputTest, SeeksClampToTheStream)
{
    auto in = Make("0123456789");
    in->Seek(-5);
    EXPECT_EQ(in->Tell(), 0u);
    in->Seek(4);
    in->SeekRelative(100);
    EXPECT_EQ(in->Tell(), 10u);
    in->SeekRelative(-3);
    EXPECT_EQ(in->ReadU8(), '7');
    in->SeekFromEnd(-2);
    EXPECT_EQ(in->ReadU8(), '8');
    in->SeekFromEnd(5);
    EXPECT_EQ(in->Tell(), 10u);
    in->SeekFromEnd(-50);
    EXPECT_EQ(in->Tell(), 0u);
}

TEST_P(FileInputTest, ReadLineConsumesTheLineFeed)
{
    auto in = Make("one\ntwo\n\nlast");
    std::string line;
    in->ReadLine(line, false);
    EXPECT_EQ(line, "one");
    in->ReadLine(line, true); // appends
    EXPECT_EQ(line, "onetwo\n");
    line.clear();
    in->ReadLine(line, false);
    EXPECT_EQ(line, "");
    in->ReadLine(line, true);
    EXPECT_EQ(line, "last");
    line.clear();
    in->ReadLine(line, true);
    EXPECT_EQ(line, "");
}

TEST_P(FileInputTest, TextModeDropsCarriageReturns)
{
    auto in = Make("A\r\nB\r\r\nC", true);
    if (!GetParam())
    {
        EXPECT_EQ(in->Size(), 5u);
    }
    char buffer[8];
    ASSERT_EQ(in->Read(buffer, 8), 5u);
    EXPECT_EQ(std::string(buffer, 5), "A\nB\nC");

    auto binary = Make("A\r\nB", false);
    EXPECT_EQ(binary->Size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Variants, FileInputTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "File" : "Memory"; });

TEST(FileInputMemory, FourByteTextExample)
{
    cFileInputMemory in("m", "A\r\nB", 4, true);
    EXPECT_EQ(in.Size(), 3u);
    EXPECT_EQ(in.ReadU8(), 'A');
    EXPECT_EQ(in.ReadU8(), '\n');
    EXPECT_EQ(in.ReadU8(), 'B');
}

TEST(FileOutput, TypedWritesAreLittleEndian)
{
    cFileOutputMemory out;
    out.WriteU8(1);
    out.WriteU16(0x0302);
    out.WriteU32(0x07060504);
    out.WriteFloat(1.0f);
    out.WriteString("ab");
    EXPECT_EQ(out.GetText(), std::string("\x01\x02\x03\x04\x05\x06\x07\x00\x00\x80\x3f"
                                         "ab",
                                         13));
}
} // namespace
