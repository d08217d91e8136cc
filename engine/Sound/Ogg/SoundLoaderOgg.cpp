#include "engine/Sound/Ogg/SoundLoaderOgg.h"

#include "engine/Sound/Ogg/SoundStreamOgg.h"
#include "engine/Sound/SoundStatic.h"

namespace Korva
{

bool cSoundLoaderOgg::Accepts(const std::string& extension) const
{
    return extension == "ogg" || extension == "OGG";
}

std::unique_ptr<cSound> cSoundLoaderOgg::Create(const std::string& file, bool streaming)
{
    return CreateFromMemory(ReadSoundFile(file), streaming);
}

std::unique_ptr<cSound> cSoundLoaderOgg::CreateFromMemory(cSoundBytes file, bool streaming)
{
    if (streaming)
        return std::make_unique<cSoundStreamOgg>(std::move(file));
    const cOggPcm pcm = DecodeOgg(file ? file->data() : nullptr, file ? file->size() : 0);
    return std::make_unique<cSoundStatic>(pcm.frames.data(), pcm.frameCount, kSampleFormat16,
                                          pcm.channels, pcm.rate);
}

} // namespace Korva
