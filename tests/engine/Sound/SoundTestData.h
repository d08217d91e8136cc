#pragma once

// Builds sound files in memory for the sound tests and benchmarks.

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace SoundTest
{

inline void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void PutU16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void PutId(std::vector<uint8_t>& out, const char* id)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(id[i]));
}

struct WavSpec
{
    uint16_t formatTag = 1;
    uint16_t channels = 2;
    uint32_t rate = 44100;
    uint16_t bits = 16;
    bool withData = true;
    // A chunk put before "fmt ", e.g. a LIST chunk; its size may be odd.
    std::string extraChunk;
};

// A WAV file holding the given sample bytes (little-endian as stored).
inline std::vector<uint8_t> MakeWav(const std::vector<uint8_t>& samples, const WavSpec& spec = {})
{
    std::vector<uint8_t> out;
    out.reserve(64 + spec.extraChunk.size() + samples.size());
    PutId(out, "RIFF");
    PutU32(out, 0); // patched below
    PutId(out, "WAVE");
    if (!spec.extraChunk.empty())
    {
        PutId(out, "LIST");
        PutU32(out, static_cast<uint32_t>(spec.extraChunk.size()));
        out.insert(out.end(), spec.extraChunk.begin(), spec.extraChunk.end());
        if (spec.extraChunk.size() % 2 != 0)
            out.push_back(0);
    }
    PutId(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, spec.formatTag);
    PutU16(out, spec.channels);
    PutU32(out, spec.rate);
    PutU32(out, spec.rate * spec.channels * spec.bits / 8);
    PutU16(out, static_cast<uint16_t>(spec.channels * spec.bits / 8));
    PutU16(out, spec.bits);
    if (spec.withData)
    {
        PutId(out, "data");
        PutU32(out, static_cast<uint32_t>(samples.size()));
        out.insert(out.end(), samples.begin(), samples.end());
    }
    const auto riffSize = static_cast<uint32_t>(out.size() - 8);
    std::memcpy(out.data() + 4, &riffSize, 4);
    return out;
}

inline std::vector<uint8_t> Bytes16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> out;
    for (int16_t s : samples)
        PutU16(out, static_cast<uint16_t>(s));
    return out;
}

inline std::vector<uint8_t> MakeWav16(const std::vector<int16_t>& samples, uint16_t channels = 2,
                                      uint32_t rate = 44100)
{
    WavSpec spec;
    spec.channels = channels;
    spec.rate = rate;
    return MakeWav(Bytes16(samples), spec);
}

struct OggSpec
{
    bool loudTone = false;
    // Each stream of a chained file needs a serial number of its own.
    int serial = 20261207;
    // Above 0: pages are cut after about this many bytes, so a packet spans
    // several of them (a file with many pages to damage).
    long pageBytes = 0;
};

// An Ogg Vorbis file of a tone (two tones in stereo) of the given length.
inline std::vector<uint8_t> EncodeOgg(int channels, long rate, long frames,
                                      const OggSpec& spec = {})
{
    std::vector<uint8_t> out;
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, channels, rate, 0.3f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, spec.serial);
    ogg_page page;
    auto putPage = [&out, &page]
    {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    while (ogg_stream_flush(&stream, &page) != 0)
        putPage();

    auto drain = [&]
    {
        ogg_packet packet;
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
            {
                ogg_stream_packetin(&stream, &packet);
                while ((spec.pageBytes > 0 ? ogg_stream_flush_fill(&stream, &page,
                                                                   static_cast<int>(spec.pageBytes))
                                           : ogg_stream_pageout(&stream, &page)) != 0)
                    putPage();
            }
        }
    };
    const float amplitude = spec.loudTone ? 0.9f : 0.5f;
    for (long done = 0; done < frames;)
    {
        const long count = std::min(frames - done, 1024L);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (long i = 0; i < count; ++i)
        {
            const double t = static_cast<double>(done + i) / rate;
            for (int c = 0; c < channels; ++c)
                buffer[c][i] =
                    amplitude * static_cast<float>(std::sin(6.2831853 * (440.0 + 220.0 * c) * t));
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        drain();
        done += count;
    }
    vorbis_analysis_wrote(&dsp, 0);
    drain();
    while (ogg_stream_flush(&stream, &page) != 0)
        putPage();

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

inline std::shared_ptr<const std::vector<uint8_t>> Share(std::vector<uint8_t> bytes)
{
    return std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
}

} // namespace SoundTest
