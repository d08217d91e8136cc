#include "game/Game/GameResourceHandler.h"

#include "game/Game/CampaignResource.h"
#include "game/Game/LevelResource.h"

bool cGameResourceHandler::Accepts(const std::string& typeName) const
{
    return typeName == cCampaignResource::kTypeName || typeName == cLevelResource::kTypeName;
}

Korva::cResource* cGameResourceHandler::Create(const std::string& typeName, const std::string& file,
                                               const std::string& alias, int32_t level,
                                               const Korva::cDataNode& node)
{
    (void)node;
    // The resource registers itself with the manager; the creator's
    // reference passes to the caller.
    if (typeName == cCampaignResource::kTypeName)
        return new cCampaignResource(alias, level, file);
    if (typeName == cLevelResource::kTypeName)
        return new cLevelResource(alias, level, file);
    return nullptr;
}
