#pragma once

#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundInstance.h"

#include <cstdint>
#include <vector>

namespace Korva
{

// A sound held whole in memory, converted when made to the output device's
// format and channel count (16-bit stereo without a device), so mixing never
// converts. For short effects.
class cSoundStatic final : public cSound
{
public:
    // pcm: frames little-endian file frames of the given format and channels.
    cSoundStatic(const uint8_t* pcm, size_t frames, int32_t format, int32_t channels,
                 uint32_t rate);
    ~cSoundStatic() override;

    std::unique_ptr<cSoundInstance> CreateInstance() override;

    size_t GetFrameCount() const { return m_frameCount; }
    const uint8_t* GetFrameData() const { return m_frames.data(); }
    size_t GetFrameBytes() const;

private:
    std::vector<uint8_t> m_frames;
    size_t m_frameCount;
};

// A position over the shared frames of a static sound.
class cSoundInstanceStatic final : public cSoundInstance
{
public:
    explicit cSoundInstanceStatic(cSoundStatic& sound);

    int32_t GetSamples(int32_t format, int32_t channels, int32_t maxFrames, void* buffer) override;
    void Advance(int32_t frames) override;
    size_t GetPosition() const { return m_position; }

private:
    cSoundStatic& m_sound;
    size_t m_position = 0;
};

} // namespace Korva
