#pragma once

#include <atomic>
#include <cstdint>

namespace Korva
{

class cSound;

// One playing occurrence of a sound. The mixer pulls frames from it with
// GetSamples and moves it on with Advance, both on the refill thread under the
// mixer's lock; Pause, Resume and Stop come from the main thread, so their
// flags are atomic.
class cSoundInstance
{
public:
    // Starts with the sound's own volume, pan, frequency and looping.
    explicit cSoundInstance(cSound& sound);
    virtual ~cSoundInstance() = default;
    cSoundInstance(const cSoundInstance&) = delete;
    cSoundInstance& operator=(const cSoundInstance&) = delete;

    virtual void Pause() { m_paused = true; }
    virtual void Resume() { m_paused = false; }
    virtual void Stop() { m_finished = true; }
    virtual bool IsPaused() const { return m_paused; }
    virtual bool IsFinished() const { return m_finished; }
    virtual cSound* GetSound() const { return m_sound; }

    // Copies up to maxFrames frames from the current position into buffer and
    // returns how many; 0 when the format or channel count is not the sound's.
    virtual int32_t GetSamples(int32_t format, int32_t channels, int32_t maxFrames,
                               void* buffer) = 0;
    // Moves the position on by frames.
    virtual void Advance(int32_t frames) = 0;

    float GetVolume() const { return m_volume; }
    void SetVolume(float volume) { m_volume = volume; }
    float GetPan() const { return m_pan; }
    void SetPan(float pan) { m_pan = pan; }
    uint32_t GetRate() const { return m_rate; }
    void SetRate(uint32_t rate) { m_rate = rate; }
    bool IsLooping() const { return m_looping; }
    void SetLooping(bool looping) { m_looping = looping; }
    // The mixer's resampling position between two source frames (16-bit fraction).
    uint32_t GetFraction() const { return m_fraction; }
    void SetFraction(uint32_t fraction) { m_fraction = fraction; }

protected:
    void Finish() { m_finished = true; }

private:
    cSound* m_sound;
    float m_volume;
    float m_pan;
    uint32_t m_rate;
    bool m_looping;
    uint32_t m_fraction = 0;
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_finished{false};
};

} // namespace Korva
