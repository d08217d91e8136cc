#pragma once

#include <string>

namespace Korva
{
class cImageResource;
class cResource;
class cSprite;
class cSpriteResource;
} // namespace Korva

// Looks up the menu panels' resources by alias; null when the resource lists
// have no such entry (the panel then draws without it).
Korva::cSpriteResource* FindSpriteResource(const std::string& alias);
Korva::cImageResource* FindImageResource(const std::string& alias);
Korva::cResource* FindSoundResource(const std::string& alias);
// The sprite of a resource, loading it when needed; null for none.
Korva::cSprite* GetSprite(Korva::cSpriteResource* resource);
