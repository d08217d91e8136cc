#include "engine/Core/Exception.h"
#include "engine/Sound/Ogg/SoundLoaderOgg.h"
#include "engine/Sound/Ogg/SoundStreamOgg.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFormat.h"
#include "engine/Sound/SoundInstance.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/SoundStatic.h"
#include "engine/Sound/SoundSystem.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"

#include "tests/engine/Sound/SoundTestData.h"

#include <gtest/gtest.h>

using namespace Korva;
using SoundTest::Share;

namespace
{

constexpr int kBlock = 2205;

std::vector<int16_t> MixBlocks(cSoundMixerQuick& mixer, int blocks)
{
    std::vector<int16_t> out(static_cast<size_t>(blocks) * kBlock * 2);
    for (int i = 0; i < blocks; ++i)
        mixer.Mix(kSampleFormat16, 2, kBlock, out.data() + static_cast<size_t>(i) * kBlock * 2);
    return out;
}

std::vector<int16_t> Play(cSound& sound, int blocks)
{
    cSoundMixerQuick mixer;
    mixer.Play(sound);
    return MixBlocks(mixer, blocks);
}

const std::vector<uint8_t>& StereoTone()
{
    static const auto file = SoundTest::EncodeOgg(2, 44100, 20000);
    return file;
}

std::string LoadError(const std::vector<uint8_t>& file, bool streaming)
{
    try
    {
        cSoundLoaderOgg::CreateFromMemory(Share(file), streaming);
    }
    catch (const cException& e)
    {
        return e.GetMessage();
    }
    return "loaded";
}

bool Silent(const std::vector<int16_t>& samples, size_t from)
{
    for (size_t i = from; i < samples.size(); ++i)
    {
        if (samples[i] != 0)
            return false;
    }
    return true;
}

} // namespace

TEST(Ogg, StreamedDecodesToTheSameFramesAsStatic)
{
    const auto file = Share(StereoTone());
    auto loaded = cSoundLoaderOgg::CreateFromMemory(file, false);
    auto streamed = cSoundLoaderOgg::CreateFromMemory(file, true);
    EXPECT_EQ(loaded->GetFrequency(), 44100u);
    EXPECT_EQ(streamed->GetFrequency(), 44100u);

    const auto expected = Play(*loaded, 12);
    EXPECT_EQ(Play(*streamed, 12), expected);
    // The tone is there, and it ends after its 20000 frames.
    EXPECT_GT(*std::max_element(expected.begin(), expected.end()), 8000);
    EXPECT_TRUE(Silent(expected, 20000 * 2));
    EXPECT_FALSE(Silent(expected, 19000 * 2));
}

TEST(Ogg, StreamedInstancesEndOrLoopAndPlayIndependently)
{
    auto music = cSoundLoaderOgg::CreateFromMemory(Share(StereoTone()), true);
    cSoundMixerQuick once;
    once.Play(*music);
    MixBlocks(once, 10);
    EXPECT_EQ(once.GetInstanceCount(), 0);

    music->SetLooping(true);
    cSoundMixerQuick looping;
    looping.Play(*music);
    const auto first = MixBlocks(looping, 2);
    MixBlocks(looping, 8); // past the end: 22050 frames of 20000
    EXPECT_EQ(looping.GetInstanceCount(), 1);
    // A second instance started now begins at the start, not where the first is.
    looping.Play(*music);
    cSoundMixerQuick reference;
    reference.Play(*music);
    MixBlocks(reference, 10);
    reference.Play(*music);
    EXPECT_EQ(MixBlocks(looping, 1), MixBlocks(reference, 1));
    EXPECT_NE(first, std::vector<int16_t>(first.size(), 0));
}

TEST(Ogg, MonoStreamFillsBothChannels)
{
    auto sound =
        cSoundLoaderOgg::CreateFromMemory(Share(SoundTest::EncodeOgg(1, 22050, 5000)), true);
    EXPECT_EQ(sound->GetFrequency(), 22050u);
    const auto out = Play(*sound, 2);
    bool sounding = false;
    for (size_t i = 0; i < out.size(); i += 2)
    {
        ASSERT_EQ(out[i], out[i + 1]) << i;
        sounding = sounding || out[i] != 0;
    }
    EXPECT_TRUE(sounding);
}

TEST(Ogg, BadFilesFailToLoad)
{
    const std::vector<uint8_t> garbage(5000, 0x5A);
    EXPECT_EQ(LoadError(garbage, true), "Error loading streaming OGG sound.");
    EXPECT_EQ(LoadError(garbage, false), "Error loading static OGG sound.");
    EXPECT_EQ(LoadError({}, true), "Error loading streaming OGG sound.");
    const auto& tone = StereoTone();
    // Only the first page: the headers are not all there.
    EXPECT_EQ(LoadError({tone.begin(), tone.begin() + 60}, true),
              "Error loading streaming OGG sound.");
}

TEST(Ogg, DamagedStreamsEndWithoutHanging)
{
    const auto& tone = StereoTone();
    std::vector<std::vector<uint8_t>> damaged;
    damaged.emplace_back(tone.begin(), tone.begin() + static_cast<std::ptrdiff_t>(tone.size() / 2));
    for (size_t stride : {97u, 13u, 3u})
    {
        auto file = tone;
        for (size_t i = file.size() / 3; i < file.size(); i += stride)
            file[i] ^= 0xA5;
        damaged.push_back(file);
    }
    for (const auto& file : damaged)
    {
        for (bool looping : {false, true})
        {
            std::unique_ptr<cSound> sound;
            try
            {
                sound = cSoundLoaderOgg::CreateFromMemory(Share(file), true);
            }
            catch (const cException&)
            {
                continue;
            }
            sound->SetLooping(looping);
            cSoundMixerQuick mixer;
            mixer.Play(*sound);
            MixBlocks(mixer, 40);
            // A stream that is still playing must be looping, never stuck.
            if (!looping)
            {
                EXPECT_EQ(mixer.GetInstanceCount(), 0);
            }
        }
        try
        {
            auto loaded = cSoundLoaderOgg::CreateFromMemory(Share(file), false);
            // Damaged pages are dropped, never invented.
            EXPECT_LE(dynamic_cast<cSoundStatic&>(*loaded).GetFrameCount(), 20000u);
        }
        catch (const cException& e)
        {
            EXPECT_EQ(e.GetMessage(), "Error loading static OGG sound.");
        }
    }
}

// Where each page of an Ogg file begins.
std::vector<size_t> PageStarts(const std::vector<uint8_t>& file)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i + 4 <= file.size(); ++i)
        if (file[i] == 'O' && file[i + 1] == 'g' && file[i + 2] == 'g' && file[i + 3] == 'S')
            starts.push_back(i);
    return starts;
}

// Damages the page's body, so its checksum fails and it is skipped: a gap.
void DamagePage(std::vector<uint8_t>& file, size_t start)
{
    const size_t segments = file[start + 26];
    file[start + 27 + segments] ^= 0x5A;
}

std::unique_ptr<cSound> LoadOrNull(const std::vector<uint8_t>& file, bool streaming)
{
    try
    {
        return cSoundLoaderOgg::CreateFromMemory(Share(file), streaming);
    }
    catch (const cException&)
    {
        return nullptr;
    }
}

TEST(Ogg, StaticAndStreamedAgreeOnFilesWithManyDamagedPages)
{
    // A page for every packet: some 600 of them. At half the mixer's rate
    // each frame plays twice.
    SoundTest::OggSpec spec;
    spec.pageBytes = 1;
    const auto tone = SoundTest::EncodeOgg(1, 22050, 300000, spec);
    const std::vector<size_t> pages = PageStarts(tone);
    ASSERT_GT(pages.size(), 580u);
    // Every fourth page after the headers (some 150 gaps, with good pages
    // between them), or 80 pages in a row (one long gap).
    auto scattered = tone;
    int damaged = 0;
    for (size_t i = 4; i < pages.size(); i += 4, ++damaged)
        DamagePage(scattered, pages[i]);
    ASSERT_GT(damaged, 140);
    auto run = tone;
    for (size_t i = 100; i < 180; ++i)
        DamagePage(run, pages[i]);
    for (const auto* file : {&scattered, &run})
    {
        auto loaded = LoadOrNull(*file, false);
        auto streamed = LoadOrNull(*file, true);
        ASSERT_TRUE(loaded) << "the good pages are a sound";
        ASSERT_TRUE(streamed);
        const size_t frames = dynamic_cast<cSoundStatic&>(*loaded).GetFrameCount();
        EXPECT_GT(frames, 200000u);
        EXPECT_LT(frames, 300000u);
        const auto expected = Play(*loaded, 280);
        EXPECT_EQ(Play(*streamed, 280), expected);
        EXPECT_FALSE(Silent(expected, 2 * (frames - 1000))) << "it plays to its end";
    }
}

TEST(Ogg, ChainedFilesWhoseChannelCountChangesPlayEveryLink)
{
    // A mono link, then a stereo one: each link is spread to stereo as it
    // comes, by the static and the streamed sound alike.
    SoundTest::OggSpec second;
    second.serial = 77;
    auto chain = SoundTest::EncodeOgg(1, 44100, 8000);
    const auto stereo = SoundTest::EncodeOgg(2, 44100, 8000, second);
    // Every link has its audio in one page: vorbisfile once skipped such a
    // first link altogether.
    chain.insert(chain.end(), stereo.begin(), stereo.end());
    for (const bool stereoFirst : {false, true})
    {
        std::vector<uint8_t> file = chain;
        if (stereoFirst)
        {
            SoundTest::OggSpec first;
            first.serial = 78;
            file = SoundTest::EncodeOgg(2, 44100, 8000, first);
            const auto mono = SoundTest::EncodeOgg(1, 44100, 8000);
            file.insert(file.end(), mono.begin(), mono.end());
        }
        auto loaded = LoadOrNull(file, false);
        auto streamed = LoadOrNull(file, true);
        ASSERT_TRUE(loaded) << stereoFirst;
        ASSERT_TRUE(streamed) << stereoFirst;
        EXPECT_EQ(dynamic_cast<cSoundStatic&>(*loaded).GetFrameCount(), 16000u) << stereoFirst;
        const auto expected = Play(*loaded, 8);
        EXPECT_EQ(Play(*streamed, 8), expected) << stereoFirst;
        // The mono link has the same sample on both sides, the stereo one
        // (a second tone on the right) does not.
        const size_t monoStart = stereoFirst ? 8000 : 0;
        const size_t stereoStart = stereoFirst ? 0 : 8000;
        bool monoSounds = false;
        for (size_t i = monoStart + 1000; i < monoStart + 7000; ++i)
        {
            ASSERT_EQ(expected[2 * i], expected[2 * i + 1]) << stereoFirst << " " << i;
            monoSounds = monoSounds || expected[2 * i] != 0;
        }
        EXPECT_TRUE(monoSounds) << stereoFirst;
        int differing = 0;
        for (size_t i = stereoStart + 1000; i < stereoStart + 7000; ++i)
            differing += expected[2 * i] != expected[2 * i + 1];
        EXPECT_GT(differing, 3000) << stereoFirst;
    }
}

TEST(Ogg, LoadersAreChosenByExactExtension)
{
    cSoundLoaderOgg ogg;
    cSoundLoaderWav wav;
    EXPECT_TRUE(ogg.Accepts("ogg"));
    EXPECT_TRUE(ogg.Accepts("OGG"));
    EXPECT_FALSE(ogg.Accepts("Ogg"));
    EXPECT_TRUE(wav.Accepts("WAV"));
    EXPECT_FALSE(wav.Accepts("wave"));
    EXPECT_EQ(SoundFileExtension("Music/Menu.Ogg"), "Ogg");
    EXPECT_EQ(SoundFileExtension("a.b/Readme"), "b/Readme");
    EXPECT_EQ(SoundFileExtension("Readme"), "Readme");
    // No loader for the extension: no sound, and the file is never opened.
    EXPECT_EQ(cSoundSystem::Get().CreateSound("/nowhere/Menu.Ogg", true), nullptr);
}
