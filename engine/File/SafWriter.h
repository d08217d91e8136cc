#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Korva
{

class cFileOutput;

// Builds a SAF archive: a 12-byte header ("SAF1", the root block's offset
// and size), the files' data, then the folders' entry blocks, parent before
// children. Paths are '/'-separated and case-sensitive.
class cSafWriter
{
public:
    cSafWriter();

    // Adds (or replaces) a file; folders on its path are made as needed.
    // Raises cException for an empty path component or one already used by
    // an entry of the other kind.
    void AddFile(const std::string& path, std::vector<uint8_t> data);
    void AddFolder(const std::string& path);
    // Adds every regular file beneath a folder on disk, in name order, under
    // its path relative to that folder. Returns the number of files added.
    size_t AddFolderFromDisk(const std::string& folder);

    // Raises cException when the archive would not fit its 32-bit offsets.
    std::vector<uint8_t> Build() const;
    void Write(cFileOutput& out) const;

private:
    struct sNode
    {
        std::string name;
        bool folder = false;
        std::vector<uint8_t> data;
        std::vector<sNode> children;
    };
    sNode& Reach(const std::string& path, bool folder);

    sNode m_root;
};

} // namespace Korva
