#pragma once

class cPlayState;

// Cheap necessary conditions for a position to still be winnable. True when
// the position certainly cannot be completed any more; false tells nothing.
bool IsHopeless(const cPlayState& state, bool useItems);
