#include "game/Menu/MenuResources.h"

#include "engine/Core/Log.h"
#include "engine/Display/ImageResource.h"
#include "engine/Display/SpriteResource.h"
#include "engine/Resource/ResManager.h"
#include "engine/Sound/SoundResource.h"

namespace
{
template <class T> T* Find(const std::string& alias)
{
    T* found = dynamic_cast<T*>(Korva::cResManager::Get().Find(alias));
    if (!found)
        Korva::cLog::Get().WriteDefault("Missing resource: '" + alias + "'.\n");
    return found;
}
} // namespace

Korva::cSpriteResource* FindSpriteResource(const std::string& alias)
{
    return Find<Korva::cSpriteResource>(alias);
}

Korva::cImageResource* FindImageResource(const std::string& alias)
{
    return dynamic_cast<Korva::cImageResource*>(Korva::cResManager::Get().Find(alias));
}

Korva::cResource* FindSoundResource(const std::string& alias)
{
    return Find<Korva::cSoundResource>(alias);
}

Korva::cSprite* GetSprite(Korva::cSpriteResource* resource)
{
    return resource ? resource->GetSprite() : nullptr;
}
