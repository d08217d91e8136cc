// zeltra-forge: builds levels together with their solutions.
//
//     zeltra-forge --recipe "RECIPE" [--seed N] [--candidates N] [--keep N]
//                  [--out FOLDER] [--greedy-may-win] [--max-random-rate R]
//                  [--min-difficulty D] [--max-difficulty D]
//                  [--items-needed] [--ungraded] [--playouts N] [--solver-boards N]
//
// RECIPE is a line of key=value words (tools/zeltra-forge/Recipe.h):
//     size=WxH pieces=N colours=N holes=PERCENT arrows=K,K,.. ice=N vortices=N
//     fragile=N fragileice=N broken=N blockers=N multi=0|1 star=0|1 bombs=N
//     plasma=N items=CODE,.. decoys=CODE,.. bricks=MIN-MAX extras=N
//     require=FEATURE,..   (what the solution must use; see Features.h)
// Seeds N, N+1, ... are tried, --candidates of them (default 50); each level
// that comes out whole is graded as zeltra-grade grades (--playouts random
// playouts, default 1000; the solver up to --solver-boards boards, default
// 200000; no first-move analysis) and kept when the
// greedy player fails (unless --greedy-may-win), random play wins at most
// --max-random-rate of the time (default 0.01) and the difficulty lies
// between the bounds (and, with --items-needed, the level cannot be won
// without its items); --ungraded keeps every whole level as it comes. The --keep hardest (default
// 3) are written to FOLDER (default .) as forge-SEED.lvl with their solution forge-SEED.moves. The
// same recipe and seed always give the same level.
//
// Exit status: 0 at least one level kept, 1 none kept, 2 bad arguments.
#include "Forge.h"

#include "engine/File/FileOutputMemory.h"
#include "game/Game/MoveLog.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace
{
bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

void Usage()
{
    std::fprintf(stderr, "usage: zeltra-forge --recipe \"RECIPE\" [--seed N] [--candidates N] "
                         "[--keep N] [--out FOLDER]\n"
                         "                    [--greedy-may-win] [--max-random-rate R] "
                         "[--min-difficulty D] [--max-difficulty D]\n"
                         "                    [--items-needed] [--ungraded] [--playouts N] "
                         "[--solver-boards N]\n");
}
} // namespace

int main(int argc, char** argv)
{
    std::string recipeText, folder = ".";
    uint32_t seed = 1;
    int candidates = 50, keep = 3;
    sTargets targets;
    Grading::sBudget budget;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--recipe" && hasValue)
            recipeText = argv[++i];
        else if (arg == "--seed" && hasValue)
            seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--candidates" && hasValue)
            candidates = std::atoi(argv[++i]);
        else if (arg == "--keep" && hasValue)
            keep = std::atoi(argv[++i]);
        else if (arg == "--out" && hasValue)
            folder = argv[++i];
        else if (arg == "--ungraded")
            targets.ungraded = true;
        else if (arg == "--items-needed")
            targets.itemsNeeded = true;
        else if (arg == "--greedy-may-win")
            targets.greedyFails = false;
        else if (arg == "--max-random-rate" && hasValue)
            targets.maxRandomWinRate = std::strtod(argv[++i], nullptr);
        else if (arg == "--min-difficulty" && hasValue)
            targets.minDifficulty = std::strtod(argv[++i], nullptr);
        else if (arg == "--max-difficulty" && hasValue)
            targets.maxDifficulty = std::strtod(argv[++i], nullptr);
        else if (arg == "--playouts" && hasValue)
            budget.randomPlayouts = std::atoi(argv[++i]);
        else if (arg == "--solver-boards" && hasValue)
            budget.solverBoards = std::strtoull(argv[++i], nullptr, 10);
        else
        {
            Usage();
            return 2;
        }
    }
    sRecipe recipe;
    try
    {
        recipe = ParseRecipe(recipeText);
    }
    catch (const std::runtime_error& e)
    {
        std::fprintf(stderr, "%s\n", e.what());
        Usage();
        return 2;
    }
    if (candidates < 1 || keep < 1 || budget.randomPlayouts < 1)
    {
        Usage();
        return 2;
    }

    const std::vector<sCandidate> kept = Forge(
        recipe, seed, candidates, targets, budget,
        [](uint32_t s, const char* outcome) { std::fprintf(stderr, "seed %u: %s\n", s, outcome); });
    for (size_t i = 0; i < kept.size() && static_cast<int>(i) < keep; ++i)
    {
        const sCandidate& c = kept[i];
        cLevel level = c.forged.level;
        level.SetName("Forged " + std::to_string(c.seed));
        level.SetDescription(DescribeRecipe(recipe));
        const std::string stem = folder + "/forge-" + std::to_string(c.seed);
        Korva::cFileOutputMemory levelText;
        level.Write(levelText);
        cMoveLog log;
        log.level = "forge-" + std::to_string(c.seed) + ".lvl";
        log.seed = 1;
        log.moves = c.forged.moves;
        Korva::cFileOutputMemory movesText;
        log.Write(movesText);
        if (!WriteFile(stem + ".lvl", levelText.GetText()) ||
            !WriteFile(stem + ".moves", movesText.GetText()))
        {
            std::fprintf(stderr, "Error creating file: '%s'.\n", (stem + ".lvl").c_str());
            return 2;
        }
        if (targets.ungraded)
        {
            std::printf("%s.lvl\n", stem.c_str());
            continue;
        }
        const Grading::sGrade& g = c.grade;
        std::string uses;
        for (const std::string& f : c.features)
            uses += (uses.empty() ? "" : ",") + f;
        std::printf("%s.lvl: difficulty %.2f, %d pieces, %d moves, greedy %s, random %d/%d, "
                    "solver %s after %zu boards, uses %s\n",
                    stem.c_str(), g.difficulty, g.pieces, g.solutionMoves,
                    g.greedyCompletes ? "wins" : "fails", g.randomWins, g.randomPlayouts,
                    g.solverSolved ? "solved" : "gave up", g.solverBoards,
                    uses.empty() ? "enclosures only" : uses.c_str());
    }
    return kept.empty() ? 1 : 0;
}
