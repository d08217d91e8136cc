#include "tools/datagen/Synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vorbis/vorbisenc.h>

namespace DataGen
{

double cNoise::Next()
{
    // xorshift32: the same sequence on every machine.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state >> 8) / 8388608.0 - 1.0;
}

double EnvAD(double t, double attack, double halfLife)
{
    if (t < 0)
        return 0;
    if (t < attack)
        return t / attack;
    return std::exp2(-(t - attack) / halfLife);
}

namespace
{

const std::vector<double> gSine = []
{
    std::vector<double> t(4097);
    for (int i = 0; i <= 4096; ++i)
        t[static_cast<size_t>(i)] = std::sin(2 * M_PI * i / 4096);
    return t;
}();

} // namespace

const double* const kSineTable = gSine.data();

double MidiToHz(double note)
{
    return 440.0 * std::exp2((note - 69) / 12.0);
}

sBiquad sBiquad::LowPass(double hz, double q)
{
    const double w = 2 * M_PI * hz / kRate, c = std::cos(w), a = std::sin(w) / (2 * q);
    sBiquad f;
    const double a0 = 1 + a;
    f.b0 = (1 - c) / 2 / a0;
    f.b1 = (1 - c) / a0;
    f.b2 = (1 - c) / 2 / a0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - a) / a0;
    return f;
}

sBiquad sBiquad::BandPass(double hz, double q)
{
    const double w = 2 * M_PI * hz / kRate, c = std::cos(w), a = std::sin(w) / (2 * q);
    sBiquad f;
    const double a0 = 1 + a;
    f.b0 = a / a0;
    f.b1 = 0;
    f.b2 = -a / a0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - a) / a0;
    return f;
}

sBiquad sBiquad::HighPass(double hz, double q)
{
    const double w = 2 * M_PI * hz / kRate, c = std::cos(w), a = std::sin(w) / (2 * q);
    sBiquad f;
    const double a0 = 1 + a;
    f.b0 = (1 + c) / 2 / a0;
    f.b1 = -(1 + c) / a0;
    f.b2 = (1 + c) / 2 / a0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - a) / a0;
    return f;
}

double sBiquad::Run(double x)
{
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

void cMix::Add(long frame, double left, double right)
{
    const long n = static_cast<long>(m_l.size());
    if (m_loop)
        frame = ((frame % n) + n) % n;
    else if (frame < 0 || frame >= n)
        return;
    m_l[static_cast<size_t>(frame)] += left;
    m_r[static_cast<size_t>(frame)] += right;
}

namespace
{

struct sComb
{
    std::vector<double> buf;
    size_t pos = 0;
    double feedback, damp, store = 0;
    double Run(double x)
    {
        const double y = buf[pos];
        store = y * (1 - damp) + store * damp;
        buf[pos] = x + store * feedback;
        pos = (pos + 1) % buf.size();
        return y;
    }
};

struct sAllPass
{
    std::vector<double> buf;
    size_t pos = 0;
    double Run(double x)
    {
        const double b = buf[pos];
        buf[pos] = x + b * 0.5;
        pos = (pos + 1) % buf.size();
        return b - x;
    }
};

void ReverbChannel(std::vector<double>& s, double wet, double room, int spread, bool loop)
{
    const int combLen[] = {1116, 1188, 1277, 1356, 1422, 1491};
    const int apLen[] = {556, 441, 341};
    std::vector<sComb> combs;
    for (int len : combLen)
        combs.push_back(
            {std::vector<double>(static_cast<size_t>(len + spread), 0.0), 0, room, 0.3});
    std::vector<sAllPass> aps;
    for (int len : apLen)
        aps.push_back({std::vector<double>(static_cast<size_t>(len + spread), 0.0), 0});
    std::vector<double> out(s.size());
    const int passes = loop ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i = 0; i < s.size(); ++i)
        {
            double acc = 0;
            for (auto& c : combs)
                acc += c.Run(s[i] * 0.05);
            for (auto& a : aps)
                acc = a.Run(acc);
            out[i] = acc;
        }
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = s[i] * (1 - wet * 0.5) + out[i] * wet;
}

} // namespace

void cMix::Reverb(double wet, double roomSize)
{
    ReverbChannel(m_l, wet, roomSize, 0, m_loop);
    ReverbChannel(m_r, wet, roomSize, 23, m_loop);
}

void cMix::Normalise(double peak)
{
    double m = 1e-9;
    for (size_t i = 0; i < m_l.size(); ++i)
        m = std::max({m, std::fabs(m_l[i]), std::fabs(m_r[i])});
    const double g = peak / m;
    for (size_t i = 0; i < m_l.size(); ++i)
    {
        m_l[i] *= g;
        m_r[i] *= g;
    }
}

void cMix::AddMix(const cMix& other, double gain)
{
    const size_t n = std::min(m_l.size(), other.m_l.size());
    for (size_t i = 0; i < n; ++i)
    {
        m_l[i] += other.m_l[i] * gain;
        m_r[i] += other.m_r[i] * gain;
    }
}

void cMix::PingPong(double seconds, double feedback, double wet)
{
    const size_t d = static_cast<size_t>(std::max(1.0, seconds * kRate));
    const size_t n = m_l.size();
    if (n <= d)
        return;
    // Two delay lines that feed each other: left echoes come back right.
    std::vector<double> el(n, 0.0), er(n, 0.0);
    const int passes = m_loop ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i = 0; i < n; ++i)
        {
            const size_t j = (i + n - d) % n;
            if (!m_loop && i < d)
                continue;
            // Each echo a little darker than the one before.
            el[i] = 0.7 * (m_l[j] + er[j] * feedback) + 0.3 * el[(i + n - 1) % n];
            er[i] = 0.7 * (el[j] * feedback) + 0.3 * er[(i + n - 1) % n];
        }
    for (size_t i = 0; i < n; ++i)
    {
        m_l[i] += el[i] * wet;
        m_r[i] += er[i] * wet;
    }
}

void cMix::SoftLimit(double drive)
{
    const double norm = 1.0 / std::tanh(drive);
    for (size_t i = 0; i < m_l.size(); ++i)
    {
        m_l[i] = std::tanh(m_l[i] * drive) * norm;
        m_r[i] = std::tanh(m_r[i] * drive) * norm;
    }
}

namespace
{

void PanGains(double pan, double& l, double& r)
{
    const double a = (pan + 1) * M_PI / 4;
    l = std::cos(a);
    r = std::sin(a);
}

} // namespace

void Bell(cMix& mix, double start, double hz, double dur, double gain, double pan)
{
    // Two-operator FM with a slightly inharmonic modulator: a soft electric bell.
    double gl, gr;
    PanGains(pan, gl, gr);
    const long first = std::lround(start * kRate);
    const long n = std::lround(dur * kRate);
    for (long i = 0; i < n; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double env = EnvAD(t, 0.004, dur * 0.22) * std::min(1.0, (dur - t) * 20);
        const double index = 1.6 * EnvAD(t, 0.002, 0.12);
        const double v = SinCycles(hz * t + index / (2 * M_PI) * SinCycles(hz * 2.001 * t)) +
                         0.2 * SinCycles(hz * 3.0 * t) * EnvAD(t, 0.002, 0.05);
        mix.Add(first + i, v * env * gain * gl, v * env * gain * gr);
    }
}

void Pluck(cMix& mix, double start, double hz, double dur, double gain, double pan, uint32_t seed)
{
    // Karplus-Strong string.
    double gl, gr;
    PanGains(pan, gl, gr);
    cNoise noise(seed);
    const size_t period = static_cast<size_t>(std::max(2.0, kRate / hz));
    std::vector<double> line(period);
    double prevNoise = 0;
    for (auto& v : line)
    {
        const double x = noise.Next();
        v = (x + prevNoise) * 0.5; // a softer excitation
        prevNoise = x;
    }
    const long first = std::lround(start * kRate);
    const long n = std::lround(dur * kRate);
    size_t pos = 0;
    double last = 0;
    for (long i = 0; i < n; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double y = line[pos];
        const double next = line[(pos + 1) % period];
        line[pos] = 0.4985 * (y + next);
        pos = (pos + 1) % period;
        last = y;
        // A 2 ms onset: the noise burst starts from silence, so a note at a
        // loop's seam does not click.
        const double fade = std::min({1.0, (dur - t) * 30, t / 0.002});
        mix.Add(first + i, last * gain * gl * fade, last * gain * gr * fade);
    }
}

void Pad(cMix& mix, double start, double hz, double dur, double gain, double pan)
{
    // Detuned additive voices with slow swells: warm and quiet.
    double gl, gr;
    PanGains(pan, gl, gr);
    const long first = std::lround(start * kRate);
    const long n = std::lround(dur * kRate);
    const double detune[2] = {0.9975, 1.003};
    const double partials[3] = {1.0, 0.4, 0.15};
    for (long i = 0; i < n; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.6);
        const double release = std::min(1.0, (dur - t) / 0.8);
        const double env = attack * attack * (3 - 2 * attack) * std::max(0.0, release);
        double l = 0, r = 0;
        for (int d = 0; d < 2; ++d)
            for (int p = 0; p < 3; ++p)
            {
                const double v =
                    partials[p] * SinCycles(hz * detune[d] * (p + 1) * t + d * 0.27 + p * 0.16);
                l += v * (d == 0 ? 1.0 : 0.45);
                r += v * (d == 1 ? 1.0 : 0.45);
            }
        mix.Add(first + i, l * env * gain * gl * 0.35, r * env * gain * gr * 0.35);
    }
}

void Bass(cMix& mix, double start, double hz, double dur, double gain)
{
    const long first = std::lround(start * kRate);
    const long n = std::lround(dur * kRate);
    for (long i = 0; i < n; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double env = EnvAD(t, 0.01, 0.35) * 0.7 + 0.3 * std::min(1.0, t / 0.01);
        const double fade = std::max(0.0, std::min(1.0, (dur - t) / 0.05));
        const double v =
            SinCycles(hz * t) + 0.25 * SinCycles(2 * hz * t) + 0.1 * SinCycles(3 * hz * t);
        mix.Add(first + i, v * env * fade * gain, v * env * fade * gain);
    }
}

void Kick(cMix& mix, double start, double gain)
{
    const long first = std::lround(start * kRate);
    double phase = 0;
    for (long i = 0; i < kRate / 4; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        phase += 2 * M_PI * (48 + 90 * std::exp(-t * 35)) / kRate;
        const double v = std::sin(phase) * EnvAD(t, 0.002, 0.06);
        mix.Add(first + i, v * gain, v * gain);
    }
}

void Hat(cMix& mix, double start, double gain, uint32_t seed)
{
    cNoise noise(seed);
    sBiquad hp = sBiquad::HighPass(7000, 0.7);
    const long first = std::lround(start * kRate);
    for (long i = 0; i < kRate / 20; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double v = hp.Run(noise.Next()) * EnvAD(t, 0.001, 0.012);
        mix.Add(first + i, v * gain * 0.8, v * gain);
    }
}

void Snare(cMix& mix, double start, double gain, uint32_t seed)
{
    cNoise noise(seed);
    sBiquad bp = sBiquad::BandPass(1800, 0.8);
    const long first = std::lround(start * kRate);
    for (long i = 0; i < kRate / 5; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double v = bp.Run(noise.Next()) * EnvAD(t, 0.001, 0.04) +
                         0.4 * std::sin(2 * M_PI * 190 * t) * EnvAD(t, 0.001, 0.03);
        mix.Add(first + i, v * gain, v * gain * 0.9);
    }
}

void Keys(cMix& mix, double start, double hz, double dur, double gain, double pan)
{
    double gl, gr;
    PanGains(pan, gl, gr);
    const long first = std::lround(start * kRate);
    const long n = std::lround((dur + 0.4) * kRate); // a short release after the note
    for (long i = 0; i < n; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double release = t < dur ? 1.0 : std::max(0.0, 1.0 - (t - dur) / 0.4);
        const double env =
            (0.25 + 0.75 * EnvAD(t, 0.003, 0.45)) * std::min(1.0, t / 0.003) * release * release;
        const double index = 0.3 + 1.4 * EnvAD(t, 0.001, 0.08);
        const double tremolo = 1.0 + 0.12 * SinCycles(4.5 * t);
        const double v = SinCycles(hz * t + index / (2 * M_PI) * SinCycles(hz * t)) +
                         0.15 * SinCycles(hz * 14.0 * t) * EnvAD(t, 0.0005, 0.01);
        mix.Add(first + i, v * env * gain * gl * (2.0 - tremolo), v * env * gain * gr * tremolo);
    }
}

void Shaker(cMix& mix, double start, double gain, double pan, uint32_t seed)
{
    double gl, gr;
    PanGains(pan, gl, gr);
    cNoise noise(seed);
    sBiquad bp = sBiquad::BandPass(9000, 1.2);
    const long first = std::lround(start * kRate);
    for (long i = 0; i < kRate / 12; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / 0.008) * std::exp2(-t / 0.018);
        const double v = bp.Run(noise.Next()) * env;
        mix.Add(first + i, v * gain * gl, v * gain * gr);
    }
}

std::string EncodeWavMono(const std::vector<double>& samples)
{
    std::string out;
    auto u32 = [&](uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((v >> (8 * i)) & 255);
    };
    auto u16 = [&](unsigned v)
    {
        out += static_cast<char>(v & 255);
        out += static_cast<char>((v >> 8) & 255);
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out += "RIFF";
    u32(36 + dataBytes);
    out += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out += "data";
    u32(dataBytes);
    for (double s : samples)
    {
        const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767);
        u16(static_cast<unsigned>(v) & 0xFFFF);
    }
    return out;
}

std::string EncodeOggStereo(const std::vector<double>& left, const std::vector<double>& right,
                            float quality)
{
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 2, kRate, quality) != 0)
        throw std::runtime_error("Couldn't set up the Vorbis encoder.");
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "Zeltra");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x5A454C54); // fixed serial: identical bytes every build
    std::string out;
    auto flush = [&](bool force)
    {
        ogg_page og;
        while (force ? ogg_stream_flush(&os, &og) : ogg_stream_pageout(&os, &og))
        {
            out.append(reinterpret_cast<const char*>(og.header),
                       static_cast<size_t>(og.header_len));
            out.append(reinterpret_cast<const char*>(og.body), static_cast<size_t>(og.body_len));
        }
    };
    {
        ogg_packet h, hc, hcode;
        vorbis_analysis_headerout(&vd, &vc, &h, &hc, &hcode);
        ogg_stream_packetin(&os, &h);
        ogg_stream_packetin(&os, &hc);
        ogg_stream_packetin(&os, &hcode);
        flush(true);
    }
    const size_t block = 4096;
    size_t pos = 0;
    bool done = false;
    while (!done)
    {
        const size_t n = std::min(block, left.size() - pos);
        if (n == 0)
            vorbis_analysis_wrote(&vd, 0);
        else
        {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
            {
                buf[0][i] = static_cast<float>(left[pos + i]);
                buf[1][i] = static_cast<float>(right[pos + i]);
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            pos += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1)
        {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op))
            {
                ogg_stream_packetin(&os, &op);
                flush(false);
            }
        }
        if (n == 0)
            done = true;
    }
    flush(true);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

} // namespace DataGen
