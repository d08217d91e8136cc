#include "engine/Display/ImageLoader.h"

#include "engine/Core/Exception.h"
#include "engine/Display/ImageLoaderPCX.h"
#include "engine/Display/ImageLoaderTGA.h"
#include "engine/File/FileSystem.h"

#include <vector>

namespace Korva
{

void cImageLoader::Load(cFileSystem& fileSystem)
{
    Decode(ReadFileBytes(fileSystem, m_path));
}

std::unique_ptr<cImageLoader> CreateImageLoader(const std::string& path)
{
    const auto dot = path.find_last_of('.');
    const std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    if (dot != std::string::npos && extension == "tga")
        return std::make_unique<cImageLoaderTGA>(path);
    if (dot != std::string::npos && extension == "pcx")
        return std::make_unique<cImageLoaderPCX>(path);
    KORVA_THROW(cException, "Unknown image format.");
}

} // namespace Korva
