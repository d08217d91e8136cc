// Feeds arbitrary bytes to the campaign reader (through the data tree
// reader): a file is rejected with "Error in campaign file." or gives a
// level list whose every entry can be read.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileInputMemory.h"
#include "game/Game/Campaign.h"

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
    Korva::cFileInputMemory in("Zeltra.cmp", data, size, true);
    Korva::cDataTree tree;
    tree.Read(in);
    cCampaign campaign;
    try
    {
        campaign.ReadTree(tree);
    }
    catch (const Korva::cException& e)
    {
        if (e.GetMessage() != "Error in campaign file.")
            std::abort();
        return 0;
    }
    size_t characters = campaign.GetIconSpriteAlias().size();
    for (int32_t i = 0; i < campaign.GetLevelCount(); ++i)
        characters += campaign.GetLevelAlias(i).size();
    if (characters > size)
        std::abort(); // nothing is made up
    return 0;
}
