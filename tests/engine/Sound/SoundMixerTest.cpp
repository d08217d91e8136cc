#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFormat.h"
#include "engine/Sound/SoundInstance.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/SoundStatic.h"
#include "engine/Sound/SoundSystem.h"

#include "tests/engine/Sound/SoundTestData.h"

#include <gtest/gtest.h>

using namespace Korva;

namespace
{

std::vector<int16_t> Mix(cSoundMixerQuick& mixer, int frames)
{
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);
    mixer.Mix(kSampleFormat16, 2, frames, out.data());
    return out;
}

// A static stereo sound whose frame i is (left[i], right[i]) interleaved.
std::unique_ptr<cSoundStatic> Stereo(const std::vector<int16_t>& interleaved, uint32_t rate = 44100)
{
    const auto bytes = SoundTest::Bytes16(interleaved);
    return std::make_unique<cSoundStatic>(bytes.data(), interleaved.size() / 2, kSampleFormat16, 2,
                                          rate);
}

// Left channel = frame number * 100, right = its negative.
std::unique_ptr<cSoundStatic> Ramp(int frames, uint32_t rate = 44100)
{
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i)
    {
        samples.push_back(static_cast<int16_t>(i * 100));
        samples.push_back(static_cast<int16_t>(-i * 100));
    }
    return Stereo(samples, rate);
}

std::vector<int16_t> Lefts(const std::vector<int16_t>& mixed)
{
    std::vector<int16_t> out;
    for (size_t i = 0; i < mixed.size(); i += 2)
        out.push_back(mixed[i]);
    return out;
}

} // namespace

TEST(SoundMixer, OneVoiceAtFullAndHalfGain)
{
    auto sound = Stereo({1000, -1000, 32767, -32768, -3, 3});
    cSoundMixerQuick full;
    full.Play(*sound);
    EXPECT_EQ(Mix(full, 3), (std::vector<int16_t>{1000, -1000, 32767, -32768, -3, 3}));

    cSoundMixerQuick half;
    half.Play(*sound, 0.5f, 0.0f, 44100);
    // (s * 32768) >> 16, an arithmetic shift: -3 / 2 gives -2.
    EXPECT_EQ(Mix(half, 3), (std::vector<int16_t>{500, -500, 16383, -16384, -2, 1}));
}

TEST(SoundMixer, VoicesAreSummedAndClampedOnce)
{
    auto a = Stereo({30000, -30000, 1000, 20000, -20000, 0});
    auto b = Stereo({10000, -10000, 2000, 20000, 30000, 0});
    auto c = Stereo({0, 0, 0, -20000, -30000, 0});
    cSoundMixerQuick mixer;
    mixer.Play(*a);
    mixer.Play(*b);
    mixer.Play(*c);
    // 20000 + 20000 - 20000 stays 20000: only the total is clamped.
    EXPECT_EQ(Mix(mixer, 3), (std::vector<int16_t>{32767, -32768, 3000, 20000, -20000, 0}));
}

TEST(SoundMixer, PanSilencesOrScalesTheOtherSide)
{
    auto sound = Stereo({8000, 8000});
    cSoundMixerQuick left;
    left.Play(*sound, 1.0f, -1.0f, 44100);
    EXPECT_EQ(Mix(left, 1), (std::vector<int16_t>{8000, 0}));

    cSoundMixerQuick right;
    right.Play(*sound, 1.0f, 1.0f, 44100);
    EXPECT_EQ(Mix(right, 1), (std::vector<int16_t>{0, 8000}));

    cSoundMixerQuick quarterRight;
    quarterRight.Play(*sound, 1.0f, 0.75f, 44100);
    EXPECT_EQ(Mix(quarterRight, 1), (std::vector<int16_t>{2000, 8000}));
}

TEST(SoundMixer, LoopingSoundWrapsWithinAndAcrossBlocks)
{
    auto sound = Ramp(3);
    sound->SetLooping(true);
    cSoundMixerQuick mixer;
    mixer.Play(*sound);
    EXPECT_EQ(Lefts(Mix(mixer, 7)), (std::vector<int16_t>{0, 100, 200, 0, 100, 200, 0}));
    EXPECT_EQ(Lefts(Mix(mixer, 4)), (std::vector<int16_t>{100, 200, 0, 100}));
    EXPECT_EQ(mixer.GetInstanceCount(), 1);
}

TEST(SoundMixer, FinishedSoundIsRemovedInTheMixThatEndsIt)
{
    auto sound = Ramp(3);
    cSoundMixerQuick mixer;
    mixer.Play(*sound);
    EXPECT_EQ(Lefts(Mix(mixer, 2)), (std::vector<int16_t>{0, 100}));
    EXPECT_EQ(mixer.GetInstanceCount(), 1);
    EXPECT_EQ(Lefts(Mix(mixer, 3)), (std::vector<int16_t>{200, 0, 0}));
    EXPECT_EQ(mixer.GetInstanceCount(), 0);
}

TEST(SoundMixer, ResamplesByRepeatingOrSkippingFrames)
{
    auto slow = Ramp(4, 22050);
    cSoundMixerQuick halfRate;
    halfRate.Play(*slow);
    EXPECT_EQ(Lefts(Mix(halfRate, 5)), (std::vector<int16_t>{0, 0, 100, 100, 200}));
    // The half-used frame and the fraction carry over to the next block.
    EXPECT_EQ(Lefts(Mix(halfRate, 4)), (std::vector<int16_t>{200, 300, 300, 0}));
    EXPECT_EQ(halfRate.GetInstanceCount(), 0);

    auto fast = Ramp(9, 88200);
    cSoundMixerQuick doubleRate;
    doubleRate.Play(*fast);
    EXPECT_EQ(Lefts(Mix(doubleRate, 3)), (std::vector<int16_t>{0, 200, 400}));
    EXPECT_EQ(Lefts(Mix(doubleRate, 3)), (std::vector<int16_t>{600, 800, 0}));

    // A looping sound faster than the output: skips across its end and on.
    auto loop = Ramp(3, 88200);
    loop->SetLooping(true);
    cSoundMixerQuick looping;
    looping.Play(*loop);
    EXPECT_EQ(Lefts(Mix(looping, 5)), (std::vector<int16_t>{0, 200, 100, 0, 200}));
}

TEST(SoundMixer, GroupVolumeScalesOnlyItsOwnSoundsAndMutingHoldsPosition)
{
    auto music = Ramp(6);
    music->SetGroup("MixerTestMusic");
    auto effect = Stereo({4000, 4000, 4000, 4000, 4000, 4000});
    effect->SetGroup("MixerTestEffects");
    cSoundSystem::Get().SetGroupVolume("MixerTestMusic", 0.5f);
    cSoundSystem::Get().SetGroupVolume("MixerTestEffects", 1.0f);

    cSoundMixerQuick mixer;
    mixer.Play(*music);
    mixer.Play(*effect);
    EXPECT_EQ(Lefts(Mix(mixer, 2)), (std::vector<int16_t>{4000, 4050}));

    cSoundSystem::Get().SetGroupVolume("MixerTestMusic", 0.0f);
    EXPECT_EQ(Lefts(Mix(mixer, 1)), (std::vector<int16_t>{4000}));
    cSoundSystem::Get().SetGroupVolume("MixerTestMusic", 1.0f);
    // The music resumes at frame 2, where it was muted.
    EXPECT_EQ(Lefts(Mix(mixer, 2)), (std::vector<int16_t>{200, 300}));

    // No group, or an unknown one, is full volume; the empty name is never a group.
    cSoundSystem::Get().SetGroupVolume("", 0.25f);
    EXPECT_FLOAT_EQ(cSoundSystem::Get().GetGroupVolume(""), 1.0f);
    EXPECT_FLOAT_EQ(cSoundSystem::Get().GetGroupVolume("MixerTestNoSuchGroup"), 1.0f);
}

TEST(SoundMixer, PauseResumeAndStopApplyToEveryInstanceOfTheSound)
{
    auto sound = Ramp(10);
    auto other = Stereo(std::vector<int16_t>(20, 1));
    cSoundMixerQuick mixer;
    mixer.Play(*sound);
    mixer.Play(*sound);
    mixer.Play(*other);
    EXPECT_EQ(Lefts(Mix(mixer, 2)), (std::vector<int16_t>{1, 201}));

    sound->Pause(mixer);
    EXPECT_EQ(Lefts(Mix(mixer, 2)), (std::vector<int16_t>{1, 1}));
    sound->Resume(mixer);
    EXPECT_EQ(Lefts(Mix(mixer, 1)), (std::vector<int16_t>{401}));

    sound->Stop(mixer);
    EXPECT_EQ(Lefts(Mix(mixer, 1)), (std::vector<int16_t>{1}));
    EXPECT_EQ(mixer.GetInstanceCount(), 1);
}

TEST(SoundMixer, DestroyingASoundRemovesItsInstancesFirst)
{
    auto sound = Ramp(100);
    sound->SetLooping(true);
    auto other = Ramp(100);
    cSoundMixerQuick first;
    cSoundMixerQuick second;
    first.Play(*sound);
    second.Play(*sound);
    second.Play(*other);
    sound.reset();
    EXPECT_EQ(first.GetInstanceCount(), 0);
    ASSERT_EQ(second.GetInstanceCount(), 1);
    EXPECT_EQ(second.GetInstance(0)->GetSound(), other.get());
    EXPECT_EQ(Lefts(Mix(first, 2)), (std::vector<int16_t>{0, 0}));
}

TEST(SoundMixer, ExtremeSettingsStayInRange)
{
    auto sound = Stereo({32767, -32768, 32767, -32768});
    cSoundMixerQuick mixer;
    mixer.Play(*sound, 1000.0f, 0.0f, 44100);    // gain capped, sum clamped
    mixer.Play(*sound, -1.0f, 5.0f, 44100);      // negative volume is silence
    mixer.Play(*sound, 1.0f, 0.0f, 4000000000u); // far too fast: ends at once
    EXPECT_EQ(Mix(mixer, 2), (std::vector<int16_t>{32767, -32768, 32767, -32768}));
    EXPECT_EQ(mixer.GetInstanceCount(), 0);
}
