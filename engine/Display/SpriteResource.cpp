#include "engine/Display/SpriteResource.h"

namespace Korva
{

cSpriteResource::cSpriteResource(const std::string& alias, int32_t level, const std::string& file)
    : cResource("Sprite", alias, level, file)
{
}

void cSpriteResource::Load()
{
    if (!m_sprite)
        m_sprite = std::make_unique<cSprite>(GetFile());
}

void cSpriteResource::Unload()
{
    m_sprite.reset();
}

cSprite* cSpriteResource::GetSprite()
{
    Load();
    return m_sprite.get();
}

} // namespace Korva
