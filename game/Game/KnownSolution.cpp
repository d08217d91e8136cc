#include "game/Game/KnownSolution.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/FileSystem.h"
#include "game/Game/PlayState.h"

cKnownSolution::cKnownSolution(const cLevel& level, std::vector<cMove> moves)
    : m_moves(std::move(moves))
{
    cPlayState state = cPlayState::FromLevel(level, 1);
    m_positions.emplace(state.Hash(), 0);
    for (size_t i = 0; i < m_moves.size(); ++i)
    {
        if (!state.Play(m_moves[i]))
            break;
        m_positions.emplace(state.Hash(), i + 1);
    }
    // A recorded solution that does not complete the level (or has a move the
    // rules refuse) helps nobody: its positions would give rests that lose.
    if (!state.IsCompleted())
    {
        m_moves.clear();
        m_positions.clear();
    }
}

std::shared_ptr<const cKnownSolution> cKnownSolution::Load(Korva::cFileSystem& fileSystem,
                                                           const std::string& levelPath,
                                                           const cLevel& level)
{
    const size_t dot = levelPath.rfind('.');
    const size_t slash = levelPath.rfind('/');
    const std::string path =
        (dot != std::string::npos && (slash == std::string::npos || dot > slash)
             ? levelPath.substr(0, dot)
             : levelPath) +
        ".moves";
    if (!fileSystem.Exists(path))
        return nullptr;
    try
    {
        cMoveLog log;
        log.Load(fileSystem, path);
        auto known = std::make_shared<const cKnownSolution>(level, std::move(log.moves));
        if (known->GetPositionCount() == 0)
        {
            Korva::cLog::Get().WriteDefault("Solution does not complete its level: '" + path +
                                            "'.\n");
            return nullptr;
        }
        return known;
    }
    catch (const Korva::cException&)
    {
        // The exception has logged why.
        return nullptr;
    }
}

std::optional<std::vector<cMove>> cKnownSolution::From(uint64_t hash) const
{
    const auto it = m_positions.find(hash);
    if (it == m_positions.end())
        return std::nullopt;
    return std::vector<cMove>(m_moves.begin() + static_cast<std::ptrdiff_t>(it->second),
                              m_moves.end());
}
