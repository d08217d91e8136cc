// Feeds arbitrary bytes to the level reader. A level it accepts is written
// and read back (it must come back the same) and played for a moment: the
// rules must not crash, hang or read out of bounds on any accepted level.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/FileOutputMemory.h"
#include "game/Game/Puzzle.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Keep the in-memory log from growing over millions of runs.
    Korva::cLog::Get().SetMaxLevel(-1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Korva::cFileInputMemory in("fuzz", data, size, true);
    cLevel level;
    try
    {
        level.Read(in);
    }
    catch (const Korva::cException&)
    {
        return 0;
    }
    // Large boards are valid but slow to play; the reader is what is fuzzed.
    if (level.GetWidth() * level.GetHeight() > 400)
        return 0;

    Korva::cFileOutputMemory out;
    level.Write(out);
    Korva::cFileInputMemory again("again", out.GetData().data(), out.GetData().size(), true);
    cLevel back;
    back.Read(again);
    if (!(back == level))
        std::abort();

    cPuzzle puzzle({}, 1);
    puzzle.SetLevel(level);
    puzzle.StartLevel();
    puzzle.RunStartMatches();
    puzzle.RunToRest(1.0f / 30.0f, 300);
    for (int i = 0; i < 4 && puzzle.IsSettled(); ++i)
    {
        puzzle.PutPiece(i % level.GetWidth(), i % level.GetHeight());
        puzzle.UseItemInSlot(i, level.GetWidth() / 2, level.GetHeight() / 2);
        puzzle.RunToRest(1.0f / 30.0f, 300);
    }
    return 0;
}
