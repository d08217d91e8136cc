#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Korva
{
class cFileInput;
class cFileOutput;
class cFileSystem;
} // namespace Korva

class cPuzzle;

// A recorded sequence of moves, replayable headless. Its file is a data tree:
//
//     MoveLog=
//     {
//     	Level="Levels/Tutorial1.lev"   (what was played; informational)
//     	Seed="1"                       (the puzzle's random seed)
//     	Moves=
//     	{
//     		Piece=                         (put the current piece)
//     		{
//     			X="3"
//     			Y="2"
//     			Rotation="1"               (sixths clockwise from the piece as the
//     		}                              level file stores it, 0..5)
//     		Item=                          (use the item in a slot)
//     		{
//     			Slot="4"
//     			X="0"
//     			Y="0"
//     		}
//     	}
//     }
//
// A move log replays to the same board when each move is followed by
// cPuzzle::RunToRest with its default step, as zeltra-play and
// zeltra-solve do.
struct cMove
{
    bool item = false;
    int x = 0;
    int y = 0;
    int rotation = 0; // pieces
    int slot = 0;     // items

    bool operator==(const cMove&) const = default;
    std::string Describe() const;
};

class cMoveLog
{
public:
    std::string level;
    uint32_t seed = 1;
    std::vector<cMove> moves;

    // Raises cException "Error in move log." when the tree lacks its parts.
    void Read(Korva::cFileInput& input);
    void Load(Korva::cFileSystem& fileSystem, const std::string& path);
    void Write(Korva::cFileOutput& output) const;
};

// Plays one move on a settled puzzle and runs the reaction to rest. False
// when the rules refuse the move or the board never comes to rest.
bool PlayMove(cPuzzle& puzzle, const cMove& move);
// Starts the puzzle's level as the game does when its info popup closes.
void BeginReplay(cPuzzle& puzzle);
