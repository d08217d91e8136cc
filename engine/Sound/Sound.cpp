#include "engine/Sound/Sound.h"

#include "engine/Sound/SoundDevice.h"
#include "engine/Sound/SoundInstance.h"
#include "engine/Sound/SoundMixer.h"
#include "engine/Sound/SoundSystem.h"

namespace Korva
{

namespace
{
cSoundMixer* DeviceMixer()
{
    cSoundDevice* device = cSoundSystem::Get().GetDevice();
    return device ? device->GetMixer() : nullptr;
}

template <typename Operation>
void ForEachInstanceOf(cSoundMixer& mixer, const cSound& sound, Operation operation)
{
    const int32_t token = mixer.BeginUpdate();
    for (int32_t i = 0; i < mixer.GetInstanceCount(); ++i)
    {
        cSoundInstance* instance = mixer.GetInstance(i);
        if (instance && instance->GetSound() == &sound)
            operation(*instance);
    }
    mixer.EndUpdate(token);
}
} // namespace

cSound::~cSound()
{
    ReleaseInstances();
}

void cSound::ReleaseInstances()
{
    cSoundMixer::RemoveInstancesEverywhere(*this);
}

void cSound::SetFrames(int32_t format, int32_t channels, uint32_t nativeRate)
{
    m_format = format;
    m_channels = channels;
    m_nativeRate = nativeRate;
    SetFrequency(nativeRate);
}

void cSound::PlayWith(float volume, float pan, uint32_t frequency)
{
    if (cSoundMixer* mixer = DeviceMixer())
        mixer->Play(*this, volume, pan, frequency);
}

void cSound::Play()
{
    if (cSoundMixer* mixer = DeviceMixer())
        mixer->Play(*this);
}

void cSound::Pause()
{
    if (cSoundMixer* mixer = DeviceMixer())
        Pause(*mixer);
}

void cSound::Resume()
{
    if (cSoundMixer* mixer = DeviceMixer())
        Resume(*mixer);
}

void cSound::Stop()
{
    if (cSoundMixer* mixer = DeviceMixer())
        Stop(*mixer);
}

void cSound::Pause(cSoundMixer& mixer)
{
    ForEachInstanceOf(mixer, *this, [](cSoundInstance& instance) { instance.Pause(); });
}

void cSound::Resume(cSoundMixer& mixer)
{
    ForEachInstanceOf(mixer, *this, [](cSoundInstance& instance) { instance.Resume(); });
}

void cSound::Stop(cSoundMixer& mixer)
{
    ForEachInstanceOf(mixer, *this, [](cSoundInstance& instance) { instance.Stop(); });
}

} // namespace Korva
