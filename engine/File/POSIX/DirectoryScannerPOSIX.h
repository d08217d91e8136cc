#pragma once

#include "engine/File/DirectoryScanner.h"

#include <vector>

namespace Korva
{

// Lists a folder under a root. Patterns are shell wildcards matched without
// regard to letter case, and a pattern ending in ".*" also matches names
// without an extension, so "*.*" lists everything, "." and ".." included.
// Entries come sorted by name, so listings do not depend on the file system.
class cDirectoryScannerPOSIX : public cDirectoryScanner
{
public:
    explicit cDirectoryScannerPOSIX(std::string root) : m_root(std::move(root)) {}

    using cDirectoryScanner::Scan;
    void Scan(const std::string& path, const std::string& pattern) override;
    int GetCount() const override { return static_cast<int>(m_entries.size()); }
    bool IsFolder(int index) const override;
    const std::string& GetName(int index) const override;

private:
    struct sEntry
    {
        std::string name;
        bool folder;
    };
    const sEntry& At(int index) const;

    std::string m_root;
    std::vector<sEntry> m_entries;
};

} // namespace Korva
