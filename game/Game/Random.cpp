#include "game/Game/Random.h"

#include <ctime>

cRandom::cRandom() : m_state(TimeSeed()) {}

uint32_t cRandom::TimeSeed()
{
    return static_cast<uint32_t>(std::time(nullptr));
}

int cRandom::Next()
{
    // The classic portable C library generator.
    m_state = m_state * 1103515245u + 12345u;
    return static_cast<int>((m_state / 65536u) % 32768u);
}

int cRandom::RandomInt(int a, int b)
{
    const int range = b - a + 1;
    if (range <= 0)
        return a;
    return a + Next() % range;
}

float cRandom::RandomFloat(float a, float b)
{
    return a + (b - a) * static_cast<float>(Next()) / 32767.0f;
}
