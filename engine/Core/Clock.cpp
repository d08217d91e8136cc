#include "engine/Core/Clock.h"

#include <chrono>

namespace Korva
{

double cClock::GetTime() const
{
    const auto sinceOrigin = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceOrigin).count();
}

} // namespace Korva
