#include "engine/Sound/Ogg/SoundStreamOgg.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"

namespace Korva
{

namespace
{
constexpr uint32_t kMaxRate = 768000;
// vorbisfile reports a gap in the data once per gap; a file made of nothing
// but gaps must still come to an end.
constexpr int kMaxHoles = 64;

bool Playable(const vorbis_info* info)
{
    return info && (info->channels == 1 || info->channels == 2) && info->rate > 0 &&
           info->rate <= static_cast<long>(kMaxRate);
}
} // namespace

cSoundStreamOgg::cSoundStreamOgg(cSoundBytes file) : m_file(std::move(file))
{
    cOggFile decoder(m_file ? m_file->data() : nullptr, m_file ? m_file->size() : 0);
    const vorbis_info* info = decoder.Open() ? decoder.GetInfo() : nullptr;
    if (!Playable(info))
        KORVA_THROW(cException, "Error loading streaming OGG sound.");
    m_sourceChannels = info->channels;
    // Instances deliver 16-bit stereo whatever the stream holds.
    SetFrames(kSampleFormat16, 2, static_cast<uint32_t>(info->rate));
}

cSoundStreamOgg::~cSoundStreamOgg()
{
    ReleaseInstances();
}

std::unique_ptr<cSoundInstance> cSoundStreamOgg::CreateInstance()
{
    return std::make_unique<cSoundInstanceStreamOgg>(*this);
}

cSoundInstanceStreamOgg::cSoundInstanceStreamOgg(cSoundStreamOgg& sound)
    : cSoundInstanceStream(sound, sound.GetSourceChannels()), m_file(sound.GetFile()),
      m_channels(sound.GetSourceChannels()), m_decoder(m_file->data(), m_file->size())
{
    if (!m_decoder.Open())
        KORVA_THROW(cException, "Error playing streaming OGG sound.");
}

int32_t cSoundInstanceStreamOgg::Decode(int16_t* out, int32_t maxFrames)
{
    // This runs on the refill thread, where an exception has nowhere to go:
    // errors are logged and end the instance.
    const int bytes = maxFrames * m_channels * 2;
    for (int holes = 0; holes <= kMaxHoles;)
    {
        int channels = 0;
        const long result = m_decoder.Read(out, bytes, channels);
        if (result == OV_HOLE)
        {
            ++holes;
            continue;
        }
        if (result < 0 || (result > 0 && channels != m_channels))
            break;
        return static_cast<int32_t>(result / (2 * m_channels));
    }
    cLog::Get().WriteDefault("Error playing streaming OGG sound.\n");
    return -1;
}

bool cSoundInstanceStreamOgg::Rewind()
{
    return m_decoder.Rewind();
}

cOggPcm DecodeOgg(const uint8_t* data, size_t size)
{
    cOggFile decoder(data, size);
    const vorbis_info* info = decoder.Open() ? decoder.GetInfo() : nullptr;
    if (!Playable(info))
        KORVA_THROW(cException, "Error loading static OGG sound.");
    cOggPcm pcm;
    pcm.channels = info->channels;
    pcm.rate = static_cast<uint32_t>(info->rate);
    const size_t frameBytes = 2 * static_cast<size_t>(pcm.channels);
    constexpr int kBlock = 16384;
    int holes = 0;
    for (;;)
    {
        const size_t used = pcm.frameCount * frameBytes;
        pcm.frames.resize(used + kBlock);
        int channels = 0;
        const long result = decoder.Read(pcm.frames.data() + used, kBlock, channels, true);
        if (result == 0)
            break;
        if (result == OV_HOLE && ++holes <= kMaxHoles)
            continue;
        if (result < 0 || channels != pcm.channels)
            KORVA_THROW(cException, "Error loading static OGG sound.");
        pcm.frameCount += static_cast<size_t>(result) / frameBytes;
    }
    pcm.frames.resize(pcm.frameCount * frameBytes);
    return pcm;
}

} // namespace Korva
