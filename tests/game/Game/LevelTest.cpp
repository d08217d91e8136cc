#include "PuzzleTestUtil.h"

#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/FileOutputMemory.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace PuzzleTest;

namespace
{
// The example of the file format, as the data tree writer writes it.
const char* const kSmallLevel = "Level=\n{\n\tName=\"\"\n\tDescription=\"\"\n\tWidth=\"2\"\n"
                                "\tHeight=\"2\"\n\tAdjustIndexX=\"False\"\n\tCells=\"1 1 1 1\"\n"
                                "\tBricks=\"0 0 0 11\"\n\tPieces=\n\t{\n\t\tPiece=\n\t\t{\n"
                                "\t\t\tBrick0=\"11\"\n\t\t\tBrick1=\"0\"\n\t\t\tBrick2=\"0\"\n"
                                "\t\t\tBrick3=\"0\"\n\t\t\tBrick4=\"0\"\n\t\t\tBrick5=\"0\"\n"
                                "\t\t\tBrick6=\"0\"\n\t\t}\n\t}\n\tInventory=\n\t{\n"
                                "\t\tItem0=\"0\"\n\t\tItem1=\"0\"\n\t\tItem2=\"0\"\n"
                                "\t\tItem3=\"0\"\n\t\tItem4=\"0\"\n\t\tItem5=\"0\"\n"
                                "\t\tItem6=\"0\"\n\t\tItem7=\"0\"\n\t\tItem8=\"0\"\n"
                                "\t\tItem9=\"0\"\n\t}\n}\n";

cLevel Parse(const std::string& text)
{
    Korva::cFileInputMemory input("level", text.data(), text.size(), true);
    cLevel level;
    level.Read(input);
    return level;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

void ExpectRejected(const std::string& text, const std::string& why)
{
    cLevel level = PlainLevel(3, 3);
    level.SetName("old");
    Korva::cFileInputMemory input("level", text.data(), text.size(), true);
    try
    {
        level.Read(input);
        ADD_FAILURE() << "accepted: " << why;
    }
    catch (const Korva::cException& e)
    {
        EXPECT_EQ(e.GetMessage(), "Error in level file.") << why;
        EXPECT_EQ(e.GetSourceFile(), "Level.cpp") << why;
    }
    EXPECT_EQ(level.GetWidth(), 0) << why;
    EXPECT_EQ(level.GetName(), "") << why;
}
} // namespace

TEST(LevelFile, ReadsTheShippedFormat)
{
    const cLevel level = Parse(kSmallLevel);
    EXPECT_EQ(level.GetWidth(), 2);
    EXPECT_EQ(level.GetHeight(), 2);
    EXPECT_FALSE(level.GetAdjustIndexX());
    EXPECT_EQ(level.GetCell(1, 1), kCellPlain);
    EXPECT_EQ(level.GetBrick(1, 1), 11);
    EXPECT_EQ(level.GetBrick(0, 1), 0);
    ASSERT_EQ(level.GetPieceCount(), 1);
    EXPECT_EQ(level.GetPiece(0), (tPiece{11, 0, 0, 0, 0, 0, 0}));
    // Written back, it is the same text.
    Korva::cFileOutputMemory output;
    level.Write(output);
    EXPECT_EQ(output.GetText(), kSmallLevel);
}

TEST(LevelFile, WrittenAndReadBackIsIdentical)
{
    cLevel level = PlainLevel(4, 3, true);
    level.SetName("Ice \"age\"\nsecond line");
    level.SetDescription("Slide, then\nswap.");
    level.SetCell(2, 1, kCellBroken);
    level.SetBrick(3, 2, 104);
    level.SetPieceCount(3);
    level.SetPiece(2, tPiece{101, 1, 2, 3, 4, 5, 99});
    level.SetItem(0, 211);
    level.SetItem(9, 100);
    EXPECT_EQ(level.GetName(), "Ice age\nsecond line");
    Korva::cFileOutputMemory output;
    level.Write(output);
    const cLevel back = Parse(output.GetText());
    EXPECT_TRUE(back == level);
    EXPECT_EQ(back.GetItem(9), 100);
    EXPECT_TRUE(back.GetAdjustIndexX());
}

TEST(LevelFile, NumberListsAreLenient)
{
    for (const char* cells : {"1,1,1,1", "1 1 1 1", "1;1 ;1x1", "-1 1 1 1 1 1 1"})
    {
        const cLevel level =
            Parse(Replace(kSmallLevel, "\"1 1 1 1\"", std::string("\"") + cells + "\""));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(level.GetCell(i % 2, i / 2), kCellPlain) << cells;
    }
    // Too few numbers leave holes; a 16-digit run is split after 15 digits.
    const cLevel shortList = Parse(Replace(kSmallLevel, "\"1 1 1 1\"", "\"9\""));
    EXPECT_EQ(shortList.GetCell(0, 0), kCellIce);
    EXPECT_EQ(shortList.GetCell(1, 1), kCellHole);
    const cLevel longRun = Parse(Replace(kSmallLevel, "\"1 1 1 1\"", "\"0000000000000012\""));
    EXPECT_EQ(longRun.GetCell(0, 0), 1); // fifteen digits: 1
    EXPECT_EQ(longRun.GetCell(1, 0), 2);
    // Booleans are exactly "True"; garbage in integers reads as atoi does.
    const cLevel lower = Parse(Replace(kSmallLevel, "\"False\"", "\"true\""));
    EXPECT_FALSE(lower.GetAdjustIndexX());
    const cLevel noPieces = Parse(Replace(kSmallLevel, "\t\tPiece=\n\t\t{\n\t\t\tBrick0=\"11\"",
                                          "\t\tPiece=\n\t\t{\n\t\t\tBrick0=\"x\""));
    EXPECT_EQ(noPieces.GetPiece(0)[0], 0);
}

TEST(LevelFile, DamagedFilesAreRejectedWithoutLeavingOldContent)
{
    ExpectRejected("", "empty file");
    ExpectRejected(Replace(kSmallLevel, "\t\tItem9=\"0\"\n", ""), "no Item9");
    ExpectRejected(Replace(kSmallLevel, "\t\t\tBrick6=\"0\"\n", ""), "no Brick6");
    ExpectRejected(Replace(kSmallLevel, "\tBricks=\"0 0 0 11\"\n", ""), "no Bricks");
    ExpectRejected(Replace(kSmallLevel, "Pieces=", "Piecez="), "no Pieces");
    ExpectRejected(Replace(kSmallLevel, "Inventory=", "Inventori="), "no Inventory");
    ExpectRejected(Replace(kSmallLevel, "Width=\"2\"", "Width=\"0\""), "width 0");
    ExpectRejected(Replace(kSmallLevel, "Height=\"2\"", "Height=\"2147483647\""), "huge");
    ExpectRejected(Replace(kSmallLevel, "Width=\"2\"", "Width=\"-65536\""), "negative");
}

// The file stores bytes and integers; what the rules make of a value they
// have no meaning for is their business, not the reader's.
std::string OutOfRangeLevel()
{
    std::string text = Replace(kSmallLevel, "\"1 1 1 1\"", "\"300 13 255 1\"");
    text = Replace(text, "\"0 0 0 11\"", "\"105 200 -1 300\"");
    text = Replace(text, "Brick0=\"11\"", "Brick0=\"200\"");
    text = Replace(text, "Brick1=\"0\"", "Brick1=\"-1\"");
    text = Replace(text, "Brick2=\"0\"", "Brick2=\"105\"");
    text = Replace(text, "Item3=\"0\"", "Item3=\"212\"");
    text = Replace(text, "Item4=\"0\"", "Item4=\"-7\"");
    return Replace(text, "Item5=\"0\"", "Item5=\"3000000\"");
}

TEST(LevelFile, ValuesOutsideTheRulesAreKeptAsTheFileHasThem)
{
    const cLevel level = Parse(OutOfRangeLevel());
    // Cells and bricks keep their low 8 bits; a minus sign only separates.
    EXPECT_EQ(level.GetCell(0, 0), 44);
    EXPECT_EQ(level.GetCell(1, 0), 13);
    EXPECT_EQ(level.GetCell(0, 1), 255);
    EXPECT_EQ(level.GetBrick(0, 0), 105);
    EXPECT_EQ(level.GetBrick(1, 0), 200);
    EXPECT_EQ(level.GetBrick(0, 1), 1);
    EXPECT_EQ(level.GetBrick(1, 1), 44);
    // Piece bricks are the low 8 bits of the integer, so -1 is 255.
    EXPECT_EQ(level.GetPiece(0)[0], 200);
    EXPECT_EQ(level.GetPiece(0)[1], 255);
    EXPECT_EQ(level.GetPiece(0)[2], 105);
    // Items are the integers themselves.
    EXPECT_EQ(level.GetItem(3), 212);
    EXPECT_EQ(level.GetItem(4), -7);
    EXPECT_EQ(level.GetItem(5), 3000000);

    Korva::cFileOutputMemory out;
    level.Write(out);
    const std::string written(out.GetData().begin(), out.GetData().end());
    EXPECT_EQ(Parse(written), level);

    // A board sees the bytes as signed brick codes: cells above 12 are no
    // cells, bricks above 127 are negative. An item the rules do not know is
    // used up doing nothing.
    cBoard board(level);
    EXPECT_EQ(board.GetCellClass(1, 0), kClassNone);
    EXPECT_EQ(board.GetBrickCode(1, 0), 200 - 256);
    cPuzzle puzzle({}, 1);
    puzzle.SetLevel(level);
    puzzle.StartLevel();
    puzzle.RunStartMatches();
    EXPECT_TRUE(puzzle.RunToRest());
    for (int slot : {3, 4, 5})
    {
        EXPECT_TRUE(puzzle.UseItemInSlot(slot, slot % 2, 0)) << slot;
        EXPECT_TRUE(puzzle.RunToRest());
        EXPECT_EQ(puzzle.GetItemPanel().GetSlot(slot), 0);
    }
    EXPECT_EQ(puzzle.GetBoard().GetBrickCode(1, 0), 200 - 256);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            puzzle.PutPiece(x, y);
    EXPECT_TRUE(puzzle.RunToRest());
}

TEST(LevelFile, LoadAndSaveThroughAFileSystem)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zeltra-level-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    Korva::cFileSystemPOSIX fileSystem(folder.string());
    cLevel level = PlainLevel(3, 2);
    level.SetName("saved");
    level.Save(fileSystem, "/My.lev");
    cLevel loaded;
    loaded.Load(fileSystem, "/My.lev");
    EXPECT_TRUE(loaded == level);
    EXPECT_EQ(fileSystem.GetOpenStreamCount(), 0u);
    EXPECT_THROW(loaded.Load(fileSystem, "/Missing.lev"), Korva::cExceptionOpeningFile);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}
