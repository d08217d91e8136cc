#include "engine/Sound/SoundResource.h"

#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "engine/Sound/SoundSystem.h"

#include <algorithm>

namespace Korva
{

namespace
{
std::optional<float> FindFloat(const cDataNode& node, const char* name)
{
    if (!node.FindAttribute(name))
        return std::nullopt;
    return static_cast<float>(node.GetFloat(name, 0.0));
}
} // namespace

cSoundSettings cSoundSettings::FromNode(const cDataNode& node)
{
    cSoundSettings settings;
    settings.streaming = node.GetBool("Streaming", false);
    settings.looping = node.GetBool("Looping", false);
    settings.group = node.GetString("Group", "");
    settings.volume = FindFloat(node, "Volume");
    settings.pan = FindFloat(node, "Pan");
    settings.frequency = FindFloat(node, "Frequency");
    return settings;
}

cSoundResource::cSoundResource(const std::string& alias, int32_t level, const std::string& file,
                               cSoundSettings settings)
    : cResource("Sound", alias, level, file), m_settings(std::move(settings))
{
}

cSoundResource::~cSoundResource() = default;

void cSoundResource::Load()
{
    if (m_sound || m_failed)
        return;
    try
    {
        m_sound = cSoundSystem::Get().CreateSound(GetFile(), m_settings.streaming);
    }
    catch (const cException&)
    {
        // The exception has written its text to the log; the game plays on
        // without this sound.
    }
    if (!m_sound)
    {
        m_failed = true;
        return;
    }
    m_sound->SetLooping(m_settings.looping);
    m_sound->SetGroup(m_settings.group);
    if (m_settings.volume)
        m_sound->SetVolume(m_sound->GetVolume() * *m_settings.volume);
    if (m_settings.pan)
        m_sound->SetPan(m_sound->GetPan() + *m_settings.pan);
    if (m_settings.frequency)
    {
        const double rate = static_cast<double>(m_sound->GetNativeRate()) * *m_settings.frequency;
        m_sound->SetFrequency(static_cast<uint32_t>(std::clamp(rate, 0.0, 4.0e9)));
    }
}

void cSoundResource::Unload()
{
    // The sound's destructor takes its playing instances out of the mixer first.
    m_sound.reset();
    m_failed = false;
}

cSound* cSoundResource::GetSound()
{
    Load();
    return m_sound.get();
}

} // namespace Korva
