#include "engine/Sound/SoundInstanceStream.h"

#include "engine/Sound/SoundFormat.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

cSoundInstanceStream::cSoundInstanceStream(cSound& sound, int32_t sourceChannels)
    : cSoundInstance(sound), m_sourceChannels(sourceChannels == 1 ? 1 : 2)
{
}

int32_t cSoundInstanceStream::GetSamples(int32_t format, int32_t channels, int32_t maxFrames,
                                         void* buffer)
{
    if (format != kSampleFormat16 || channels != 2 || maxFrames <= 0)
        return 0;
    Fill(static_cast<size_t>(maxFrames));
    const size_t frames = std::min(m_count, static_cast<size_t>(maxFrames));
    std::memcpy(buffer, m_buffer.data() + 2 * m_start, frames * 2 * sizeof(int16_t));
    if (m_ended && m_count == 0)
        Finish();
    return static_cast<int32_t>(frames);
}

void cSoundInstanceStream::Advance(int32_t frames)
{
    if (frames <= 0)
        return;
    const size_t consumed = std::min(m_count, static_cast<size_t>(frames));
    m_start += consumed;
    m_count -= consumed;
    m_skip += static_cast<size_t>(frames) - consumed;
    if (m_count == 0)
        m_start = 0;
    if (m_ended && m_count == 0)
        Finish();
}

void cSoundInstanceStream::Fill(size_t frames)
{
    if (m_count >= frames || m_ended)
        return;
    // Keep what is buffered at the front, with room for the whole request.
    if (m_start > 0)
    {
        std::memmove(m_buffer.data(), m_buffer.data() + 2 * m_start, m_count * 2 * sizeof(int16_t));
        m_start = 0;
    }
    if (m_buffer.size() < frames * 2)
        m_buffer.resize(frames * 2);
    if (m_decoded.size() < frames * m_sourceChannels)
        m_decoded.resize(frames * m_sourceChannels);

    while (m_count < frames && !m_ended)
    {
        const auto want = static_cast<int32_t>(frames - m_count);
        const int32_t decoded = Decode(m_decoded.data(), want);
        if (decoded < 0)
        {
            m_ended = true;
        }
        else if (decoded == 0)
        {
            // A looping stream that gave nothing since its last start would
            // loop forever without a frame; it ends instead.
            if (IsLooping() && m_decodedSinceRewind && Rewind())
                m_decodedSinceRewind = false;
            else
                m_ended = true;
        }
        else
        {
            m_decodedSinceRewind = true;
            const size_t got = std::min(static_cast<size_t>(decoded), static_cast<size_t>(want));
            const size_t skipped = std::min<uint64_t>(m_skip, got);
            m_skip -= skipped;
            const int16_t* source = m_decoded.data() + skipped * m_sourceChannels;
            int16_t* out = m_buffer.data() + 2 * m_count;
            for (size_t i = skipped; i < got; ++i)
            {
                out[0] = source[0];
                out[1] = source[m_sourceChannels - 1];
                source += m_sourceChannels;
                out += 2;
            }
            m_count += got - skipped;
        }
    }
}

} // namespace Korva
