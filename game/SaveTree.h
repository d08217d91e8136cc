#pragma once

#include <string>

namespace Korva
{
class cDataTree;
class cFileSystem;
} // namespace Korva

// Writes a data tree file whole or not at all: into a temporary file beside
// `path`, renamed over it only once everything is on disk. On failure the
// old file is untouched and cExceptionCreatingFile or
// cExceptionWhenWritingFile (naming the file) propagates.
void SaveTree(const Korva::cDataTree& tree, Korva::cFileSystem& fileSystem,
              const std::string& path);
