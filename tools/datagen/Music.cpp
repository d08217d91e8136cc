#include "tools/datagen/Generators.h"
#include "tools/datagen/Synth.h"

#include <cmath>

namespace DataGen
{

namespace
{

struct sChord
{
    int root;     // bass note (MIDI)
    int tones[4]; // chord tones for pads and arpeggios (MIDI)
};

void WriteTrack(cOutput& out, const std::string& name, cMix& mix, const std::string& alias)
{
    mix.Normalise(0.7);
    const std::string file = "/Sounds/" + name + ".ogg";
    out.WriteFile(file.substr(1), EncodeOggStereo(mix.Left(), mix.Right(), 0.3f));
    cDataNode& res = out.AddResource("Sounds", "Music", "Sound", file, alias);
    res.Attr("Streaming", "True").Attr("Looping", "True").Attr("Group", "Music");
}

// Calm and open: D major colours at 72 beats per minute, pads, a bell arpeggio
// and, the second time round, a slow melody.
void MenuMusic(cOutput& out)
{
    const double beat = 60.0 / 72;
    const double bar = 4 * beat;
    const sChord chords[4] = {{38, {62, 66, 69, 73}},  // Dmaj7
                              {47, {59, 62, 66, 69}},  // Bm7
                              {43, {59, 62, 66, 67}},  // Gmaj7
                              {45, {57, 62, 64, 69}}}; // Asus
    const int bars = 16;
    cMix mix(static_cast<size_t>(bars * bar * kRate), true);
    cNoise rnd(72);
    for (int b = 0; b < bars; ++b)
    {
        const sChord& c = chords[(b / 2) % 4];
        const double t0 = b * bar;
        if (b % 2 == 0)
        {
            for (int i = 0; i < 3; ++i)
                Pad(mix, t0, MidiToHz(c.tones[i]), 2 * bar + 0.6, 0.16, -0.5 + 0.5 * i);
            Bass(mix, t0, MidiToHz(c.root), 2 * bar - 0.1, 0.32);
        }
        // Eighth-note arpeggio an octave up, gently varied.
        const int pattern[8] = {0, 1, 2, 3, 2, 1, 2, 3};
        for (int k = 0; k < 8; ++k)
        {
            if (b >= 8 && k % 4 == 3 && rnd.Next() > 0.2)
                continue;
            const int note = c.tones[pattern[(k + b) % 8]] + 12;
            Bell(mix, t0 + k * beat / 2, MidiToHz(note), 1.6, 0.09 + 0.02 * (k % 2 == 0),
                 k % 2 ? 0.4 : -0.4);
        }
        if (b >= 8)
        {
            // Melody from the chord's tones and their neighbours in the scale.
            const int scale[] = {74, 76, 78, 81, 83, 86};
            for (int k = 0; k < 4; ++k)
            {
                if (rnd.Next() < -0.3)
                    continue;
                const int idx = static_cast<int>((rnd.Next() * 0.5 + 0.5) * 6) % 6;
                Bell(mix, t0 + k * beat + 0.01, MidiToHz(scale[idx]), 2.4, 0.13, 0.1);
            }
        }
    }
    mix.Reverb(0.45, 0.84);
    WriteTrack(out, "MenuMusic", mix, "SndMenuMusic");
    // The sound player also asks for "SndMusic"; it names the same track.
    cDataNode& res =
        out.AddResource("Sounds", "Music", "Sound", "/Sounds/MenuMusic.ogg", "SndMusic");
    res.Attr("Streaming", "True").Attr("Looping", "True").Attr("Group", "Music");
}

// Light and moving: A minor at 104 beats per minute with plucked strings, bass,
// soft drums and a bell melody in the second half.
void GameMusic(cOutput& out)
{
    const double beat = 60.0 / 104;
    const double bar = 4 * beat;
    const sChord chords[4] = {{45, {57, 60, 64, 69}},  // Am
                              {41, {57, 60, 65, 69}},  // F
                              {48, {55, 60, 64, 67}},  // C
                              {43, {55, 59, 62, 67}}}; // G
    const int bars = 16;
    cMix mix(static_cast<size_t>(bars * bar * kRate), true);
    cNoise rnd(104);
    uint32_t seed = 1;
    for (int b = 0; b < bars; ++b)
    {
        const sChord& c = chords[(b / 2) % 4];
        const double t0 = b * bar;
        // Bass: root on the beats, fifth on the "and" of 4.
        for (int k = 0; k < 4; ++k)
            Bass(mix, t0 + k * beat, MidiToHz(c.root), beat * 0.9, 0.3);
        Bass(mix, t0 + 3.5 * beat, MidiToHz(c.root + 7), beat * 0.45, 0.22);
        // Plucked arpeggio in eighths.
        const int pattern[8] = {0, 2, 1, 3, 2, 1, 3, 2};
        for (int k = 0; k < 8; ++k)
            Pluck(mix, t0 + k * beat / 2, MidiToHz(c.tones[pattern[k]] + 12), 0.9,
                  0.22 + 0.06 * (k % 2 == 0), (k % 2) ? 0.35 : -0.35, seed++);
        // Drums: soft kick, rim-like snare, hats.
        if (b >= 2)
        {
            Kick(mix, t0, 0.5);
            Kick(mix, t0 + 2 * beat, 0.45);
            if (b >= 4)
            {
                Snare(mix, t0 + beat, 0.18, seed++);
                Snare(mix, t0 + 3 * beat, 0.18, seed++);
            }
            for (int k = 0; k < 8; ++k)
                Hat(mix, t0 + k * beat / 2, k % 2 ? 0.07 : 0.11, seed++);
        }
        if (b % 2 == 0)
            for (int i = 0; i < 3; ++i)
                Pad(mix, t0, MidiToHz(c.tones[i]), 2 * bar + 0.3, 0.07, -0.6 + 0.6 * i);
        if (b >= 8)
        {
            const int scale[] = {69, 72, 74, 76, 79, 81};
            for (int k = 0; k < 8; k += (rnd.Next() > 0.3 ? 2 : 1))
            {
                const int idx = static_cast<int>((rnd.Next() * 0.5 + 0.5) * 6) % 6;
                Bell(mix, t0 + k * beat / 2, MidiToHz(scale[idx] + 12), 0.9, 0.1, 0.2);
            }
        }
    }
    mix.Reverb(0.3, 0.78);
    WriteTrack(out, "GameMusic", mix, "SndGameMusic");
}

} // namespace

void MakeMusic(cOutput& out)
{
    MenuMusic(out);
    GameMusic(out);
}

} // namespace DataGen
