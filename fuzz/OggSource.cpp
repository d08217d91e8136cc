// Feeds arbitrary bytes to the Ogg Vorbis sources, as a static and as a
// streaming sound, and plays what loads: no crash, no read out of bounds, no
// hang.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Sound/Ogg/SoundLoaderOgg.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFormat.h"
#include "engine/Sound/SoundMixerQuick.h"

#include <cstdint>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Every rejected input raises an exception, which would log.
    Korva::cLog::Get().SetMaxLevel(-1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The copy has exactly the input's length, so any read past it is caught.
    auto bytes = std::make_shared<const std::vector<uint8_t>>(data, data + size);
    std::vector<int16_t> buffer(512 * 2);
    for (const bool streaming : {false, true})
    {
        std::unique_ptr<Korva::cSound> sound;
        try
        {
            sound = Korva::cSoundLoaderOgg::CreateFromMemory(bytes, streaming);
        }
        catch (const Korva::cException&)
        {
            continue;
        }
        Korva::cSoundMixerQuick mixer;
        try
        {
            // One instance once through at its own rate, one looping at
            // another rate.
            mixer.Play(*sound);
            sound->SetLooping(true);
            mixer.Play(*sound, 0.5f, -0.5f, 30000);
        }
        catch (const Korva::cException&)
        {
            // A streaming decoder that can't open: logged, nothing plays.
        }
        for (int i = 0; i < 16; ++i)
            mixer.Mix(Korva::kSampleFormat16, 2, 512, buffer.data());
    }
    return 0;
}
