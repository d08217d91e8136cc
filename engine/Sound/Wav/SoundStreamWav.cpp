#include "engine/Sound/Wav/SoundStreamWav.h"

#include "engine/Sound/SampleConversion.h"

#include <algorithm>

namespace Korva
{

cSoundStreamWav::cSoundStreamWav(cSoundBytes file)
    : m_file(std::move(file)),
      m_header(ParseWavHeader(m_file ? m_file->data() : nullptr, m_file ? m_file->size() : 0,
                              "Error loading streaming WAV sound."))
{
    // Instances deliver 16-bit stereo whatever the file holds.
    SetFrames(kSampleFormat16, 2, m_header.rate);
}

cSoundStreamWav::~cSoundStreamWav()
{
    ReleaseInstances();
}

std::unique_ptr<cSoundInstance> cSoundStreamWav::CreateInstance()
{
    return std::make_unique<cSoundInstanceStreamWav>(*this);
}

cSoundInstanceStreamWav::cSoundInstanceStreamWav(cSoundStreamWav& sound)
    : cSoundInstanceStream(sound, sound.GetHeader().channels), m_sound(sound)
{
}

int32_t cSoundInstanceStreamWav::Decode(int16_t* out, int32_t maxFrames)
{
    const cWavHeader& header = m_sound.GetHeader();
    const size_t frames =
        std::min(header.frameCount - m_frame, static_cast<size_t>(std::max(maxFrames, 0)));
    const uint8_t* source =
        m_sound.GetFileData() + header.dataOffset + m_frame * header.FrameBytes();
    ConvertFrames(source, header.format, header.channels, out, kSampleFormat16, header.channels,
                  frames);
    m_frame += frames;
    return static_cast<int32_t>(frames);
}

bool cSoundInstanceStreamWav::Rewind()
{
    m_frame = 0;
    return true;
}

} // namespace Korva
