#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Korva
{
class cDataNode;
class cDataTree;
class cFileSystem;
} // namespace Korva

// The one-line form of a node from which the progress file's validation
// value is computed: NODE BEGIN "name" attributeCount childCount, each
// attribute as "name"="value", the children the same way, NODE END, every
// token followed by one space. A missing node gives the empty text.
std::string ValidationText(const Korva::cDataNode* node);
// The MD5 of ValidationText as 32 lower-case hexadecimal digits.
std::string ValidationValue(const Korva::cDataNode* node);

// The levels the player has completed, in the order they were completed,
// and the file that keeps them between runs. The file carries a validation
// value so that a file edited by hand is rejected.
class cProgress
{
public:
    // In the per-user file system.
    static constexpr const char* kPath = "/Quillbee Studios/Zeltra/CompletedLevels.dat";

    // Exact, case-sensitive comparison.
    bool IsLevelCompleted(const std::string& alias) const;
    int32_t GetCompletedLevelCount() const { return static_cast<int32_t>(m_levels.size()); }
    const std::vector<std::string>& GetCompletedLevels() const { return m_levels; }
    // Appends the alias unless it is there already; true when it was added.
    bool Add(const std::string& alias);
    void Clear() { m_levels.clear(); }

    // Replaces the list with the file's. A missing, unreadable or tampered
    // file leaves the list empty (the reason is in the log); false then.
    bool Load(Korva::cFileSystem& fileSystem, const std::string& path = kPath);
    // Whether the last Load found a file it could not use, which the next
    // Save will keep as a copy first.
    bool HasDamagedFile() const { return m_damagedFile; }
    // Takes the list from a tree read from a progress file; raises
    // cException "Error in completed levels file." when it does not validate.
    void LoadTree(const Korva::cDataTree& tree);
    // Writes the file whole or not at all; raises cExceptionCreatingFile or
    // cExceptionWhenWritingFile, and the previous file is then unchanged.
    // After a Load that failed on an existing file, the first Save keeps
    // that file as path + ".bad" (replacing an older one) and logs where;
    // when the copy cannot be made nothing is saved.
    void Save(Korva::cFileSystem& fileSystem, const std::string& path = kPath);
    // The file's tree: WARNING, Validation, then CompletedLevels.
    void BuildTree(Korva::cDataTree& tree) const;

    static constexpr const char* kDamagedSuffix = ".bad";

private:
    std::vector<std::string> m_levels;
    bool m_damagedFile = false;
};
