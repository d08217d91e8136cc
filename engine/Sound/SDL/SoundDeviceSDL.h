#pragma once

#include "engine/Sound/SoundDevice.h"

#include <SDL.h>

namespace Korva
{

// The output device on SDL2's audio: one looping stream that SDL's audio
// thread refills from the mixer, half of a 100 ms buffer at a time.
//
// SDL's own audio thread is the refill thread. It already wakes exactly when
// the device has played a half and runs at time-critical priority; a thread of
// ours feeding SDL's queue would add a second hand-off and another half buffer
// of latency. Pausing and closing the device wait for a running refill to end,
// so after Stop no Mix is in progress and after destruction none can start.
//
// Destroy the device before its mixer.
class cSoundDeviceSDL final : public cSoundDevice
{
public:
    cSoundDeviceSDL() = default;
    ~cSoundDeviceSDL() override;

    // Raises cException "Couldn't initialize SDL audio." or "Couldn't open
    // audio device." (no audio device, a busy one, a headless machine).
    void Init(int32_t format, uint32_t frequency, int32_t channels, cSoundMixer* mixer) override;
    void Start() override;
    void Stop() override;

    bool IsInitialised() const { return m_initialised; }
    bool IsStarted() const { return m_started; }
    // Frames in half of the 100 ms buffer: what one refill mixes.
    int32_t GetHalfBufferFrames() const { return m_halfFrames; }

private:
    static void SDLCALL Refill(void* device, Uint8* stream, int length);
    void Refill(Uint8* stream, int length);

    bool m_subsystem = false;
    SDL_AudioDeviceID m_device = 0;
    int32_t m_halfFrames = 0;
    bool m_initialised = false;
    bool m_started = false;
};

} // namespace Korva
