#pragma once

#include <cstdint>

// The game's random numbers: a generator with the C library's range
// (0..32767). Each instance has its own state, so a puzzle started with a
// given seed always plays out the same way (replays, the solver, tests).
class cRandom
{
public:
    // Seeded with the current time in seconds.
    cRandom();
    explicit cRandom(uint32_t seed) : m_state(seed) {}

    void Seed(uint32_t seed) { m_state = seed; }
    uint32_t GetState() const { return m_state; }

    // 0..32767.
    int Next();
    // a..b, both inclusive.
    int RandomInt(int a, int b);
    // a..b.
    float RandomFloat(float a, float b);

    static uint32_t TimeSeed();

private:
    uint32_t m_state;
};
