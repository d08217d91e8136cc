// Feeds arbitrary bytes to the WAV reader as a static and as a streaming
// sound and plays what loads: no crash, no read out of bounds, no hang.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFormat.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"
#include "engine/Sound/Wav/WavHeader.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Exceptions log their text; the fuzzer's millions of them need not be kept.
    Korva::cLog::Get().SetMaxLevel(0);
    try
    {
        const Korva::cWavHeader header = Korva::ParseWavHeader(data, size, "Bad WAV.");
        if (header.dataOffset + header.dataSize > size)
            std::abort();
    }
    catch (const Korva::cException&)
    {
        return 0;
    }
    // The copy has exactly the input's length, so any read past it is caught.
    auto bytes = std::make_shared<const std::vector<uint8_t>>(data, data + size);
    Korva::cSoundMixerQuick mixer;
    std::vector<int16_t> buffer(512 * 2);
    for (bool streaming : {false, true})
    {
        try
        {
            auto sound = Korva::cSoundLoaderWav::CreateFromMemory(bytes, streaming);
            sound->SetLooping(true);
            mixer.Play(*sound, 1.0f, 0.0f, 30000);
            mixer.Play(*sound);
            for (int i = 0; i < 4; ++i)
                mixer.Mix(Korva::kSampleFormat16, 2, 512, buffer.data());
        }
        catch (const Korva::cException&)
        {
            std::abort(); // the header was accepted above
        }
    }
    return 0;
}
