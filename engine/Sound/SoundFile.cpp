#include "engine/Sound/SoundFile.h"

#include "engine/File/FileSystem.h"
#include "engine/File/FileSystemManager.h"

namespace Korva
{

cSoundBytes ReadSoundFile(const std::string& path)
{
    cFileSystem& fileSystem = cFileSystemManager::Get().GetCurrent();
    return std::make_shared<std::vector<uint8_t>>(ReadFileBytes(fileSystem, path));
}

} // namespace Korva
