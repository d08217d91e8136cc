#pragma once

#include "engine/Resource/Resource.h"
#include "game/Game/Campaign.h"

#include <memory>

// A resource of type "Campaign": the campaign file is read the first time
// the campaign is asked for (or with the resource's tier).
class cCampaignResource : public Korva::cResource
{
public:
    static constexpr const char* kTypeName = "Campaign";

    cCampaignResource(const std::string& alias, int32_t level, const std::string& file);

    // Reads the file through the current file system; errors propagate.
    void Load() override;
    void Unload() override { m_campaign.reset(); }
    bool IsLoaded() const override { return m_campaign != nullptr; }

    // Loads the campaign when needed; null when its file is missing or
    // broken (the reason is in the log), so a screen can carry on without it.
    cCampaign* GetCampaign();

private:
    std::unique_ptr<cCampaign> m_campaign;
};
