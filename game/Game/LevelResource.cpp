#include "game/Game/LevelResource.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileSystemManager.h"

using namespace Korva;

cLevelResource::cLevelResource(const std::string& alias, int32_t level, const std::string& file)
    : cResource(kTypeName, alias, level, file)
{
}

void cLevelResource::Load()
{
    if (m_level)
        return;
    // Kept only when complete: a broken file never leaves half a level.
    auto level = std::make_unique<cLevel>();
    level->Load(cFileSystemManager::Get().GetCurrent(), GetFile());
    m_level = std::move(level);
}

cLevel* cLevelResource::GetLevel()
{
    try
    {
        Load();
    }
    catch (const cException&)
    {
        return nullptr;
    }
    return m_level.get();
}
