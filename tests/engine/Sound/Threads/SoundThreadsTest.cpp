// Main-thread play, stop, pause and volume changes against a refill thread that
// mixes all the time. Run in the ThreadSanitizer target too.

#include "engine/Sound/Ogg/SoundLoaderOgg.h"
#include "engine/Sound/SDL/SoundDeviceSDL.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundInstance.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/SoundSystem.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"

#include "tests/engine/Sound/SoundTestData.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

using namespace Korva;

namespace
{

struct cSounds
{
    std::vector<std::unique_ptr<cSound>> all;

    cSounds()
    {
        std::vector<int16_t> ramp;
        for (int i = 0; i < 3000; ++i)
            ramp.push_back(static_cast<int16_t>(i));
        const auto wav = SoundTest::Share(SoundTest::MakeWav16(ramp, 1, 22050));
        all.push_back(cSoundLoaderWav::CreateFromMemory(wav, false));
        all.push_back(cSoundLoaderWav::CreateFromMemory(wav, true));
        all.push_back(cSoundLoaderOgg::CreateFromMemory(
            SoundTest::Share(SoundTest::EncodeOgg(2, 44100, 6000)), true));
        all[1]->SetLooping(true);
        all[1]->SetGroup("ThreadsTestMusic");
        all[2]->SetGroup("ThreadsTestMusic");
        all[0]->SetGroup("ThreadsTestSound");
    }
};

// One step of the main thread's work, chosen by i.
void Poke(cSoundMixer& mixer, cSounds& sounds, int i)
{
    cSound& sound = *sounds.all[static_cast<size_t>(i) % sounds.all.size()];
    switch (i % 7)
    {
    case 0:
        mixer.Play(sound);
        break;
    case 1:
        mixer.Play(sound, 0.5f, -0.5f, 30000);
        break;
    case 2:
        sound.Stop(mixer);
        break;
    case 3:
        cSoundSystem::Get().SetGroupVolume("ThreadsTestMusic", static_cast<float>(i % 3) * 0.5f);
        break;
    case 4:
        sound.Pause(mixer);
        break;
    case 5:
        sound.Resume(mixer);
        break;
    default:
    {
        const int32_t token = mixer.BeginUpdate();
        for (int32_t k = 0; k < mixer.GetInstanceCount(); ++k)
            mixer.GetInstance(k)->SetVolume(0.75f);
        mixer.EndUpdate(token);
    }
    }
}

} // namespace

TEST(SoundThreads, MainThreadChangesWhileTheRefillThreadMixes)
{
    cSounds sounds;
    cSoundMixerQuick mixer;
    std::atomic<bool> done{false};
    std::atomic<int> mixes{0};
    std::thread refill(
        [&]
        {
            std::vector<int16_t> buffer(2205 * 2);
            while (!done)
            {
                mixer.Mix(kSampleFormat16, 2, 2205, buffer.data());
                ++mixes;
                // A real device waits for its buffer between refills. Without a
                // pause this loop takes the lock back at once, and an unfair
                // mutex (ThreadSanitizer's is) can starve the main thread.
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    for (int i = 0; i < 4000; ++i)
    {
        Poke(mixer, sounds, i);
        if (i % 50 == 0)
            std::this_thread::yield();
    }
    // Destroying a sound while the refill thread runs takes its instances out first.
    sounds.all.pop_back();
    for (int i = 0; i < 20; ++i)
        Poke(mixer, sounds, i * 7);
    done = true;
    refill.join();
    EXPECT_GT(mixes.load(), 0);

    for (auto& sound : sounds.all)
        sound->Stop(mixer);
    std::vector<int16_t> buffer(16);
    mixer.Mix(kSampleFormat16, 2, 8, buffer.data());
    EXPECT_EQ(mixer.GetInstanceCount(), 0);
    EXPECT_EQ(buffer, std::vector<int16_t>(16, 0));
}

TEST(SoundThreads, DeviceRunsAndShutsDownWhilePlaying)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    cSounds sounds;
    cSoundMixerQuick mixer;
    {
        cSoundDeviceSDL device;
        device.Init(kSampleFormat16, 44100, 2, &mixer);
        device.Start();
        for (int i = 0; i < 2000; ++i)
        {
            Poke(mixer, sounds, i);
            if (i % 500 == 0)
            {
                device.Stop();
                device.Start();
            }
        }
        sounds.all[1]->Play(); // a looping sound still plays as the device goes
    }
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_EQ(cSoundSystem::Get().GetDevice(), nullptr);
    // The device is gone: nothing mixes any more, and playing does nothing.
    const int32_t count = mixer.GetInstanceCount();
    sounds.all[0]->Play();
    EXPECT_EQ(mixer.GetInstanceCount(), count);
}
