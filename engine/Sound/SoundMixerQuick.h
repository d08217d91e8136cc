#pragma once

#include "engine/Sound/SoundMixer.h"

#include <memory>
#include <mutex>
#include <vector>

namespace Korva
{

// The software mixer: integer 16.16 gains, 32-bit accumulation and one clamp
// at the end, nearest-frame resampling, buffers that are reused and only grow.
// Only 16-bit stereo output is mixed; other formats get silence.
class cSoundMixerQuick : public cSoundMixer
{
public:
    cSoundMixerQuick() = default;
    ~cSoundMixerQuick() override;

    void SetFrequency(uint32_t hz) override;
    uint32_t GetFrequency() const override;
    void Play(cSound& sound, float volume, float pan, uint32_t frequency) override;
    void Play(cSound& sound) override;
    int32_t BeginUpdate() override;
    void EndUpdate(int32_t token) override;
    int32_t GetInstanceCount() const override;
    cSoundInstance* GetInstance(int32_t index) const override;
    void Mix(int32_t format, int32_t channels, int32_t frames, void* buffer) override;
    void RemoveInstancesOf(const cSound& sound) override;

private:
    void Add(std::unique_ptr<cSoundInstance> instance);
    // A non-looping sound in a muted group is not started at all.
    static bool IsSilenced(const cSound& sound);
    void MixInstance(cSoundInstance& instance, int32_t frames);

    uint32_t m_frequency = 44100;
    // Re-entrant: a walk between BeginUpdate and EndUpdate may play or stop.
    mutable std::recursive_mutex m_lock;
    std::vector<std::unique_ptr<cSoundInstance>> m_instances;
    std::vector<int32_t> m_tokens;
    int32_t m_nextToken = 1;
    std::vector<int16_t> m_scratch;
    std::vector<int32_t> m_accumulator;
};

} // namespace Korva
