#pragma once

#include "engine/Sound/SoundFile.h"
#include "engine/Sound/SoundLoader.h"

namespace Korva
{

// Makes sounds of Ogg Vorbis files (".ogg" or ".OGG").
class cSoundLoaderOgg : public cSoundLoader
{
public:
    bool Accepts(const std::string& extension) const override;
    std::unique_ptr<cSound> Create(const std::string& file, bool streaming) override;

    static std::unique_ptr<cSound> CreateFromMemory(cSoundBytes file, bool streaming);
};

} // namespace Korva
