#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Korva
{

class cFileInput;

// A mounted SAF archive: a read-only package of files in folders. The entry
// tree is read once when mounting; file data is read from the archive file
// on every lookup. A damaged archive is rejected with cExceptionBadSAFFile
// when it is mounted, whatever its counts and offsets say.
class cFileSAF
{
public:
    struct sEntry
    {
        bool folder = false;
        std::string name;
        uint32_t offset = 0;
        uint32_t size = 0;
        std::vector<sEntry> children;
    };

    // `path` names the archive in messages and for RemoveArchive; `diskPath`
    // is where it is read from. Raises cExceptionOpeningFile or
    // cExceptionBadSAFFile with `path`.
    cFileSAF(std::string path, std::string diskPath);

    const std::string& GetPath() const { return m_path; }
    const sEntry& GetRoot() const { return m_root; }

    // The file entry at a '/'-separated path (exact, case-sensitive names),
    // or null.
    const sEntry* Find(const std::string& path) const;
    // A memory stream named `path` holding the file's bytes, or null when the
    // archive has no such file. Text mode strips carriage returns.
    std::unique_ptr<cFileInput> Open(const std::string& path, bool text) const;
    // The bytes of a file entry; raises cExceptionBadSAFFile when the archive
    // file can no longer deliver them.
    std::vector<uint8_t> ReadFile(const sEntry& entry) const;

private:
    std::string m_path;
    std::string m_diskPath;
    sEntry m_root;
};

} // namespace Korva
