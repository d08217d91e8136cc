// The mixer's cost: one second of 44.1 kHz stereo (20 refills of half a
// 100 ms buffer) with 1, 8 and 32 playing sounds, static and streamed.
// The "realtime" counter is how many seconds of sound are mixed per second.

#include "engine/Sound/Ogg/SoundLoaderOgg.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"

#include "tests/engine/Sound/SoundTestData.h"

#include <benchmark/benchmark.h>

using namespace Korva;

namespace
{

constexpr int kRate = 44100;
constexpr int kHalfBuffer = 2205;

std::unique_ptr<cSound> MakeSound(bool streamed)
{
    if (streamed)
        return cSoundLoaderOgg::CreateFromMemory(
            SoundTest::Share(SoundTest::EncodeOgg(2, kRate, 3 * kRate)), true);
    std::vector<int16_t> samples(static_cast<size_t>(2) * kRate * 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((i * 37) % 20000 - 10000);
    return cSoundLoaderWav::CreateFromMemory(SoundTest::Share(SoundTest::MakeWav16(samples)),
                                             false);
}

void MixOneSecond(benchmark::State& state, bool streamed)
{
    const auto voices = static_cast<int>(state.range(0));
    auto sound = MakeSound(streamed);
    sound->SetLooping(true);
    cSoundMixerQuick mixer;
    for (int i = 0; i < voices; ++i)
        mixer.Play(*sound, 0.25f, (i % 3 - 1) * 0.5f, kRate);
    std::vector<int16_t> buffer(kHalfBuffer * 2);
    for (auto _ : state)
    {
        for (int refill = 0; refill < kRate / kHalfBuffer; ++refill)
            mixer.Mix(kSampleFormat16, 2, kHalfBuffer, buffer.data());
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["realtime"] =
        benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_MixStatic(benchmark::State& state)
{
    MixOneSecond(state, false);
}

void BM_MixStreamed(benchmark::State& state)
{
    MixOneSecond(state, true);
}

} // namespace

BENCHMARK(BM_MixStatic)->Arg(1)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixStreamed)->Arg(1)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);
