#pragma once

#include "engine/Sound/Ogg/OggFile.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFile.h"
#include "engine/Sound/SoundInstanceStream.h"

#include <vector>

namespace Korva
{

// An Ogg Vorbis sound decoded while it plays (music). The compressed file stays
// in memory; each instance decodes it with a decoder of its own, so several
// instances play independently.
class cSoundStreamOgg final : public cSound
{
public:
    // Raises cException "Error loading streaming OGG sound." unless the file is
    // an Ogg Vorbis stream whose links are all mono or stereo.
    explicit cSoundStreamOgg(cSoundBytes file);
    ~cSoundStreamOgg() override;

    // Raises cException "Error playing streaming OGG sound." when its decoder
    // can't be opened.
    std::unique_ptr<cSoundInstance> CreateInstance() override;
    const cSoundBytes& GetFile() const { return m_file; }
    // The most channels any link of the file has.
    int32_t GetSourceChannels() const { return m_sourceChannels; }

private:
    cSoundBytes m_file;
    int32_t m_sourceChannels = 2;
};

class cSoundInstanceStreamOgg final : public cSoundInstanceStream
{
public:
    explicit cSoundInstanceStreamOgg(cSoundStreamOgg& sound);

protected:
    int32_t Decode(int16_t* out, int32_t maxFrames) override;
    bool Rewind() override;

private:
    // Decodes the next piece of the stream into the pending frames: their
    // count, 0 at the end, or -1 after an error (logged).
    int32_t DecodeMore(int32_t maxFrames);

    cSoundBytes m_file;
    int32_t m_channels;
    // Gaps in the data reported one after the other, nothing decoded between.
    int m_holes = 0;
    // Decoded frames not handed out yet, with m_channels samples each.
    std::vector<int16_t> m_pending;
    size_t m_pendingStart = 0; // in samples
    size_t m_pendingFrames = 0;
    cOggFile m_decoder;
};

// The whole stream decoded to 16-bit little-endian frames, for static sounds.
struct cOggPcm
{
    std::vector<uint8_t> frames;
    size_t frameCount = 0;
    int32_t channels = 0;
    uint32_t rate = 0;
};

// Raises cException "Error loading static OGG sound." for a bad or corrupt file.
// A chained file gets the most channels of its links (mono links are spread
// over both) and the first link's rate.
cOggPcm DecodeOgg(const uint8_t* data, size_t size);

} // namespace Korva
