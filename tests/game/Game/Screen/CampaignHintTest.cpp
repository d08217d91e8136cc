// F1 on every campaign level: from every position along the level's recorded
// solution the game's hint search finds a move, within its board budget, and
// the moves it answers with win the level from there.
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "game/Game/KnownSolution.h"
#include "game/Game/Puzzle.h"
#include "game/Game/Screen/HintSearch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace
{
const std::string kProgramDir = ZELTRA_TEST_PROGRAM_DIR;

bool Wins(cPuzzle puzzle, const std::vector<cMove>& moves)
{
    for (const cMove& move : moves)
        if (!PlayMove(puzzle, move))
            return false;
    return puzzle.IsCompleted();
}
} // namespace

TEST(CampaignHints, EveryPositionAlongEverySolutionGetsAHintThatStillWins)
{
    Korva::cFileSystemPOSIX program(kProgramDir);
    int levels = 0;
    for (int n = 1;; ++n)
    {
        char name[32];
        std::snprintf(name, sizeof(name), "/Levels/Zeltra%02d.lvl", n);
        if (!std::filesystem::exists(kProgramDir + name))
            break;
        SCOPED_TRACE(name);
        cLevel level;
        level.Load(program, name);
        // Found beside the level in the program folder, as the game finds it.
        const std::shared_ptr<const cKnownSolution> known =
            cKnownSolution::Load(program, name, level);
        ASSERT_TRUE(known) << "no recorded solution shipped with the level";
        cMoveLog log;
        std::string moves = name;
        moves.replace(moves.size() - 4, 4, ".moves");
        log.Load(program, moves);

        cPuzzle puzzle({}, 1000 + static_cast<uint32_t>(n));
        puzzle.SetLevel(level);
        BeginReplay(puzzle);
        const std::atomic<bool> stop{false};
        for (size_t i = 0; i < log.moves.size(); ++i)
        {
            const cSolver::sResult hint = cHintSearch::DefaultSolve(puzzle, stop, known.get());
            ASSERT_TRUE(hint.solved && !hint.moves.empty()) << "no hint before move " << i + 1;
            EXPECT_LE(hint.states, cHintSearch::kBoardLimit);
            EXPECT_TRUE(Wins(puzzle, hint.moves)) << "the hint before move " << i + 1 << " loses";
            ASSERT_TRUE(PlayMove(puzzle, log.moves[i]));
        }
        EXPECT_TRUE(puzzle.IsCompleted());
        ++levels;
    }
    EXPECT_GE(levels, 60);
}
