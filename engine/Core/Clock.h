#pragma once

namespace Korva
{

// Monotonic time in seconds. The origin is the steady clock's own (usually
// the boot time), so readings stay comparable even across a re-created core.
class cClock
{
public:
    double GetTime() const;
};

} // namespace Korva
