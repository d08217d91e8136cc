#include "engine/Sound/SoundDevice.h"

#include "engine/Sound/SoundSystem.h"

#include <algorithm>

namespace Korva
{

cSoundDevice::~cSoundDevice()
{
    if (cSoundSystem::Get().GetDevice() == this)
        cSoundSystem::Get().SetDevice(nullptr);
}

void cSoundDevice::SetSettings(int32_t format, uint32_t frequency, int32_t channels,
                               cSoundMixer* mixer)
{
    m_format = format;
    m_frequency = frequency;
    m_channels = std::clamp(channels, 1, 2);
    m_mixer = mixer;
}

void cSoundDevice::Register()
{
    cSoundSystem::Get().SetDevice(this);
}

} // namespace Korva
