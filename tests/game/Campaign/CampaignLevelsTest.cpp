// The shipped campaign, read from the generated program folder as the game
// reads it: every level is a listed resource that loads, its recorded move
// log (data/levels/ZeltraNN.moves) completes it with the real rules whatever
// the random numbers, and no level completes itself when each piece is simply
// put, unturned, on the first cell that takes it.
#include "CampaignFixture.h"

#include "game/Game/Puzzle.h"

#include <set>

using namespace CampaignTest;

TEST_F(CampaignLevels, EveryLevelIsAListedResourceThatLoads)
{
    const std::vector<sCampaignLevel> levels = Load();
    EXPECT_GE(levels.size(), 60u);
    std::set<std::string> names;
    for (const sCampaignLevel& entry : levels)
    {
        SCOPED_TRACE(entry.alias);
        const cLevel& level = entry.level;
        EXPECT_FALSE(level.GetName().empty());
        EXPECT_TRUE(names.insert(level.GetName()).second) << "name used twice";
        EXPECT_FALSE(level.GetDescription().empty());
        EXPECT_GT(level.GetPieceCount(), 0);
        // Every cell kind and brick code is one the rules know.
        for (int y = 0; y < level.GetHeight(); ++y)
            for (int x = 0; x < level.GetWidth(); ++x)
            {
                EXPECT_LE(level.GetCell(x, y), kCellBroken) << x << "," << y;
                EXPECT_LE(level.GetBrick(x, y), kBrickLast) << x << "," << y;
            }
    }
}

TEST_F(CampaignLevels, RecordedSolutionCompletesEveryLevel)
{
    for (const sCampaignLevel& entry : Load())
    {
        SCOPED_TRACE(entry.alias + " (" + entry.level.GetName() + ")");
        cMoveLog log;
        try
        {
            log = Solution(entry);
        }
        catch (const cException& e)
        {
            ADD_FAILURE() << "no solution: " << e.GetMessage();
            continue;
        }
        // The game seeds its random numbers from the clock, so a solution
        // must not depend on the seed it was recorded with: explosions and
        // bolts take random times.
        for (uint32_t seed : {log.seed, log.seed + 1, 4242u})
        {
            cPuzzle puzzle({}, seed);
            puzzle.SetLevel(entry.level);
            BeginReplay(puzzle);
            ASSERT_TRUE(puzzle.IsSettled());
            EXPECT_FALSE(puzzle.IsCompleted());
            size_t played = 0;
            while (played < log.moves.size() && PlayMove(puzzle, log.moves[played]))
                ++played;
            EXPECT_EQ(played, log.moves.size())
                << "seed " << seed << ": move " << played + 1 << " refused";
            EXPECT_TRUE(puzzle.IsCompleted()) << "seed " << seed;
        }
    }
}

TEST_F(CampaignLevels, NoLevelCompletesByPuttingEachPieceOnTheFirstFreeCell)
{
    for (const sCampaignLevel& entry : Load())
    {
        SCOPED_TRACE(entry.alias + " (" + entry.level.GetName() + ")");
        cPuzzle puzzle({}, 1);
        puzzle.SetLevel(entry.level);
        BeginReplay(puzzle);
        const cLevel& level = entry.level;
        for (int piece = 0; piece < level.GetPieceCount(); ++piece)
        {
            bool put = false;
            for (int y = 0; y < level.GetHeight() && !put; ++y)
                for (int x = 0; x < level.GetWidth() && !put; ++x)
                    put = PlayMove(puzzle, cMove{false, x, y, 0, 0});
            if (!put)
                break; // stuck: the naive player cannot go on
        }
        EXPECT_FALSE(puzzle.IsCompleted());
    }
}
