#pragma once

#include "engine/File/FileOutputFile.h"

#include <memory>

namespace Korva
{

// Writes a temporary file beside the target and renames it over the target
// only in `Commit`, after everything was written and synced to disk, so a
// crash or a full disk never leaves a half-written file behind. Destroyed
// without a commit, it removes the temporary file and the target stays as it
// was. A target that is a symbolic link is followed: the file it points to
// is replaced and the link stays. The saved file keeps the permissions of
// the file it replaces; a new one gets those the umask allows.
class cFileOutputAtomic : public cFileOutputFile
{
public:
    // Creates the temporary file beside `targetPath` (beside the final target
    // of a link); raises cExceptionCreatingFile with `name` when that is not
    // possible.
    static std::unique_ptr<cFileOutputAtomic> Create(const std::string& name,
                                                     const std::string& targetPath);
    // Whether a file name is that of a temporary file of this writer (the
    // target's name, ".tmp-" and six letters or digits). One that still
    // exists was left by a save that was interrupted.
    static bool IsTemporaryName(const std::string& name);
    ~cFileOutputAtomic() override;

    // Raises cExceptionWhenWritingFile when the data could not be written,
    // synced or moved into place; the temporary file is removed either way.
    void Commit();
    bool IsCommitted() const { return m_committed; }

private:
    cFileOutputAtomic(const std::string& name, std::FILE* file, std::string tempPath,
                      std::string targetPath);
    void Discard();

    std::string m_targetPath;
    std::string m_tempPath;
    bool m_committed = false;
};

} // namespace Korva
