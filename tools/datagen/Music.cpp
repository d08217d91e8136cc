#include "tools/datagen/Generators.h"
#include "tools/datagen/Synth.h"

#include <cmath>
#include <cstdio>
#include <future>
#include <string>
#include <vector>

namespace DataGen
{

namespace
{

struct sChord
{
    int root;     // bass note (MIDI)
    int tones[4]; // chord tones for pads and arpeggios (MIDI)
};

// A note of a composed line: start and length in beats from the phrase's
// start, MIDI note.
struct sNote
{
    double beat;
    int note;
    double length;
};
using tPhrase = std::vector<sNote>;

// The parts of a track, rendered into a dry mix and a send that gets the
// ping-pong echo before both are joined, reverberated and limited.
struct sTrack
{
    double beat;
    cMix dry;
    cMix echo;
    cNoise rnd;
    uint32_t seed = 1;
    sTrack(double bpm, int bars, uint32_t noiseSeed)
        : beat(60.0 / bpm), dry(static_cast<size_t>(bars * 4 * (60.0 / bpm) * kRate), true),
          echo(static_cast<size_t>(bars * 4 * (60.0 / bpm) * kRate), true), rnd(noiseSeed)
    {
    }
    double Bar(int b) const { return b * 4 * beat; }
};

struct sRendered
{
    std::string ogg;
    double seconds;
};

// The master's tone: no rumble below the bass, and some air and presence
// above 2.5 kHz, which the plucked strings and bells alone lack.
void MasterTone(std::vector<double>& samples, double presence)
{
    sBiquad rumble = sBiquad::HighPass(35, 0.7);
    sBiquad air = sBiquad::HighPass(2500, 0.7);
    for (double& v : samples)
    {
        const double x = rumble.Run(v);
        v = x + presence * air.Run(x);
    }
}

sRendered Finish(sTrack& track, double echoBeats, double reverbWet, double room, double presence)
{
    track.echo.PingPong(echoBeats * track.beat, 0.45, 0.55);
    track.dry.AddMix(track.echo, 1.0);
    track.dry.Reverb(reverbWet, room);
    MasterTone(track.dry.Left(), presence);
    MasterTone(track.dry.Right(), presence);
    track.dry.Normalise(0.9);
    track.dry.SoftLimit(2.0);
    track.dry.Normalise(0.85); // room for the codec's overshoot
    return {EncodeOggStereo(track.dry.Left(), track.dry.Right(), 0.2f),
            static_cast<double>(track.dry.Frames()) / kRate};
}

void PlayPhrase(sTrack& t, cMix& into, double start, const tPhrase& phrase, int transpose,
                double gain, double pan, bool keys)
{
    for (const sNote& n : phrase)
    {
        const double at = start + n.beat * t.beat;
        const double hz = MidiToHz(n.note + transpose);
        if (keys)
            Keys(into, at, hz, n.length * t.beat * 0.95, gain, pan);
        else
            Bell(into, at, hz, std::max(0.6, n.length * t.beat * 1.6), gain, pan);
    }
}

// Calm and open: D major colours at 72 beats per minute in four parts (the
// theme's chords with a bell arpeggio; the theme's melody; a second theme on
// new chords with keys and bass; the arpeggio alone, leading back to the start).
sRendered MenuMusic()
{
    const sChord home[4] = {{38, {62, 66, 69, 73}},  // Dmaj7
                            {47, {59, 62, 66, 69}},  // Bm7
                            {43, {59, 62, 66, 67}},  // Gmaj7
                            {45, {57, 62, 64, 69}}}; // Asus
    const sChord away[4] = {{40, {59, 62, 64, 67}},  // Em7
                            {42, {57, 61, 64, 66}},  // F#m7
                            {43, {59, 62, 66, 67}},  // Gmaj7
                            {45, {57, 61, 64, 67}}}; // A7
    // Two bars per chord; eight notes of melody each.
    const tPhrase theme[4] = {{{0, 78, 2}, {2, 76, 1}, {3, 74, 1}, {4, 73, 2}, {6, 74, 2}},
                              {{0, 74, 1.5}, {1.5, 73, 0.5}, {2, 71, 2}, {4, 74, 2}, {6, 78, 2}},
                              {{0, 79, 2}, {2, 78, 1}, {3, 76, 1}, {4, 74, 3}, {7, 71, 1}},
                              {{0, 73, 2}, {2, 74, 1}, {3, 76, 1}, {4, 76, 4}}};
    const tPhrase second[4] = {
        {{0, 71, 1}, {1, 74, 1}, {2, 79, 2}, {4, 78, 1}, {5, 76, 1}, {6, 74, 2}},
        {{0, 73, 1}, {1, 76, 1}, {2, 81, 2}, {4, 80, 1}, {5, 78, 1}, {6, 76, 2}},
        {{0, 74, 1}, {1, 78, 1}, {2, 83, 2}, {4, 81, 1}, {5, 79, 1}, {6, 78, 2}},
        {{0, 76, 2}, {2, 79, 2}, {4, 78, 2}, {6, 76, 1}, {7, 73, 1}}};
    const int bars = 28;
    sTrack t(72, bars, 72);
    for (int b = 0; b < bars; ++b)
    {
        const int part = b < 8 ? 0 : b < 16 ? 1 : b < 24 ? 2 : 3;
        const sChord& c = (part == 2 ? away : home)[(b / 2) % 4];
        const double t0 = t.Bar(b);
        if (b % 2 == 0)
        {
            for (int i = 0; i < 3; ++i)
                Pad(t.dry, t0, MidiToHz(c.tones[i]), 8 * t.beat + 0.6, part == 3 ? 0.13 : 0.16,
                    -0.5 + 0.5 * i);
            if (part >= 1 && part <= 2)
                Bass(t.dry, t0, MidiToHz(c.root), 8 * t.beat - 0.1, 0.3);
        }
        if (part == 2)
            for (int k = 0; k < 4; ++k)
                Bass(t.dry, t0 + (k + 0.5) * t.beat, MidiToHz(c.root + 12), t.beat * 0.4, 0.1);
        // Eighth-note arpeggio an octave up; lighter under the second theme.
        const int pattern[8] = {0, 1, 2, 3, 2, 1, 2, 3};
        for (int k = 0; k < 8; ++k)
        {
            if (part == 2 && k % 2 == 1)
                continue;
            const int note = c.tones[pattern[(k + b) % 8]] + 12;
            Bell(t.dry, t0 + k * t.beat / 2, MidiToHz(note), 1.6,
                 (part == 2 ? 0.06 : 0.09) + 0.02 * (k % 2 == 0), k % 2 ? 0.4 : -0.4);
        }
        // A faint sparkle two octaves over the chord on each bar's first beats.
        if (part == 1 || part == 2)
            for (int k = 0; k < 2; ++k)
                Bell(t.echo, t0 + k * 2 * t.beat, MidiToHz(c.tones[(b + k) % 4] + 24), 1.2, 0.025,
                     k ? -0.6 : 0.6);
        if (b % 2 == 0 && part == 1)
            PlayPhrase(t, t.echo, t0, theme[(b / 2) % 4], 0, 0.14, 0.1, false);
        if (b % 2 == 0 && part == 2)
        {
            PlayPhrase(t, t.echo, t0, second[(b / 2) % 4], -12, 0.16, -0.15, true);
            if (b >= 20)
                PlayPhrase(t, t.echo, t0, second[(b / 2) % 4], 0, 0.07, 0.3, false);
        }
        // Soft brushes from the second part on: the menu breathes.
        if (part == 1 || part == 2)
            for (int k = 0; k < 4; ++k)
                Shaker(t.dry, t0 + (k + 0.5) * t.beat, 0.05, 0.3, t.seed++);
    }
    return Finish(t, 1.5, 0.45, 0.84, 0.6);
}

// Light and moving: A minor at 100 beats per minute, 80 bars in seven parts
// (intro, theme, a second theme, a breakdown, the theme again fuller, a bridge
// and an outro that leads back into the intro).
sRendered GameMusic()
{
    const sChord verse[4] = {{45, {57, 60, 64, 69}},      // Am
                             {41, {57, 60, 65, 69}},      // F
                             {48, {55, 60, 64, 67}},      // C
                             {43, {55, 59, 62, 67}}};     // G
    const sChord chorus[4] = {{38, {57, 62, 65, 69}},     // Dm
                              {40, {55, 59, 64, 67}},     // Em
                              {41, {57, 60, 65, 69}},     // F
                              {43, {55, 59, 62, 67}}};    // G
    const sChord breakdown[4] = {{41, {57, 60, 65, 69}},  // F
                                 {48, {55, 60, 64, 67}},  // C
                                 {43, {55, 59, 62, 67}},  // G
                                 {45, {57, 60, 64, 69}}}; // Am
    const sChord bridge[4] = {{38, {57, 62, 65, 69}},     // Dm
                              {45, {57, 60, 64, 69}},     // Am
                              {40, {56, 59, 64, 68}},     // E
                              {45, {57, 60, 64, 69}}};    // Am
    const tPhrase theme[4] = {
        {{0, 76, 1.5},
         {1.5, 74, 0.5},
         {2, 72, 1},
         {3, 69, 1},
         {4, 72, 1.5},
         {5.5, 74, 0.5},
         {6, 76, 2}},
        {{0, 77, 1.5}, {1.5, 76, 0.5}, {2, 74, 1}, {3, 72, 1}, {4, 69, 2}, {6, 72, 1}, {7, 74, 1}},
        {{0, 76, 1}, {1, 79, 1}, {2, 76, 1}, {3, 74, 1}, {4, 72, 1.5}, {5.5, 71, 0.5}, {6, 72, 2}},
        {{0, 74, 1.5}, {1.5, 72, 0.5}, {2, 71, 1}, {3, 67, 1}, {4, 71, 2}, {6, 74, 2}}};
    const tPhrase hook[4] = {
        {{0, 74, 0.5},
         {0.5, 77, 0.5},
         {1, 81, 1},
         {2, 79, 0.5},
         {2.5, 77, 0.5},
         {3, 76, 1},
         {4, 74, 1},
         {5, 72, 1},
         {6, 74, 2}},
        {{0, 76, 0.5},
         {0.5, 79, 0.5},
         {1, 83, 1},
         {2, 81, 0.5},
         {2.5, 79, 0.5},
         {3, 76, 1},
         {4, 74, 1.5},
         {5.5, 72, 0.5},
         {6, 71, 2}},
        {{0, 72, 0.5},
         {0.5, 76, 0.5},
         {1, 81, 1},
         {2, 79, 1},
         {3, 77, 1},
         {4, 76, 1},
         {5, 77, 1},
         {6, 79, 2}},
        {{0, 79, 1}, {1, 77, 1}, {2, 76, 1}, {3, 74, 1}, {4, 76, 2}, {6, 71, 1}, {7, 74, 1}}};
    const tPhrase bridgeLine[4] = {
        {{0, 77, 2}, {2, 76, 1}, {3, 74, 1}, {4, 72, 2}, {6, 69, 2}},
        {{0, 72, 1}, {1, 76, 1}, {2, 81, 2}, {4, 79, 1}, {5, 76, 1}, {6, 72, 2}},
        {{0, 71, 1}, {1, 74, 1}, {2, 76, 1}, {3, 80, 1}, {4, 83, 2}, {6, 80, 2}},
        {{0, 81, 3}, {3, 76, 1}, {4, 72, 2}, {6, 69, 2}}};
    enum ePart
    {
        kIntro,
        kTheme,
        kHook,
        kBreakdown,
        kThemeAgain,
        kBridge,
        kOutro
    };
    const int lengths[7] = {8, 16, 16, 8, 16, 8, 8};
    int bars = 0;
    for (int n : lengths)
        bars += n;
    sTrack t(100, bars, 104);
    int b = 0;
    for (int part = kIntro; part <= kOutro; ++part)
        for (int k = 0; k < lengths[part]; ++k, ++b)
        {
            const bool last = k == lengths[part] - 1;
            const sChord* set = part == kHook        ? chorus
                                : part == kBreakdown ? breakdown
                                : part == kBridge    ? bridge
                                                     : verse;
            const sChord& c = set[(k / 2) % 4];
            const double t0 = t.Bar(b);
            const double beat = t.beat;
            const bool groove = part == kTheme || part == kHook || part == kThemeAgain;

            // Pads on every chord; fuller in the breakdown.
            if (k % 2 == 0)
                for (int i = 0; i < 3; ++i)
                    Pad(t.dry, t0, MidiToHz(c.tones[i]), 8 * beat + 0.3,
                        part == kBreakdown ? 0.12 : 0.07, -0.6 + 0.6 * i);
            if (part == kBreakdown && k % 2 == 0)
                Pad(t.dry, t0, MidiToHz(c.tones[3] + 12), 8 * beat + 0.3, 0.05, 0.0);

            // Bass: a moving line in the grooves, long notes elsewhere.
            if (groove || part == kBridge)
            {
                const int steps[8] = {0, 0, 12, 0, 7, 0, 12, 7};
                for (int s = 0; s < 8; ++s)
                {
                    if (part == kBridge && s % 2 == 1)
                        continue;
                    Bass(t.dry, t0 + s * beat / 2, MidiToHz(c.root + steps[s]),
                         beat * (part == kBridge ? 0.9 : 0.42), s % 2 ? 0.14 : 0.21);
                }
            }
            else if ((part == kBreakdown || (part == kIntro && k >= 4) ||
                      (part == kOutro && k < 6)) &&
                     k % 2 == 0)
                Bass(t.dry, t0, MidiToHz(c.root), 8 * beat - 0.1, 0.2);

            // Plucked arpeggio in eighths (sixteenths in the hook's second half).
            const int pattern[8] = {0, 2, 1, 3, 2, 1, 3, 2};
            const bool fast = part == kHook && k >= 8;
            const int steps = fast ? 16 : 8;
            const double arpGain = part == kBreakdown ? 0.1 : part == kOutro && k >= 6 ? 0.08 : 0.2;
            for (int s = 0; s < steps; ++s)
                Pluck(t.dry, t0 + s * 4 * beat / steps,
                      MidiToHz(c.tones[pattern[s % 8]] + 12 + (fast && s % 4 == 3 ? 12 : 0)), 0.9,
                      (arpGain + 0.05 * (s % 2 == 0)) * (fast ? 0.75 : 1.0), (s % 2) ? 0.35 : -0.35,
                      t.seed++);

            // Drums.
            if (groove)
            {
                Kick(t.dry, t0, 0.45);
                Kick(t.dry, t0 + 2 * beat, 0.4);
                if (part != kTheme || k >= 2)
                {
                    Snare(t.dry, t0 + beat, 0.2, t.seed++);
                    Snare(t.dry, t0 + 3 * beat, 0.2, t.seed++);
                }
                if (part == kHook)
                    Kick(t.dry, t0 + 2.5 * beat, 0.3);
                const int hats = part == kTheme ? 8 : 16;
                for (int s = 0; s < hats; ++s)
                    Hat(t.dry, t0 + s * 4 * beat / hats,
                        (s % (hats / 4) == hats / 8 ? 0.17 : 0.09) * (hats == 16 ? 0.8 : 1.0),
                        t.seed++);
                if (part != kTheme)
                    for (int s = 0; s < 4; ++s)
                        Shaker(t.dry, t0 + (s + 0.5) * beat, 0.08, 0.4, t.seed++);
                if (last)
                    // A fill into the next part.
                    for (int s = 0; s < 4; ++s)
                        Snare(t.dry, t0 + 3 * beat + s * beat / 4, 0.08 + 0.04 * s, t.seed++);
            }
            else if (part == kBridge)
            {
                Kick(t.dry, t0, 0.5);
                Snare(t.dry, t0 + 2 * beat, 0.22, t.seed++);
                for (int s = 0; s < 8; ++s)
                    Hat(t.dry, t0 + s * beat / 2, s % 2 ? 0.08 : 0.13, t.seed++);
            }
            else if (part == kBreakdown && k % 2 == 0)
                Kick(t.dry, t0, 0.35);
            else if (part == kIntro && k >= 6)
                for (int s = 0; s < 8; ++s)
                    Hat(t.dry, t0 + s * beat / 2, 0.03 + 0.005 * s, t.seed++);

            // Melodies, two bars a phrase.
            if (k % 2 == 1)
                continue;
            const int phrase = (k / 2) % 4;
            switch (part)
            {
            case kIntro:
                if (k >= 4)
                    Bell(t.echo, t0, MidiToHz(c.tones[3] + 12), 3.0, 0.08, 0.2);
                break;
            case kTheme:
                PlayPhrase(t, t.echo, t0, theme[phrase], k >= 8 ? 12 : 0, 0.12, 0.15, false);
                break;
            case kHook:
                PlayPhrase(t, t.echo, t0, hook[phrase], -12, 0.2, -0.1, true);
                if (k >= 8)
                    PlayPhrase(t, t.echo, t0, hook[phrase], 12, 0.05, 0.35, false);
                break;
            case kBreakdown:
                Bell(t.echo, t0, MidiToHz(c.tones[3] + 12), 4.0, 0.11, -0.3);
                Bell(t.echo, t0 + 4 * beat, MidiToHz(c.tones[2] + 12), 4.0, 0.09, 0.3);
                break;
            case kThemeAgain:
                PlayPhrase(t, t.echo, t0, theme[phrase], 12, 0.12, 0.15, false);
                // A third below, on the keys.
                for (sNote n : theme[phrase])
                {
                    n.note -= (n.note % 12 == 0 || n.note % 12 == 5 || n.note % 12 == 7) ? 4 : 3;
                    PlayPhrase(t, t.dry, t0, {n}, 0, 0.08, -0.3, true);
                }
                break;
            case kBridge:
                PlayPhrase(t, t.echo, t0, bridgeLine[phrase], 0, 0.18, 0.0, true);
                break;
            case kOutro:
                if (k < 6)
                    PlayPhrase(t, t.echo, t0, {theme[phrase].front()}, 12, 0.08, 0.2, false);
                break;
            }
        }
    return Finish(t, 0.75, 0.3, 0.78, 0.9);
}

void WriteTrack(cOutput& out, const std::string& name, const sRendered& track,
                const std::string& alias)
{
    const std::string file = "/Sounds/" + name + ".ogg";
    out.WriteFile(file.substr(1), track.ogg);
    cDataNode& res = out.AddResource("Sounds", "Music", "Sound", file, alias);
    res.Attr("Streaming", "True").Attr("Looping", "True").Attr("Group", "Music");
}

} // namespace

void MakeMusic(cOutput& out)
{
    // The two tracks are rendered side by side; each is deterministic on its own.
    std::future<sRendered> game = std::async(std::launch::async, GameMusic);
    const sRendered menu = MenuMusic();
    const sRendered played = game.get();
    std::printf("  (menu music %.1f s, game music %.1f s)\n", menu.seconds, played.seconds);
    WriteTrack(out, "MenuMusic", menu, "SndMenuMusic");
    // The sound player also asks for "SndMusic"; it names the same track.
    cDataNode& res =
        out.AddResource("Sounds", "Music", "Sound", "/Sounds/MenuMusic.ogg", "SndMusic");
    res.Attr("Streaming", "True").Attr("Looping", "True").Attr("Group", "Music");
    WriteTrack(out, "GameMusic", played, "SndGameMusic");
}

} // namespace DataGen
