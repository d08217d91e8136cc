// zeltra-play: replays a move log on a level, headless, with the game's rules.
//
//     zeltra-play LEVEL MOVES [--quiet]
//
// LEVEL is a level file, MOVES a move log (format in game/Game/MoveLog.h):
//
//     MoveLog=
//     {
//     	Level="Levels/Tutorial1.lev"
//     	Seed="1"
//     	Moves=
//     	{
//     		Piece=
//     		{
//     			X="3"
//     			Y="2"
//     			Rotation="1"
//     		}
//     		Item=
//     		{
//     			Slot="4"
//     			X="0"
//     			Y="0"
//     		}
//     	}
//     }
//
// Piece puts the current piece with its centre on cell (X, Y), turned
// Rotation sixths clockwise from its orientation in the level file; Item uses
// inventory slot Slot (0..9) on cell (X, Y). Seed (0..2147483647) seeds the
// puzzle's random numbers. The level is started as the game starts it
// (enclosures of the starting layout removed) and every move runs to rest in
// steps of 1/60 s with the default cell size and animation timings.
//
// Output: the board at rest after the start and after each move (unless
// --quiet), one text row per board row; a position prints as "K:BBB", K the
// cell kind in hex (0 hole .. c broken), BBB the brick code or "..." for
// none. The last line is "Completed: True" or "Completed: False".
//
// Exit status: 0 completed, 1 all moves played but not completed, 2 a file
// could not be read, 3 a move was refused or the board never came to rest.
#include "engine/Core/Exception.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "game/Game/MoveLog.h"
#include "game/Game/Puzzle.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{
void PrintBoard(const cBoard& board)
{
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        std::string row;
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            char text[16];
            const int code = board.GetBrickCode(x, y);
            if (code == 0)
                std::snprintf(text, sizeof text, "%x:... ", board.GetCellKind(x, y));
            else
                std::snprintf(text, sizeof text, "%x:%03d ", board.GetCellKind(x, y), code);
            row += text;
        }
        std::printf("%s\n", row.c_str());
    }
}
} // namespace

int main(int argc, char** argv)
{
    bool quiet = false;
    std::string paths[2];
    int count = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--quiet") == 0)
            quiet = true;
        else if (count < 2)
            paths[count++] = argv[i];
        else
            count = 3;
    }
    if (count != 2)
    {
        std::fprintf(stderr, "usage: zeltra-play LEVEL MOVES [--quiet]\n");
        return 2;
    }

    cLevel level;
    cMoveLog log;
    try
    {
        Korva::cFileSystemPOSIX fileSystem("");
        level.Load(fileSystem, paths[0]);
        log.Load(fileSystem, paths[1]);
    }
    catch (const Korva::cException& e)
    {
        std::fprintf(stderr, "%s\n", e.GetMessage().c_str());
        return 2;
    }

    cPuzzle puzzle({}, log.seed);
    puzzle.SetLevel(level);
    BeginReplay(puzzle);
    if (!quiet)
    {
        std::printf("Start\n");
        PrintBoard(puzzle.GetBoard());
    }
    for (size_t i = 0; i < log.moves.size(); ++i)
    {
        const cMove& move = log.moves[i];
        const bool played = PlayMove(puzzle, move);
        if (!quiet || !played)
            std::printf("Move %zu: %s%s\n", i + 1, move.Describe().c_str(),
                        played ? "" : " refused");
        if (!played)
        {
            std::printf("Completed: False\n");
            return 3;
        }
        if (!quiet)
            PrintBoard(puzzle.GetBoard());
    }
    const bool completed = puzzle.IsCompleted();
    std::printf("Completed: %s\n", completed ? "True" : "False");
    return completed ? 0 : 1;
}
