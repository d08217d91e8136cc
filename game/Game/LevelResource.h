#pragma once

#include "engine/Resource/Resource.h"
#include "game/Game/Level.h"

#include <memory>

// A resource of type "Level": a campaign level, read from its file the first
// time it is asked for (or with the resource's tier).
class cLevelResource : public Korva::cResource
{
public:
    static constexpr const char* kTypeName = "Level";

    cLevelResource(const std::string& alias, int32_t level, const std::string& file);

    // Reads the file through the current file system; errors propagate.
    void Load() override;
    void Unload() override { m_level.reset(); }
    bool IsLoaded() const override { return m_level != nullptr; }

    // Loads the level when needed; null when its file is missing or broken
    // (the reason is in the log).
    cLevel* GetLevel();

private:
    std::unique_ptr<cLevel> m_level;
};
