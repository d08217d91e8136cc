#pragma once

#include "engine/Resource/Resource.h"
#include "engine/Sound/Sound.h"

#include <memory>
#include <optional>
#include <string>

namespace Korva
{

class cDataNode;

// The per-sound settings of a resource list entry.
struct cSoundSettings
{
    bool streaming = false;
    bool looping = false;
    std::string group;
    std::optional<float> volume;    // multiplies the sound's volume
    std::optional<float> pan;       // added to the sound's pan
    std::optional<float> frequency; // multiplies the file's own rate

    // Reads Streaming, Looping, Group, Volume, Pan and Frequency from a
    // "Resource" node; missing ones keep their defaults.
    static cSoundSettings FromNode(const cDataNode& node);
};

// A sound by alias (type "Sound"). The sound is made when the resource loads
// and destroyed, with every instance still playing it, when it unloads.
class cSoundResource : public cResource
{
public:
    cSoundResource(const std::string& alias, int32_t level, const std::string& file,
                   cSoundSettings settings);

    // A file no loader takes, or one that can't be read, leaves the resource
    // unloaded (the reason is in the log) and is not tried again until Unload.
    void Load() override;
    void Unload() override;
    bool IsLoaded() const override { return m_sound != nullptr; }

    // Loads first when needed; null when there is no sound to play.
    cSound* GetSound();
    const cSoundSettings& GetSettings() const { return m_settings; }

protected:
    ~cSoundResource() override;

private:
    cSoundSettings m_settings;
    std::unique_ptr<cSound> m_sound;
    bool m_failed = false;
};

} // namespace Korva
