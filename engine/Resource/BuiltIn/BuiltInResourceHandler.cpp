#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"

#include "engine/Display/ImageResource.h"
#include "engine/Display/SpriteResource.h"
#include "engine/Sound/SoundResource.h"

namespace Korva
{

bool cBuiltInResourceHandler::Accepts(const std::string& typeName) const
{
    return typeName == "Image" || typeName == "Sprite" || typeName == "Sound";
}

cResource* cBuiltInResourceHandler::Create(const std::string& typeName, const std::string& file,
                                           const std::string& alias, int32_t level,
                                           const cDataNode& node)
{
    // Each resource registers itself with the manager; the creator's
    // reference passes to the caller.
    if (typeName == "Image")
        return new cImageResource(alias, level, file);
    if (typeName == "Sprite")
        return new cSpriteResource(alias, level, file);
    if (typeName == "Sound")
        return new cSoundResource(alias, level, file, cSoundSettings::FromNode(node));
    return nullptr;
}

} // namespace Korva
