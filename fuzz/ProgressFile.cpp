// Feeds arbitrary bytes to the progress file reader (through the data tree
// reader). A file is either rejected or gives a list that, saved again,
// validates and reads back the same; the validation text of any tree is
// made without recursion, however deep.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/FileOutputMemory.h"
#include "game/Progress.h"

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
    Korva::cFileInputMemory in("CompletedLevels.dat", data, size, true);
    Korva::cDataTree tree;
    tree.Read(in);
    ValidationValue(&tree.GetRoot());
    cProgress progress;
    try
    {
        progress.LoadTree(tree);
    }
    catch (const Korva::cException&)
    {
        return 0;
    }

    Korva::cDataTree written;
    progress.BuildTree(written);
    Korva::cFileOutputMemory out;
    written.Write(out);
    Korva::cFileInputMemory again("again", out.GetData().data(), out.GetData().size(), true);
    Korva::cDataTree reread;
    reread.Read(again);
    cProgress back;
    try
    {
        back.LoadTree(reread);
    }
    catch (const Korva::cException&)
    {
        std::abort(); // what the game writes, it reads
    }
    if (back.GetCompletedLevels() != progress.GetCompletedLevels())
        std::abort();
    return 0;
}
