#pragma once

#include "engine/Sound/SoundInstance.h"

#include <cstdint>
#include <vector>

namespace Korva
{

// An instance that decodes its sound while it plays, on the refill thread,
// into its own buffer of 16-bit stereo frames. Mono sources are spread over
// both channels. Looping sources start again at their first frame; a stream
// that ends, or fails to decode, finishes once its buffered frames are played.
class cSoundInstanceStream : public cSoundInstance
{
public:
    // Delivers 16-bit stereo frames only.
    int32_t GetSamples(int32_t format, int32_t channels, int32_t maxFrames, void* buffer) override;
    void Advance(int32_t frames) override;

protected:
    cSoundInstanceStream(cSound& sound, int32_t sourceChannels);

    // Decodes up to maxFrames frames of 16-bit samples with the source's channel
    // count into out. Returns the frames decoded, 0 at the end of the stream, or
    // a negative number after a decoding error (which it has logged).
    virtual int32_t Decode(int16_t* out, int32_t maxFrames) = 0;
    // Goes back to the first frame; false when that fails.
    virtual bool Rewind() = 0;

private:
    void Fill(size_t frames);

    int32_t m_sourceChannels;
    std::vector<int16_t> m_buffer; // stereo frames from m_start, m_count of them
    size_t m_start = 0;
    size_t m_count = 0;
    std::vector<int16_t> m_decoded;
    // Frames the mixer stepped over beyond what was buffered; dropped as they come.
    uint64_t m_skip = 0;
    bool m_ended = false;
    bool m_decodedSinceRewind = false;
};

} // namespace Korva
