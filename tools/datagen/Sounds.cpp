#include "tools/datagen/Generators.h"
#include "tools/datagen/Synth.h"

#include <cmath>
#include <functional>

namespace DataGen
{

namespace
{

using tVoice = std::function<double(double t, cNoise& noise)>;

std::vector<double> Render(double seconds, uint32_t seed, const tVoice& voice)
{
    cNoise noise(seed);
    std::vector<double> s(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = voice(static_cast<double>(i) / kRate, noise);
    // A short fade at the very end so no sound stops with a click.
    const size_t fade = std::min<size_t>(s.size(), 220);
    for (size_t i = 0; i < fade; ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / fade;
    return s;
}

void Normalise(std::vector<double>& s, double peak)
{
    double m = 1e-9;
    for (double v : s)
        m = std::max(m, std::fabs(v));
    for (double& v : s)
        v *= peak / m;
}

double Bellish(double t, double hz, double decay)
{
    return (std::sin(2 * M_PI * hz * t +
                     1.2 * EnvAD(t, 0.001, 0.08) * std::sin(2 * M_PI * hz * 3.5 * t)) +
            0.3 * std::sin(2 * M_PI * hz * 2.76 * t) * EnvAD(t, 0.001, decay * 0.4)) *
           EnvAD(t, 0.003, decay);
}

// Moves a filter to a new setting while keeping its state (a sweeping filter).
void Retune(sBiquad& f, sBiquad next)
{
    next.x1 = f.x1;
    next.x2 = f.x2;
    next.y1 = f.y1;
    next.y2 = f.y2;
    f = next;
}

void Write(cOutput& out, const std::string& name, std::vector<double> s, double peak,
           double volume = 1.0)
{
    Normalise(s, peak);
    const std::string file = "/Sounds/" + name + ".wav";
    out.WriteFile(file.substr(1), EncodeWavMono(s));
    cDataNode& res = out.AddResource("Sounds", "Effects", "Sound", file, "Snd" + name);
    res.Attr("Group", "Sound");
    if (volume != 1.0)
        res.Attr("Volume", volume);
}

} // namespace

void MakeSounds(cOutput& out)
{
    // The intro: a rising, shimmering arpeggio over a soft low fifth.
    Write(out, "Intro",
          Render(3.2, 1,
                 [](double t, cNoise&)
                 {
                     const double notes[] = {62, 66, 69, 74, 78, 81, 86};
                     double v = 0;
                     for (int i = 0; i < 7; ++i)
                         v += 0.5 * Bellish(t - i * 0.12, MidiToHz(notes[i]), 0.5 + 0.1 * i);
                     v += 0.35 * std::sin(2 * M_PI * MidiToHz(38) * t) * std::min(1.0, t / 0.3) *
                          std::exp(-t * 0.9);
                     v += 0.25 * std::sin(2 * M_PI * MidiToHz(45) * t) * std::min(1.0, t / 0.5) *
                          std::exp(-t * 0.9);
                     return v;
                 }),
          0.8);
    Write(out, "ButtonHover",
          Render(0.05, 2,
                 [](double t, cNoise&)
                 { return std::sin(2 * M_PI * 2400 * t) * EnvAD(t, 0.002, 0.008); }),
          0.5, 0.6);
    Write(out, "ButtonPressed",
          Render(0.12, 3,
                 [](double t, cNoise& n)
                 {
                     return 0.6 * std::sin(2 * M_PI * (700 - 2500 * t) * t) *
                                EnvAD(t, 0.001, 0.02) +
                            0.25 * n.Next() * EnvAD(t, 0.0005, 0.003);
                 }),
          0.7);
    {
        // A quick swish that rises as the piece turns.
        sBiquad bp = sBiquad::BandPass(800, 2);
        Write(out, "RotatePiece",
              Render(0.16, 4,
                     [&](double t, cNoise& n)
                     {
                         Retune(bp, sBiquad::BandPass(600 + 3000 * t / 0.16, 2.5));
                         return bp.Run(n.Next()) * std::sin(M_PI * t / 0.16);
                     }),
              0.6);
    }
    Write(out, "PutPiece",
          Render(0.2, 5,
                 [](double t, cNoise& n)
                 {
                     // A wooden clack: a short knock plus a damped body tone.
                     return 0.7 * std::sin(2 * M_PI * 520 * t) * EnvAD(t, 0.001, 0.025) +
                            0.4 * std::sin(2 * M_PI * 1310 * t) * EnvAD(t, 0.001, 0.012) +
                            0.3 * std::sin(2 * M_PI * 180 * t) * EnvAD(t, 0.002, 0.04) +
                            0.3 * n.Next() * EnvAD(t, 0.0003, 0.002);
                 }),
          0.85);
    {
        sBiquad lp = sBiquad::LowPass(1600, 0.8);
        Write(out, "Invalid",
              Render(0.32, 6,
                     [&](double t, cNoise&)
                     {
                         const double hz = t < 0.14 ? 220 : 185;
                         const double local = t < 0.14 ? t : t - 0.15;
                         const double sq = std::sin(2 * M_PI * hz * t) > 0 ? 1 : -1;
                         return lp.Run(sq * (t > 0.14 && t < 0.15 ? 0 : 1) *
                                       EnvAD(local, 0.004, 0.06));
                     }),
              0.4);
    }
    Write(out, "BricksRemoved",
          Render(0.9, 7,
                 [](double t, cNoise& n)
                 {
                     const double notes[] = {76, 79, 83, 88};
                     double v = 0;
                     for (int i = 0; i < 4; ++i)
                         v += Bellish(t - i * 0.05, MidiToHz(notes[i]), 0.22);
                     // Glassy sparkle.
                     v += 0.15 * n.Next() * EnvAD(t, 0.001, 0.03) *
                          (0.5 + 0.5 * std::sin(2 * M_PI * 40 * t));
                     return v;
                 }),
          0.75);
    Write(out, "Collision",
          Render(0.16, 8,
                 [](double t, cNoise& n)
                 {
                     const double hz = 140 * std::exp(-t * 6);
                     return std::sin(2 * M_PI * hz * t) * EnvAD(t, 0.001, 0.035) +
                            0.2 * n.Next() * EnvAD(t, 0.0005, 0.004);
                 }),
          0.6);
    {
        sBiquad bp = sBiquad::BandPass(1200, 6);
        double phase = 0;
        Write(out, "Vortex",
              Render(0.85, 9,
                     [&](double t, cNoise& n)
                     {
                         const double f = 1400 * std::exp(-t * 2.2) + 120;
                         Retune(bp, sBiquad::BandPass(f, 6));
                         phase += 2 * M_PI * f * 0.5 / kRate;
                         const double env = std::sin(M_PI * std::min(1.0, t / 0.85));
                         return (bp.Run(n.Next()) * 3 +
                                 0.25 * std::sin(phase) *
                                     (0.6 + 0.4 * std::sin(2 * M_PI * 9 * t))) *
                                env;
                     }),
              0.6);
    }
    {
        sBiquad lp = sBiquad::LowPass(3000, 0.7);
        Write(out, "Explosion",
              Render(1.3, 10,
                     [&](double t, cNoise& n)
                     {
                         Retune(lp, sBiquad::LowPass(200 + 3500 * std::exp(-t * 5), 0.7));
                         const double boom = std::sin(2 * M_PI * (40 + 60 * std::exp(-t * 8)) * t);
                         return lp.Run(n.Next()) * EnvAD(t, 0.003, 0.22) +
                                0.8 * boom * EnvAD(t, 0.005, 0.15);
                     }),
              0.9);
    }
    {
        double phase = 0;
        Write(out, "PlasmaBolt",
              Render(0.55, 11,
                     [&](double t, cNoise& n)
                     {
                         const double f = 1800 * std::exp(-t * 4) + 150;
                         phase += 2 * M_PI * f / kRate;
                         const double crackle = n.Next() > 0.92 ? n.Next() : 0;
                         return (std::sin(phase + 2.5 * std::sin(phase * 1.5)) * 0.7 +
                                 crackle * 0.6) *
                                EnvAD(t, 0.003, 0.12);
                     }),
              0.65);
    }
    Write(out, "LevelCompleted",
          Render(2.2, 12,
                 [](double t, cNoise&)
                 {
                     // A bright fanfare: C E G c, then the full chord.
                     const double run[] = {72, 76, 79, 84};
                     double v = 0;
                     for (int i = 0; i < 4; ++i)
                         v += Bellish(t - i * 0.13, MidiToHz(run[i]), 0.3);
                     for (double note : {72.0, 76.0, 79.0, 84.0, 60.0})
                         v += 0.6 * Bellish(t - 0.6, MidiToHz(note), 0.6);
                     return v;
                 }),
          0.8);
}

} // namespace DataGen
