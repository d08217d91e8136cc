#pragma once
// The campaign's levels, kept as plain data so the level files, the level icons
// and the instruction pages are made from the same source.
#include <array>
#include <string>
#include <vector>

namespace DataGen
{

struct sLevel
{
    std::string name, description;
    int width = 0, height = 0;
    bool adjustIndexX = false;
    std::vector<int> cells, bricks; // row-major
    std::vector<std::array<int, 7>> pieces;
    std::array<int, 10> items{};
    // The move log that solves it, as written beside the level file; empty
    // when there is none. The game's hints follow it.
    std::string solution;

    void Resize(int w, int h);
    int& Cell(int x, int y) { return cells[static_cast<size_t>(y * width + x)]; }
    int& Brick(int x, int y) { return bricks[static_cast<size_t>(y * width + x)]; }
    // The neighbour of (x, y) in direction 1..6, by the board's column parity.
    void Neighbour(int x, int y, int dir, int& nx, int& ny) const;
    // Plain cells at (x, y) and its six neighbours.
    void Flower(int x, int y, int kind = 1);
};

// The campaign in play order, read from the level files in data/levels.
std::vector<sLevel> CampaignLevels();
std::string LevelFileText(const sLevel& level);

} // namespace DataGen
