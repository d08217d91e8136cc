#pragma once
// A small synthesiser for the game's sounds and music: deterministic noise,
// envelopes, oscillators, filters and a few instruments, all on float buffers
// at 44100 Hz.
#include <cstdint>
#include <string>
#include <vector>

namespace DataGen
{

constexpr int kRate = 44100;

class cNoise
{
public:
    explicit cNoise(uint32_t seed) : m_state(seed ? seed : 1) {}
    double Next(); // uniform in [-1, 1)
    double Uniform(double a, double b) { return a + (b - a) * (Next() * 0.5 + 0.5); }

private:
    uint32_t m_state;
};

// Attack-decay envelope: linear attack, exponential decay with the given half-life.
double EnvAD(double t, double attack, double halfLife);
double MidiToHz(double note);
// Sine of a phase given in cycles, from a table: the instruments call it
// millions of times per piece of music.
extern const double* const kSineTable; // 4097 entries, one cycle
inline double SinCycles(double cycles)
{
    const double x = (cycles - static_cast<double>(static_cast<long long>(cycles)) + 1.0) * 4096;
    const int i = static_cast<int>(x) & 4095;
    const double f = x - static_cast<int>(x);
    return kSineTable[i] * (1 - f) + kSineTable[i + 1] * f;
}

struct sBiquad
{
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    static sBiquad LowPass(double hz, double q);
    static sBiquad BandPass(double hz, double q);
    static sBiquad HighPass(double hz, double q);
    double Run(double x);
};

// Stereo float buffer that notes are added into; positions wrap around when
// `loop` is set, so a piece of music can be rendered as a seamless loop.
class cMix
{
public:
    cMix(size_t frames, bool loop) : m_l(frames, 0.0), m_r(frames, 0.0), m_loop(loop) {}
    size_t Frames() const { return m_l.size(); }
    void Add(long frame, double left, double right);
    std::vector<double>& Left() { return m_l; }
    std::vector<double>& Right() { return m_r; }
    // Schroeder reverb over the whole buffer; looped buffers get their tail
    // wrapped around by running the loop twice.
    void Reverb(double wet, double roomSize);
    void Normalise(double peak);
    // Adds `other` (of the same length) times `gain`.
    void AddMix(const cMix& other, double gain);
    // Echoes alternating left and right, `seconds` apart; on a looped buffer
    // the echoes that run past the end come back at the start.
    void PingPong(double seconds, double feedback, double wet);
    // A gentle tanh limiter: peaks round off instead of clipping, quiet parts
    // come up a little.
    void SoftLimit(double drive);
    const std::vector<double>& LeftChannel() const { return m_l; }
    const std::vector<double>& RightChannel() const { return m_r; }

private:
    std::vector<double> m_l, m_r;
    bool m_loop;
};

// Instruments, each adding one note at `start` seconds.
void Bell(cMix& mix, double start, double hz, double dur, double gain, double pan);
void Pluck(cMix& mix, double start, double hz, double dur, double gain, double pan, uint32_t seed);
void Pad(cMix& mix, double start, double hz, double dur, double gain, double pan);
void Bass(cMix& mix, double start, double hz, double dur, double gain);
void Kick(cMix& mix, double start, double gain);
void Hat(cMix& mix, double start, double gain, uint32_t seed);
void Snare(cMix& mix, double start, double gain, uint32_t seed);
// A soft electric piano: FM with a bright attack and a gentle tremolo.
void Keys(cMix& mix, double start, double hz, double dur, double gain, double pan);
// A short burst of high noise: shakers and brushes.
void Shaker(cMix& mix, double start, double gain, double pan, uint32_t seed);

// 16-bit PCM WAV files.
std::string EncodeWavMono(const std::vector<double>& samples);
// Ogg Vorbis, stereo, fixed stream serial so the bytes never change.
std::string EncodeOggStereo(const std::vector<double>& left, const std::vector<double>& right,
                            float quality);

} // namespace DataGen
