#include "engine/Sound/SoundMixerQuick.h"

#include "engine/Core/Log.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFormat.h"
#include "engine/Sound/SoundInstance.h"
#include "engine/Sound/SoundSystem.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

namespace
{
// Gains above 16 would only clip; the cap also keeps sample * gain in range.
constexpr float kMaxGain = 16.0f * 65536.0f;
// A source more than 256 times faster than the output is not worth playing
// exactly; capping the step keeps the frame counts in range.
constexpr uint64_t kMaxStep = uint64_t(256) << 16;

int32_t ToGain(float value)
{
    if (!(value > 0.0f))
        return 0;
    return static_cast<int32_t>(std::min(value, kMaxGain));
}
} // namespace

cSoundMixerQuick::~cSoundMixerQuick()
{
    std::lock_guard lock(m_lock);
    m_instances.clear();
}

void cSoundMixerQuick::SetFrequency(uint32_t hz)
{
    cLog::Get().Write(3, "--- Creating sound mixer (Quick) ---\n");
    cLog::Get().Write(3, "Frequency: " + std::to_string(hz) + "\n");
    std::lock_guard lock(m_lock);
    m_frequency = hz;
}

uint32_t cSoundMixerQuick::GetFrequency() const
{
    std::lock_guard lock(m_lock);
    return m_frequency;
}

bool cSoundMixerQuick::IsSilenced(const cSound& sound)
{
    // A muted group holds the position of what plays in it; an effect started
    // while muted would be held too, and every one of them would sound at
    // once when the group comes back. Looping sounds (music) are started and
    // held, as they would be if muted while playing.
    return !sound.IsLooping() && !(cSoundSystem::Get().GetGroupVolume(sound.GetGroup()) > 0.0f);
}

void cSoundMixerQuick::Play(cSound& sound, float volume, float pan, uint32_t frequency)
{
    if (IsSilenced(sound))
        return;
    // The instance is made outside the lock: opening a decoder takes a while
    // and the refill thread should not wait for it.
    auto instance = sound.CreateInstance();
    if (!instance)
        return;
    instance->SetVolume(volume);
    instance->SetPan(pan);
    // At 0 Hz it would hold one frame forever.
    instance->SetRate(std::max<uint32_t>(frequency, 1));
    Add(std::move(instance));
}

void cSoundMixerQuick::Play(cSound& sound)
{
    if (IsSilenced(sound))
        return;
    Add(sound.CreateInstance());
}

void cSoundMixerQuick::Add(std::unique_ptr<cSoundInstance> instance)
{
    if (!instance)
        return;
    instance->SetFraction(0);
    std::lock_guard lock(m_lock);
    m_instances.push_back(std::move(instance));
}

int32_t cSoundMixerQuick::BeginUpdate()
{
    m_lock.lock();
    const int32_t token = m_nextToken++;
    m_tokens.push_back(token);
    return token;
}

void cSoundMixerQuick::EndUpdate(int32_t token)
{
    std::lock_guard lock(m_lock);
    const auto it = std::find(m_tokens.begin(), m_tokens.end(), token);
    // An unknown token has no lock of its own to give back.
    if (it == m_tokens.end())
        return;
    m_tokens.erase(it);
    m_lock.unlock();
}

int32_t cSoundMixerQuick::GetInstanceCount() const
{
    std::lock_guard lock(m_lock);
    return static_cast<int32_t>(m_instances.size());
}

cSoundInstance* cSoundMixerQuick::GetInstance(int32_t index) const
{
    std::lock_guard lock(m_lock);
    if (index < 0 || index >= static_cast<int32_t>(m_instances.size()))
        return nullptr;
    return m_instances[index].get();
}

void cSoundMixerQuick::RemoveInstancesOf(const cSound& sound)
{
    std::lock_guard lock(m_lock);
    std::erase_if(m_instances,
                  [&sound](const auto& instance) { return instance->GetSound() == &sound; });
}

void cSoundMixerQuick::Mix(int32_t format, int32_t channels, int32_t frames, void* buffer)
{
    if (frames <= 0 || !buffer)
        return;
    channels = std::clamp(channels, 1, 2);
    std::lock_guard lock(m_lock);
    const size_t samples = static_cast<size_t>(frames) * channels;
    if (m_accumulator.size() < samples)
        m_accumulator.resize(samples);
    if (m_scratch.size() < samples)
        m_scratch.resize(samples);
    std::fill_n(m_accumulator.begin(), samples, 0);

    const bool mixable = format == kSampleFormat16 && channels == 2 && m_frequency > 0;
    for (size_t i = 0; i < m_instances.size();)
    {
        cSoundInstance& instance = *m_instances[i];
        if (mixable && !instance.IsPaused() && !instance.IsFinished())
            MixInstance(instance, frames);
        if (instance.IsFinished())
            m_instances.erase(m_instances.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }

    if (format == kSampleFormat16)
    {
        auto* out = static_cast<int16_t*>(buffer);
        for (size_t i = 0; i < samples; ++i)
            out[i] = static_cast<int16_t>(std::clamp(m_accumulator[i], -32768, 32767));
    }
    else
    {
        // Nothing is mixed in 8 bits; the device still gets silence, not garbage.
        std::memset(buffer, 0x80, samples);
    }
}

void cSoundMixerQuick::MixInstance(cSoundInstance& instance, int32_t frames)
{
    const cSound* sound = instance.GetSound();
    const float group = sound ? cSoundSystem::Get().GetGroupVolume(sound->GetGroup()) : 1.0f;
    // A muted group holds its position: the instance is neither mixed nor moved.
    if (!(group > 0.0f))
        return;

    const float volume = instance.GetVolume();
    const float pan = std::clamp(instance.GetPan(), -1.0f, 1.0f);
    int32_t left = ToGain(group * volume * 65536.0f);
    int32_t right = left;
    if (pan < 0.0f)
        right = ToGain((1.0f + pan) * volume * group * 65536.0f);
    else if (pan > 0.0f)
        left = ToGain((1.0f - pan) * volume * group * 65536.0f);

    const uint64_t step =
        std::min((static_cast<uint64_t>(instance.GetRate()) << 16) / m_frequency, kMaxStep);
    uint64_t fraction = instance.GetFraction() & 0xFFFF;
    int32_t* acc = m_accumulator.data();
    const int16_t* src = m_scratch.data();
    int32_t out = 0;
    while (out < frames && !instance.IsFinished())
    {
        // Source frames that the rest of the output reaches: the one under the
        // cursor and every step after it.
        const uint64_t needed = ((fraction + (frames - out - 1) * step) >> 16) + 1;
        const auto request = static_cast<int32_t>(std::min<uint64_t>(needed, frames));
        const int32_t delivered =
            std::min(instance.GetSamples(kSampleFormat16, 2, request, m_scratch.data()), request);
        if (delivered <= 0)
            break;
        uint64_t used = 0;
        if (step == 0x10000)
        {
            // Same rate: frame i goes to output frame i.
            const int32_t count = std::min(delivered, frames - out);
            int32_t* dst = acc + 2 * out;
            for (int32_t i = 0; i < count; ++i)
            {
                dst[2 * i] += static_cast<int32_t>((int64_t{src[2 * i]} * left) >> 16);
                dst[2 * i + 1] += static_cast<int32_t>((int64_t{src[2 * i + 1]} * right) >> 16);
            }
            out += count;
            used = static_cast<uint64_t>(count);
        }
        else
        {
            // Nearest earlier frame: repeated when slower, skipped when faster.
            while (out < frames && used < static_cast<uint64_t>(delivered))
            {
                acc[2 * out] += static_cast<int32_t>((int64_t{src[2 * used]} * left) >> 16);
                acc[2 * out + 1] +=
                    static_cast<int32_t>((int64_t{src[2 * used + 1]} * right) >> 16);
                ++out;
                const uint64_t position = fraction + step;
                used += position >> 16;
                fraction = position & 0xFFFF;
            }
        }
        instance.Advance(static_cast<int32_t>(used));
    }
    instance.SetFraction(static_cast<uint32_t>(fraction));
}

} // namespace Korva
