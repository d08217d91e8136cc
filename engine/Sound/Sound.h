#pragma once

#include "engine/Sound/SoundFormat.h"
#include "engine/Sound/SoundInstance.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Korva
{

class cSoundMixer;

// A sound that can be played any number of times at once; each Play makes an
// instance that the mixer of the registered output device pulls frames from.
// Without a registered device, playing does nothing.
class cSound
{
public:
    cSound() = default;
    // Stops and removes every playing instance of this sound from every mixer,
    // so no instance outlives the data it reads. Concrete sounds call
    // ReleaseInstances first thing in their own destructors, before their data
    // goes away.
    virtual ~cSound();
    cSound(const cSound&) = delete;
    cSound& operator=(const cSound&) = delete;

    virtual void PlayWith(float volume, float pan, uint32_t frequency);
    virtual void Play();
    // Applied to every playing instance of this sound.
    virtual void Pause();
    virtual void Resume();
    virtual void Stop();
    void Pause(cSoundMixer& mixer);
    void Resume(cSoundMixer& mixer);
    void Stop(cSoundMixer& mixer);

    // A new instance with this sound's volume, pan, frequency and looping.
    virtual std::unique_ptr<cSoundInstance> CreateInstance() = 0;

    const std::string& GetGroup() const { return m_group; }
    void SetGroup(const std::string& group) { m_group = group; }
    int32_t GetFormat() const { return m_format; }
    int32_t GetChannels() const { return m_channels; }
    float GetVolume() const { return m_volume; }
    void SetVolume(float volume) { m_volume = volume; }
    float GetPan() const { return m_pan; }
    void SetPan(float pan) { m_pan = pan; }
    uint32_t GetFrequency() const { return m_frequency; }
    // A frequency of 0 would stop the sound in place forever; 1 Hz is the least.
    void SetFrequency(uint32_t frequency) { m_frequency = frequency > 0 ? frequency : 1; }
    // The sample rate of the file, which Frequency settings scale.
    uint32_t GetNativeRate() const { return m_nativeRate; }
    bool IsLooping() const { return m_looping; }
    void SetLooping(bool looping) { m_looping = looping; }

protected:
    void SetFrames(int32_t format, int32_t channels, uint32_t nativeRate);
    void ReleaseInstances();

private:
    std::string m_group;
    int32_t m_format = kSampleFormat16;
    int32_t m_channels = 2;
    float m_volume = 1.0f;
    float m_pan = 0.0f;
    uint32_t m_frequency = 44100;
    uint32_t m_nativeRate = 44100;
    bool m_looping = false;
};

} // namespace Korva
