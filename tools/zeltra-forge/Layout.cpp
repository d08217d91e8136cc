#include "Layout.h"

#include "game/Game/Board.h"
#include "game/Game/Level.h"

#include <vector>

namespace
{
int Pick(std::mt19937& random, int a, int b)
{
    return std::uniform_int_distribution<int>(a, b)(random);
}

// Plain cells that every neighbour of which is a cell too: special cells
// go inside the board, where bricks can reach them from all sides.
std::vector<std::pair<int, int>> InnerPlainCells(const cLevel& level)
{
    const cBoard geometry(level);
    std::vector<std::pair<int, int>> cells;
    for (int y = 0; y < level.GetHeight(); ++y)
    {
        for (int x = 0; x < level.GetWidth(); ++x)
        {
            if (level.GetCell(x, y) != kCellPlain)
                continue;
            bool inner = true;
            for (int d = 1; d <= 6 && inner; ++d)
            {
                int nx = x, ny = y;
                geometry.Neighbour(x, y, d, nx, ny);
                inner = level.GetCell(nx, ny) != kCellHole;
            }
            if (inner)
                cells.emplace_back(x, y);
        }
    }
    return cells;
}

bool TakeInner(const cLevel& level, std::mt19937& random, int& x, int& y)
{
    const auto cells = InnerPlainCells(level);
    if (cells.empty())
        return false;
    const auto& cell =
        cells[static_cast<size_t>(Pick(random, 0, static_cast<int>(cells.size()) - 1))];
    x = cell.first;
    y = cell.second;
    return true;
}
} // namespace

cLevel MakeLayout(const sRecipe& recipe, std::mt19937& random)
{
    cLevel level;
    level.SetWidth(recipe.width);
    level.SetHeight(recipe.height);
    level.SetAdjustIndexX(Pick(random, 0, 1) == 1);
    for (int y = 0; y < recipe.height; ++y)
        for (int x = 0; x < recipe.width; ++x)
            level.SetCell(x, y, kCellPlain), level.SetBrick(x, y, 0);

    // Wear the edges: cells at the border go, and then cells next to holes,
    // until the share of holes is reached.
    const cBoard geometry(level);
    const int total = recipe.width * recipe.height;
    const int target = total * recipe.holes / 100;
    for (int holes = 0, tries = 0; holes < target && tries < total * 20; ++tries)
    {
        const int x = Pick(random, 0, recipe.width - 1);
        const int y = Pick(random, 0, recipe.height - 1);
        if (level.GetCell(x, y) == kCellHole)
            continue;
        bool edge = x == 0 || y == 0 || x == recipe.width - 1 || y == recipe.height - 1;
        for (int d = 1; d <= 6 && !edge; ++d)
        {
            int nx = x, ny = y;
            geometry.Neighbour(x, y, d, nx, ny);
            edge = level.GetCell(nx, ny) == kCellHole;
        }
        if (!edge)
            continue;
        level.SetCell(x, y, kCellHole);
        ++holes;
    }

    int x = 0, y = 0;
    for (int kind : recipe.arrows)
        if (TakeInner(level, random, x, y))
            level.SetCell(x, y, kind);
    // Ice in lanes of two or three cells, so slides go somewhere.
    for (int placed = 0; placed < recipe.ice;)
    {
        if (!TakeInner(level, random, x, y))
            break;
        const int direction = Pick(random, 1, 6);
        const int length = std::min(recipe.ice - placed, Pick(random, 2, 3));
        for (int i = 0; i < length && level.GetCell(x, y) == kCellPlain; ++i, ++placed)
        {
            level.SetCell(x, y, kCellIce);
            geometry.Neighbour(x, y, direction, x, y);
        }
        if (placed == 0)
            break;
    }
    for (int i = 0; i < recipe.vortices; ++i)
        if (TakeInner(level, random, x, y))
            level.SetCell(x, y, kCellVortex);
    for (int i = 0; i < recipe.broken; ++i)
        if (TakeInner(level, random, x, y))
            level.SetCell(x, y, kCellBroken);
    // Fragile floor anywhere, plain or ice.
    for (int i = 0; i < recipe.fragile; ++i)
        if (TakeInner(level, random, x, y))
            level.SetCell(x, y, kCellFragilePlain);
    for (int i = 0; i < recipe.fragileIce; ++i)
        if (TakeInner(level, random, x, y))
            level.SetCell(x, y, kCellFragileIce);
    for (int i = 0; i < recipe.blockers; ++i)
        if (TakeInner(level, random, x, y))
            level.SetBrick(x, y, kBrickBlocker);
    return level;
}
