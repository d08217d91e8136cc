#pragma once

#include <cstdint>

namespace Korva
{

class cSound;
class cSoundInstance;

// Mixes the playing instances into the output device's format. The main
// thread plays, stops and walks the instances; the device's refill thread
// calls Mix. Every live mixer is known, so a sound that goes away can take
// its instances out of all of them first.
class cSoundMixer
{
public:
    cSoundMixer();
    virtual ~cSoundMixer();
    cSoundMixer(const cSoundMixer&) = delete;
    cSoundMixer& operator=(const cSoundMixer&) = delete;

    virtual void SetFrequency(uint32_t hz) = 0;
    virtual uint32_t GetFrequency() const = 0;
    // Starts a new instance of sound; the first form overrides its volume, pan
    // and frequency.
    virtual void Play(cSound& sound, float volume, float pan, uint32_t frequency) = 0;
    virtual void Play(cSound& sound) = 0;
    // Bracket a walk over the instances on the main thread: the mixer's lock is
    // held from BeginUpdate until the EndUpdate with the same token.
    virtual int32_t BeginUpdate() = 0;
    virtual void EndUpdate(int32_t token) = 0;
    virtual int32_t GetInstanceCount() const = 0;
    virtual cSoundInstance* GetInstance(int32_t index) const = 0;
    // Fills buffer with frames frames of the given format and channel count.
    virtual void Mix(int32_t format, int32_t channels, int32_t frames, void* buffer) = 0;
    // Stops and destroys every instance of sound at once.
    virtual void RemoveInstancesOf(const cSound& sound) = 0;

    static void RemoveInstancesEverywhere(const cSound& sound);
};

} // namespace Korva
