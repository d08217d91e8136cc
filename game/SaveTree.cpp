#include "game/SaveTree.h"

#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"

using namespace Korva;

void SaveTree(const cDataTree& tree, cFileSystem& fileSystem, const std::string& path)
{
    cFileOutput* output = fileSystem.OpenOutputAtomic(path, true);
    try
    {
        tree.Write(*output);
    }
    catch (...)
    {
        // Closing without a commit throws the temporary file away.
        fileSystem.Close(output);
        throw;
    }
    fileSystem.CommitAtomic(output);
}
