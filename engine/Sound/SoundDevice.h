#pragma once

#include "engine/Sound/SoundFormat.h"

#include <cstdint>

namespace Korva
{

class cSoundMixer;

// The output device: it pulls the mixer's Mix on its own refill thread, half
// of a 100 ms buffer at a time, while it is started.
class cSoundDevice
{
public:
    cSoundDevice() = default;
    // Unregisters the device from the sound system if it is the registered one.
    virtual ~cSoundDevice();
    cSoundDevice(const cSoundDevice&) = delete;
    cSoundDevice& operator=(const cSoundDevice&) = delete;

    // Raises cException when the device can't be opened; the program then runs
    // without sound.
    virtual void Init(int32_t format, uint32_t frequency, int32_t channels, cSoundMixer* mixer) = 0;
    // Both do nothing on a device whose Init did not succeed.
    virtual void Start() = 0;
    virtual void Stop() = 0;

    cSoundMixer* GetMixer() const { return m_mixer; }
    int32_t GetFormat() const { return m_format; }
    uint32_t GetFrequency() const { return m_frequency; }
    int32_t GetChannels() const { return m_channels; }

protected:
    // Keeps the settings; the channel count is held to 1 or 2.
    void SetSettings(int32_t format, uint32_t frequency, int32_t channels, cSoundMixer* mixer);
    // Makes this the sound system's device; done last in a successful Init.
    void Register();

private:
    cSoundMixer* m_mixer = nullptr;
    int32_t m_format = kSampleFormat16;
    uint32_t m_frequency = 44100;
    int32_t m_channels = 2;
};

} // namespace Korva
