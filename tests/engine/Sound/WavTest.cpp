#include "engine/Core/Exception.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFormat.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/SoundStatic.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"
#include "engine/Sound/Wav/WavHeader.h"

#include "tests/engine/Sound/SoundTestData.h"

#include <gtest/gtest.h>

using namespace Korva;
using SoundTest::MakeWav;
using SoundTest::Share;

namespace
{

std::string LoadError(const std::vector<uint8_t>& file, bool streaming)
{
    try
    {
        cSoundLoaderWav::CreateFromMemory(Share(file), streaming);
    }
    catch (const cException& e)
    {
        return e.GetMessage();
    }
    return "loaded";
}

std::vector<int16_t> MixAll(cSound& sound, int frames)
{
    cSoundMixerQuick mixer;
    mixer.Play(sound);
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    mixer.Mix(kSampleFormat16, 2, frames, out.data());
    return out;
}

} // namespace

TEST(Wav, ReadsFormatAndDataPastOtherChunks)
{
    SoundTest::WavSpec spec;
    spec.channels = 1;
    spec.rate = 22050;
    spec.extraChunk = "INFOodd"; // odd size, followed by its pad byte
    const auto file = MakeWav(SoundTest::Bytes16({1, 2, 3}), spec);
    const cWavHeader header = ParseWavHeader(file.data(), file.size(), "bad");
    EXPECT_EQ(header.format, kSampleFormat16);
    EXPECT_EQ(header.channels, 1);
    EXPECT_EQ(header.rate, 22050u);
    EXPECT_EQ(header.frameCount, 3u);
    EXPECT_EQ(file[header.dataOffset], 1);
}

TEST(Wav, BadHeadersFailWithTheLoadersMessage)
{
    const auto samples = SoundTest::Bytes16({1, 2, 3, 4});
    SoundTest::WavSpec noData;
    noData.withData = false;
    SoundTest::WavSpec floating;
    floating.formatTag = 3;
    SoundTest::WavSpec noChannels;
    noChannels.channels = 0;
    SoundTest::WavSpec noRate;
    noRate.rate = 0;
    SoundTest::WavSpec absurdRate;
    absurdRate.rate = 0xFFFFFFFF;
    SoundTest::WavSpec bits24;
    bits24.bits = 24;
    for (const auto& spec : {noData, floating, noChannels, noRate, absurdRate, bits24})
    {
        EXPECT_EQ(LoadError(MakeWav(samples, spec), false), "Error loading static WAV sound.");
        EXPECT_EQ(LoadError(MakeWav(samples, spec), true), "Error loading streaming WAV sound.");
    }

    auto notWave = MakeWav(samples);
    notWave[8] = 'X';
    EXPECT_EQ(LoadError(notWave, false), "Error loading static WAV sound.");
    // Cut inside the "fmt " chunk.
    const auto whole = MakeWav(samples);
    EXPECT_EQ(LoadError({whole.begin(), whole.begin() + 30}, false),
              "Error loading static WAV sound.");
    EXPECT_EQ(LoadError({}, true), "Error loading streaming WAV sound.");
}

TEST(Wav, DataChunkLongerThanTheFileIsCutToWholeFrames)
{
    // Two stereo frames and half of a third; the header claims far more.
    auto file = MakeWav(SoundTest::Bytes16({10, 20, 30, 40, 50}));
    const size_t dataSizeAt = file.size() - 10 - 4;
    file[dataSizeAt + 2] = 0x7F;
    const cWavHeader header = ParseWavHeader(file.data(), file.size(), "bad");
    EXPECT_EQ(header.frameCount, 2u);
    EXPECT_EQ(header.dataSize, 8u);
}

TEST(Wav, EightBitAndMonoAreConvertedToSixteenBitStereo)
{
    SoundTest::WavSpec spec;
    spec.channels = 1;
    spec.bits = 8;
    auto sound = cSoundLoaderWav::CreateFromMemory(Share(MakeWav({0x80, 0xFF, 0x00}, spec)), false);
    EXPECT_EQ(sound->GetFormat(), kSampleFormat16);
    EXPECT_EQ(sound->GetChannels(), 2);
    EXPECT_EQ(MixAll(*sound, 3), (std::vector<int16_t>{0, 0, 32512, 32512, -32768, -32768}));
}

TEST(Wav, StreamedPlaysTheSameFramesAsStatic)
{
    std::vector<int16_t> samples;
    for (int i = 0; i < 5000; ++i)
        samples.push_back(static_cast<int16_t>(i * 7 - 17000));
    const auto file = Share(SoundTest::MakeWav16(samples, 1, 44100));
    auto loaded = cSoundLoaderWav::CreateFromMemory(file, false);
    auto streamed = cSoundLoaderWav::CreateFromMemory(file, true);
    EXPECT_EQ(streamed->GetFrequency(), 44100u);
    EXPECT_EQ(MixAll(*streamed, 6000), MixAll(*loaded, 6000));
}

TEST(Wav, StreamedLoopRestartsAtTheData)
{
    auto sound =
        cSoundLoaderWav::CreateFromMemory(Share(SoundTest::MakeWav16({1, 1, 2, 2, 3, 3})), true);
    sound->SetLooping(true);
    cSoundMixerQuick mixer;
    mixer.Play(*sound);
    for (int block = 0; block < 3; ++block)
    {
        std::vector<int16_t> out(8);
        mixer.Mix(kSampleFormat16, 2, 4, out.data());
        const int16_t first = static_cast<int16_t>((block * 4) % 3 + 1);
        EXPECT_EQ(out[0], first) << block;
        EXPECT_EQ(out[2], first % 3 + 1) << block;
    }
    EXPECT_EQ(mixer.GetInstanceCount(), 1);

    // Several instances of one streaming sound keep their own positions.
    mixer.Play(*sound);
    std::vector<int16_t> out(2);
    mixer.Mix(kSampleFormat16, 2, 1, out.data());
    EXPECT_EQ(out[0], 1 + 1); // the first one's frame 12 % 3 = 0, the new one's frame 0
}
