// Feeds arbitrary bytes to the Ogg Vorbis sources, as a static and as a
// streaming sound, and plays what loads: no crash, no read out of bounds, no
// hang. Every page's checksum is set right first: a mutated page would
// nearly always fail it and be skipped, and the decoder behind would never
// see the change.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Sound/Ogg/SoundLoaderOgg.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFormat.h"
#include "engine/Sound/SoundMixerQuick.h"

#include <ogg/ogg.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
void SetPageChecksums(std::vector<uint8_t>& bytes)
{
    constexpr size_t kHeader = 27; // up to the segment count
    size_t at = 0;
    while (at + kHeader <= bytes.size())
    {
        if (std::memcmp(bytes.data() + at, "OggS", 4) != 0)
        {
            ++at;
            continue;
        }
        const size_t segments = bytes[at + kHeader - 1];
        const size_t headerLength = kHeader + segments;
        if (at + headerLength > bytes.size())
            return;
        size_t bodyLength = 0;
        for (size_t i = 0; i < segments; ++i)
            bodyLength += bytes[at + kHeader + i];
        if (at + headerLength + bodyLength > bytes.size())
            return;
        ogg_page page{};
        page.header = bytes.data() + at;
        page.header_len = static_cast<long>(headerLength);
        page.body = bytes.data() + at + headerLength;
        page.body_len = static_cast<long>(bodyLength);
        ogg_page_checksum_set(&page);
        at += headerLength + bodyLength;
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Every rejected input raises an exception, which would log.
    Korva::cLog::Get().SetMaxLevel(-1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The copy has exactly the input's length, so any read past it is caught.
    std::vector<uint8_t> file(data, data + size);
    SetPageChecksums(file);
    auto bytes = std::make_shared<const std::vector<uint8_t>>(std::move(file));
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
