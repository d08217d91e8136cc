#pragma once

#include "game/Game/MoveLog.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class cLevel;
class cPlayState;

namespace Korva
{
class cFileSystem;
}

// A level's recorded solution with the positions along it, so that a hint
// on a position the solution passes through (in whatever order of moves the
// player got there) is its next move, found at once.
class cKnownSolution
{
public:
    // Replays `moves` on `level`. Moves that do not complete the level, or
    // that the rules refuse somewhere, give a solution of no positions.
    cKnownSolution(const cLevel& level, std::vector<cMove> moves);

    // Reads the move log beside a level file ("Levels/Zeltra07.lvl" has
    // "Levels/Zeltra07.moves"). Null, with a line in the log, when there is
    // none or it cannot be read.
    static std::shared_ptr<const cKnownSolution>
    Load(Korva::cFileSystem& fileSystem, const std::string& levelPath, const cLevel& level);

    // The moves that complete the level from a position with this hash
    // (cPlayState::Hash), or nothing when the solution does not pass there.
    std::optional<std::vector<cMove>> From(uint64_t hash) const;
    size_t GetPositionCount() const { return m_positions.size(); }

private:
    std::vector<cMove> m_moves;
    // Position hash to the number of moves played to reach it.
    std::unordered_map<uint64_t, size_t> m_positions;
};
