#include "game/Game/CampaignResource.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileSystemManager.h"

using namespace Korva;

cCampaignResource::cCampaignResource(const std::string& alias, int32_t level,
                                     const std::string& file)
    : cResource(kTypeName, alias, level, file)
{
}

void cCampaignResource::Load()
{
    if (m_campaign)
        return;
    auto campaign = std::make_unique<cCampaign>();
    campaign->Load(cFileSystemManager::Get().GetCurrent(), GetFile());
    m_campaign = std::move(campaign);
}

cCampaign* cCampaignResource::GetCampaign()
{
    try
    {
        Load();
    }
    catch (const cException&)
    {
        // Already logged with the file's name.
        return nullptr;
    }
    return m_campaign.get();
}
