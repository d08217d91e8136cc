#pragma once

#include "engine/Sound/SoundFile.h"
#include "engine/Sound/SoundLoader.h"

namespace Korva
{

// Makes sounds of PCM WAV files (".wav" or ".WAV").
class cSoundLoaderWav : public cSoundLoader
{
public:
    bool Accepts(const std::string& extension) const override;
    std::unique_ptr<cSound> Create(const std::string& file, bool streaming) override;

    // A static sound raises "Error loading static WAV sound.", a streaming one
    // "Error loading streaming WAV sound." for a bad file.
    static std::unique_ptr<cSound> CreateFromMemory(cSoundBytes file, bool streaming);
};

} // namespace Korva
