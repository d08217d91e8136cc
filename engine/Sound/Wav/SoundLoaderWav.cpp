#include "engine/Sound/Wav/SoundLoaderWav.h"

#include "engine/Sound/SoundStatic.h"
#include "engine/Sound/Wav/SoundStreamWav.h"
#include "engine/Sound/Wav/WavHeader.h"

namespace Korva
{

bool cSoundLoaderWav::Accepts(const std::string& extension) const
{
    return extension == "wav" || extension == "WAV";
}

std::unique_ptr<cSound> cSoundLoaderWav::Create(const std::string& file, bool streaming)
{
    return CreateFromMemory(ReadSoundFile(file), streaming);
}

std::unique_ptr<cSound> cSoundLoaderWav::CreateFromMemory(cSoundBytes file, bool streaming)
{
    if (streaming)
        return std::make_unique<cSoundStreamWav>(std::move(file));
    const uint8_t* data = file ? file->data() : nullptr;
    const cWavHeader header =
        ParseWavHeader(data, file ? file->size() : 0, "Error loading static WAV sound.");
    return std::make_unique<cSoundStatic>(data + header.dataOffset, header.frameCount,
                                          header.format, header.channels, header.rate);
}

} // namespace Korva
