#include "engine/Sound/Ogg/SoundStreamOgg.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

namespace
{
constexpr uint32_t kMaxRate = 768000;
// vorbisfile reports each gap in the data once, and a damaged file may have
// many of them between good pages. Only a long run of gaps with nothing
// decoded in between means nothing playable is left.
constexpr int kMaxConsecutiveHoles = 64;

bool Playable(const vorbis_info* info)
{
    return info && (info->channels == 1 || info->channels == 2) && info->rate > 0 &&
           info->rate <= static_cast<long>(kMaxRate);
}

// The most channels any link of a file has (a chained file is several
// streams one after the other); 0 when a link can't be played.
int MostChannelsOfLinks(cOggFile& decoder)
{
    int most = 0;
    const int links = decoder.GetLinkCount();
    for (int link = 0; link < links; ++link)
    {
        const vorbis_info* info = decoder.GetLinkInfo(link);
        if (!Playable(info))
            return 0;
        most = std::max(most, info->channels);
    }
    return most;
}

// The first `frames` mono 16-bit samples of `samples` spread over both
// channels of stereo frames, in place (from the end, so nothing is
// overwritten before it is read). The buffer has room for twice as many.
void SpreadMonoToStereo(uint8_t* samples, size_t frames)
{
    for (size_t i = frames; i-- > 0;)
    {
        uint8_t sample[2];
        std::memcpy(sample, samples + 2 * i, 2);
        std::memcpy(samples + 4 * i, sample, 2);
        std::memcpy(samples + 4 * i + 2, sample, 2);
    }
}

// One block of frames with `channels` channels, decoded into `into`, which
// has room for twice `bytes` (a mono link is spread over two channels).
// Damaged stretches are skipped while no more than kMaxConsecutiveHoles come
// one after the other; `holes` carries the count from block to block.
// Frames decoded, 0 at the end, -1 on an error.
long ReadFrames(cOggFile& decoder, uint8_t* into, int bytes, int channels, bool littleEndian,
                int& holes)
{
    for (;;)
    {
        int linkChannels = 0;
        const long result = decoder.Read(into, bytes, linkChannels, littleEndian);
        if (result == OV_HOLE)
        {
            if (++holes > kMaxConsecutiveHoles)
                return -1;
            continue;
        }
        if (result == 0)
            return 0;
        if (result < 0 || linkChannels < 1 || linkChannels > channels)
            return -1;
        holes = 0;
        const size_t frames = static_cast<size_t>(result) / (2 * static_cast<size_t>(linkChannels));
        if (linkChannels < channels)
            SpreadMonoToStereo(into, frames);
        return static_cast<long>(frames);
    }
}
} // namespace

cSoundStreamOgg::cSoundStreamOgg(cSoundBytes file) : m_file(std::move(file))
{
    cOggFile decoder(m_file ? m_file->data() : nullptr, m_file ? m_file->size() : 0);
    const vorbis_info* info = decoder.Open() ? decoder.GetInfo() : nullptr;
    const int channels = info ? MostChannelsOfLinks(decoder) : 0;
    if (!Playable(info) || channels == 0)
        KORVA_THROW(cException, "Error loading streaming OGG sound.");
    // A chained file whose links differ is played with the most channels any
    // of them has; mono links are spread over both.
    m_sourceChannels = channels;
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
    if (m_pendingFrames == 0)
    {
        const int32_t decoded = DecodeMore(maxFrames);
        if (decoded <= 0)
            return decoded;
    }
    const size_t frames = std::min(m_pendingFrames, static_cast<size_t>(std::max(maxFrames, 0)));
    const size_t samples = frames * static_cast<size_t>(m_channels);
    std::memcpy(out, m_pending.data() + m_pendingStart, samples * sizeof(int16_t));
    m_pendingStart += samples;
    m_pendingFrames -= frames;
    return static_cast<int32_t>(frames);
}

int32_t cSoundInstanceStreamOgg::DecodeMore(int32_t maxFrames)
{
    // This runs on the refill thread, where an exception has nowhere to go:
    // errors are logged and end the instance. A mono link of a file played
    // in stereo is spread over both channels in place, so the buffer holds
    // twice what is asked of the decoder.
    const int bytes = std::max(maxFrames, 1) * m_channels * 2;
    m_pending.resize(static_cast<size_t>(bytes));
    m_pendingStart = 0;
    const long frames = ReadFrames(m_decoder, reinterpret_cast<uint8_t*>(m_pending.data()), bytes,
                                   m_channels, false, m_holes);
    if (frames >= 0)
    {
        m_pendingFrames = static_cast<size_t>(frames);
        return static_cast<int32_t>(frames);
    }
    cLog::Get().WriteDefault("Error playing streaming OGG sound.\n");
    return -1;
}

bool cSoundInstanceStreamOgg::Rewind()
{
    m_holes = 0;
    m_pendingFrames = 0;
    return m_decoder.Rewind();
}

cOggPcm DecodeOgg(const uint8_t* data, size_t size)
{
    cOggFile decoder(data, size);
    const vorbis_info* info = decoder.Open() ? decoder.GetInfo() : nullptr;
    const int mostChannels = info ? MostChannelsOfLinks(decoder) : 0;
    if (!Playable(info) || mostChannels == 0)
        KORVA_THROW(cException, "Error loading static OGG sound.");
    cOggPcm pcm;
    pcm.channels = mostChannels;
    pcm.rate = static_cast<uint32_t>(info->rate);
    const size_t frameBytes = 2 * static_cast<size_t>(pcm.channels);
    constexpr int kBlock = 16384;
    int holes = 0;
    for (;;)
    {
        const size_t used = pcm.frameCount * frameBytes;
        // Room for a mono block spread over two channels.
        pcm.frames.resize(used + 2 * kBlock);
        const long frames =
            ReadFrames(decoder, pcm.frames.data() + used, kBlock, pcm.channels, true, holes);
        if (frames == 0)
            break;
        if (frames < 0)
            KORVA_THROW(cException, "Error loading static OGG sound.");
        pcm.frameCount += static_cast<size_t>(frames);
    }
    pcm.frames.resize(pcm.frameCount * frameBytes);
    return pcm;
}

} // namespace Korva
