#pragma once

#include "engine/Sound/Ogg/OggFile.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFile.h"
#include "engine/Sound/SoundInstanceStream.h"

namespace Korva
{

// An Ogg Vorbis sound decoded while it plays (music). The compressed file stays
// in memory; each instance decodes it with a decoder of its own, so several
// instances play independently.
class cSoundStreamOgg final : public cSound
{
public:
    // Raises cException "Error loading streaming OGG sound." unless the file is
    // a mono or stereo Ogg Vorbis stream.
    explicit cSoundStreamOgg(cSoundBytes file);
    ~cSoundStreamOgg() override;

    // Raises cException "Error playing streaming OGG sound." when its decoder
    // can't be opened.
    std::unique_ptr<cSoundInstance> CreateInstance() override;
    const cSoundBytes& GetFile() const { return m_file; }
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
    cSoundBytes m_file;
    int32_t m_channels;
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
cOggPcm DecodeOgg(const uint8_t* data, size_t size);

} // namespace Korva
