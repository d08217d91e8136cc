// zeltra-solve: searches for a sequence of moves that completes a level.
//
//     zeltra-solve LEVEL [--seed N] [--max-states N] [--max-seconds S]
//                        [--no-items] [--out FILE]
//
// The search plays every candidate move with the game's rules (each
// reaction run to rest as zeltra-play runs it), depth first, fewest bricks
// left first, never visiting a board twice, and gives up on boards where a
// colour brick can no longer be enclosed. A solution is printed as a move
// log (format in game/Game/MoveLog.h and tools/zeltra-play/main.cpp) on
// standard output, or written to FILE with --out; replay it with
//     zeltra-play LEVEL FILE
// Defaults: seed 1, 200000 boards, 60 seconds, items used.
//
// Exit status: 0 solved, 1 no solution exists, 2 the level could not be
// read, 4 the search stopped at a limit without an answer.
#include "engine/Core/Exception.h"
#include "engine/File/FileOutputMemory.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "game/Game/Solver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    std::string levelPath;
    std::string outPath;
    cSolver::sOptions options;
    for (int i = 1; i < argc; ++i)
    {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--seed") == 0 && hasValue)
            options.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (std::strcmp(argv[i], "--max-states") == 0 && hasValue)
            options.maxStates = std::strtoull(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--max-seconds") == 0 && hasValue)
            options.maxSeconds = std::strtod(argv[++i], nullptr);
        else if (std::strcmp(argv[i], "--out") == 0 && hasValue)
            outPath = argv[++i];
        else if (std::strcmp(argv[i], "--no-items") == 0)
            options.useItems = false;
        else if (levelPath.empty() && argv[i][0] != '-')
            levelPath = argv[i];
        else
            levelPath.clear(), i = argc;
    }
    if (levelPath.empty())
    {
        std::fprintf(stderr, "usage: zeltra-solve LEVEL [--seed N] [--max-states N] "
                             "[--max-seconds S] [--no-items] [--out FILE]\n");
        return 2;
    }
    options.seed &= 0x7fffffffu; // the move log stores it as a signed decimal

    cLevel level;
    try
    {
        Korva::cFileSystemPOSIX fileSystem("");
        level.Load(fileSystem, levelPath);
    }
    catch (const Korva::cException& e)
    {
        std::fprintf(stderr, "%s\n", e.GetMessage().c_str());
        return 2;
    }

    const cSolver::sResult result = cSolver::Solve(level, options);
    if (!result.solved)
    {
        if (result.exhausted)
        {
            std::fprintf(stderr, "No solution (%zu boards searched).\n", result.states);
            return 1;
        }
        std::fprintf(stderr, "No solution found within the limits (%zu boards searched).\n",
                     result.states);
        return 4;
    }
    cMoveLog log;
    log.level = levelPath;
    log.seed = options.seed;
    log.moves = result.moves;
    Korva::cFileOutputMemory output;
    log.Write(output);
    if (outPath.empty())
        std::fwrite(output.GetData().data(), 1, output.GetData().size(), stdout);
    else
    {
        std::ofstream file(outPath, std::ios::binary);
        file.write(output.GetText().data(), static_cast<std::streamsize>(output.GetText().size()));
        if (!file)
        {
            std::fprintf(stderr, "Error creating file: '%s'.\n", outPath.c_str());
            return 2;
        }
    }
    std::fprintf(stderr, "Solved in %zu moves (%zu boards searched).\n", result.moves.size(),
                 result.states);
    return 0;
}
