#include "tools/datagen/Levels.h"

#include "tools/datagen/DataNode.h"

namespace DataGen
{

void sLevel::Resize(int w, int h)
{
    width = w;
    height = h;
    cells.assign(static_cast<size_t>(w * h), 0);
    bricks.assign(static_cast<size_t>(w * h), 0);
}

void sLevel::Neighbour(int x, int y, int dir, int& nx, int& ny) const
{
    const bool odd = (((x + (adjustIndexX ? 1 : 0)) % 2) + 2) % 2 == 1;
    static const int even[6][2] = {{0, -1}, {1, -1}, {1, 0}, {0, 1}, {-1, 0}, {-1, -1}};
    static const int oddOff[6][2] = {{0, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}};
    const int(*o)[2] = odd ? oddOff : even;
    nx = x + o[dir - 1][0];
    ny = y + o[dir - 1][1];
}

void sLevel::Flower(int x, int y, int kind)
{
    Cell(x, y) = kind;
    for (int d = 1; d <= 6; ++d)
    {
        int nx, ny;
        Neighbour(x, y, d, nx, ny);
        Cell(nx, ny) = kind;
    }
}

// CampaignLevels() reads the level files of data/levels: CampaignLevels.cpp.

std::string LevelFileText(const sLevel& l)
{
    cDataNode level("Level");
    level.Attr("Name", l.name).Attr("Description", l.description);
    level.Attr("Width", l.width).Attr("Height", l.height);
    level.Attr("AdjustIndexX", l.adjustIndexX ? "True" : "False");
    auto list = [](const std::vector<int>& v)
    {
        std::string s;
        for (size_t i = 0; i < v.size(); ++i)
            s += (i ? " " : "") + std::to_string(v[i]);
        return s;
    };
    level.Attr("Cells", list(l.cells)).Attr("Bricks", list(l.bricks));
    cDataNode& pieces = level.Child("Pieces");
    for (const auto& p : l.pieces)
    {
        cDataNode& piece = pieces.Child("Piece");
        for (int k = 0; k < 7; ++k)
            piece.Attr("Brick" + std::to_string(k), p[static_cast<size_t>(k)]);
    }
    cDataNode& inv = level.Child("Inventory");
    for (int i = 0; i < 10; ++i)
        inv.Attr("Item" + std::to_string(i), l.items[static_cast<size_t>(i)]);
    std::string text = "Level=\n{\n";
    level.Write(text, 1);
    text += "}\n";
    return text;
}

} // namespace DataGen
