#pragma once

#include "engine/Display/Sprite.h"
#include "engine/Resource/Resource.h"

#include <memory>

namespace Korva
{

// A resource of type "Sprite": the sprite file loads with the resource's tier
// (or on first use); its image is found by alias in the resource manager.
class cSpriteResource : public cResource
{
public:
    cSpriteResource(const std::string& alias, int32_t level, const std::string& file);

    void Load() override;
    void Unload() override;
    bool IsLoaded() const override { return m_sprite != nullptr; }
    // Loads the sprite when it is not loaded yet.
    cSprite* GetSprite();

private:
    std::unique_ptr<cSprite> m_sprite;
};

} // namespace Korva
