#include "game/SaveTree.h"

#include "engine/File/AtomicFileWriter.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"

using namespace Korva;

void SaveTree(const cDataTree& tree, cFileSystem& fileSystem, const std::string& path)
{
    // Leaving without the commit throws the temporary file away.
    cAtomicFileWriter writer(fileSystem, path);
    tree.Write(writer.Output());
    writer.Commit();
}
