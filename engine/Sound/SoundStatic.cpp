#include "engine/Sound/SoundStatic.h"

#include "engine/Sound/SampleConversion.h"
#include "engine/Sound/SoundDevice.h"
#include "engine/Sound/SoundSystem.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

cSoundStatic::cSoundStatic(const uint8_t* pcm, size_t frames, int32_t format, int32_t channels,
                           uint32_t rate)
    : m_frameCount(frames)
{
    int32_t targetFormat = kSampleFormat16;
    int32_t targetChannels = 2;
    if (const cSoundDevice* device = cSoundSystem::Get().GetDevice())
    {
        targetFormat = device->GetFormat();
        targetChannels = device->GetChannels();
    }
    SetFrames(targetFormat, targetChannels, rate);
    m_frames.resize(frames * GetFrameBytes());
    ConvertFrames(pcm, format, channels, m_frames.data(), targetFormat, targetChannels, frames);
}

cSoundStatic::~cSoundStatic()
{
    ReleaseInstances();
}

size_t cSoundStatic::GetFrameBytes() const
{
    return static_cast<size_t>(BytesPerSample(GetFormat())) * GetChannels();
}

std::unique_ptr<cSoundInstance> cSoundStatic::CreateInstance()
{
    return std::make_unique<cSoundInstanceStatic>(*this);
}

cSoundInstanceStatic::cSoundInstanceStatic(cSoundStatic& sound)
    : cSoundInstance(sound), m_sound(sound)
{
    // Nothing to play: finished before it starts, even when looping.
    if (sound.GetFrameCount() == 0)
        Stop();
}

int32_t cSoundInstanceStatic::GetSamples(int32_t format, int32_t channels, int32_t maxFrames,
                                         void* buffer)
{
    const size_t count = m_sound.GetFrameCount();
    if (format != m_sound.GetFormat() || channels != m_sound.GetChannels() || maxFrames <= 0 ||
        count == 0)
        return 0;
    const size_t frameBytes = m_sound.GetFrameBytes();
    auto* out = static_cast<uint8_t*>(buffer);
    size_t delivered = 0;
    size_t position = std::min(m_position, count);
    while (delivered < static_cast<size_t>(maxFrames))
    {
        if (position == count)
        {
            if (!IsLooping())
                break;
            position = 0;
        }
        const size_t run = std::min(count - position, static_cast<size_t>(maxFrames) - delivered);
        std::memcpy(out + delivered * frameBytes, m_sound.GetFrameData() + position * frameBytes,
                    run * frameBytes);
        delivered += run;
        position += run;
    }
    return static_cast<int32_t>(delivered);
}

void cSoundInstanceStatic::Advance(int32_t frames)
{
    const size_t count = m_sound.GetFrameCount();
    if (frames < 0 || count == 0)
        return;
    m_position += static_cast<size_t>(frames);
    if (IsLooping())
    {
        m_position %= count;
    }
    else if (m_position >= count)
    {
        m_position = count;
        Stop();
    }
}

} // namespace Korva
