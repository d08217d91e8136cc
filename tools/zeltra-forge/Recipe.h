#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a forged level is made of: its size, its pieces, the mechanics it
// uses and how much room the construction has. Written as one line of
// "key=value" words (see ParseRecipe), for example
//     size=9x8 pieces=6 colours=4 arrows=2,5 ice=4 items=201,210
struct sRecipe
{
    int width = 8;
    int height = 7;
    int pieces = 4;
    int colours = 4; // colour digits 1..colours
    // Share of the rectangle cut away as holes at the edges, in percent.
    int holes = 15;
    // Cells of each kind scattered over the board.
    std::vector<int> arrows; // arrow kinds 2..7, one cell each (repeat a kind for more)
    int ice = 0;
    int vortices = 0;
    int fragile = 0;
    int fragileIce = 0;
    int broken = 0;
    int blockers = 0; // on the board at the start
    // Special bricks the construction may use.
    bool multi = false;
    bool star = false;
    int bombs = 0;  // pieces that carry a bomb
    int plasma = 0; // pairs of plasma bricks (one on the board, one in a piece)
    // Items used by the solution, one move each, and items given as decoys.
    std::vector<int> items;
    std::vector<int> decoys;
    // Bricks per piece, and the most bricks a piece may leave behind for
    // later pieces.
    int minPieceBricks = 2;
    int maxPieceBricks = 5;
    int maxExtras = 3;
    // What the solution must make use of (see Features.h), e.g. "arrow3,ice".
    std::vector<std::string> require;
};

// Raises std::runtime_error naming the word it could not read.
sRecipe ParseRecipe(const std::string& text);
std::string DescribeRecipe(const sRecipe& recipe);
