#pragma once

#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFile.h"
#include "engine/Sound/SoundInstanceStream.h"
#include "engine/Sound/Wav/WavHeader.h"

namespace Korva
{

// A WAV sound read while it plays. The file stays in memory; each instance
// reads it with its own position inside the data chunk.
class cSoundStreamWav final : public cSound
{
public:
    // Raises cException "Error loading streaming WAV sound." for a bad header.
    explicit cSoundStreamWav(cSoundBytes file);
    ~cSoundStreamWav() override;

    std::unique_ptr<cSoundInstance> CreateInstance() override;
    const cWavHeader& GetHeader() const { return m_header; }
    const uint8_t* GetFileData() const { return m_file->data(); }

private:
    cSoundBytes m_file;
    cWavHeader m_header;
};

class cSoundInstanceStreamWav final : public cSoundInstanceStream
{
public:
    explicit cSoundInstanceStreamWav(cSoundStreamWav& sound);

protected:
    int32_t Decode(int16_t* out, int32_t maxFrames) override;
    bool Rewind() override;

private:
    cSoundStreamWav& m_sound;
    size_t m_frame = 0;
};

} // namespace Korva
