#pragma once

#include "engine/File/FileOutputFile.h"

#include <memory>

namespace Korva
{

// Writes a temporary file beside the target and renames it over the target
// only in `Commit`, after everything was written and synced to disk, so a
// crash or a full disk never leaves a half-written file behind. Destroyed
// without a commit, it removes the temporary file and the target stays as it
// was.
class cFileOutputAtomic : public cFileOutputFile
{
public:
    // Creates the temporary file beside `targetPath`; raises
    // cExceptionCreatingFile with `name` when that is not possible.
    static std::unique_ptr<cFileOutputAtomic> Create(const std::string& name,
                                                     const std::string& targetPath);
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
