#pragma once

#include "engine/File/FileSystem.h"

namespace Korva
{

// The file system on Linux: folders through POSIX calls.
class cFileSystemPOSIX : public cFileSystem
{
public:
    explicit cFileSystemPOSIX(std::string root) : cFileSystem(std::move(root)) {}

    bool Exists(const std::string& path) const override;
    bool IsFile(const std::string& path) const override;
    bool IsFolder(const std::string& path) const override;
    // Creates the folder and every missing folder above it; logs the path.
    bool CreateFolder(const std::string& path) override;
    std::unique_ptr<cDirectoryScanner> CreateDirectoryScanner() const override;
};

} // namespace Korva
