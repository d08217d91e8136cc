#include "engine/Sound/SoundFile.h"

#include "engine/File/FileSystem.h"
#include "engine/File/FileSystemManager.h"

namespace Korva
{

cSoundBytes ReadSoundFile(const std::string& path)
{
    cFileSystem& fileSystem = cFileSystemManager::Get().GetCurrent();
    cScopedInput input(fileSystem, fileSystem.OpenInput(path, false, true));
    auto bytes = std::make_shared<std::vector<uint8_t>>(input->Size());
    bytes->resize(input->Read(bytes->data(), bytes->size()));
    return bytes;
}

} // namespace Korva
