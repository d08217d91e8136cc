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

namespace
{

using tPiece = std::array<int, 7>;

// Sets the ring around (x, y) from six codes in direction order (0 = leave empty).
void Ring(sLevel& l, int x, int y, const std::array<int, 6>& codes)
{
    for (int d = 1; d <= 6; ++d)
    {
        int nx, ny;
        l.Neighbour(x, y, d, nx, ny);
        l.Brick(nx, ny) = codes[static_cast<size_t>(d - 1)];
    }
}

} // namespace

std::vector<sLevel> CampaignLevels()
{
    std::vector<sLevel> levels;
    {
        sLevel l;
        l.name = "first flower";
        l.description = "Welcome to Zeltra!\n\nA brick whose six neighbours all share one of its "
                        "colours is removed together with them.\n\nPut the piece onto the "
                        "flower of cells with the left mouse button.";
        l.Resize(3, 3);
        l.Flower(1, 1);
        l.pieces.push_back(tPiece{11, 11, 11, 11, 11, 11, 11});
        levels.push_back(l);
    }
    {
        sLevel l;
        l.name = "fill the gap";
        l.description = "The ring is already there. Put the single brick into the middle to "
                        "close it.";
        l.Resize(3, 3);
        l.Flower(1, 1);
        Ring(l, 1, 1, {22, 22, 22, 22, 22, 22});
        l.pieces.push_back(tPiece{22, 0, 0, 0, 0, 0, 0});
        levels.push_back(l);
    }
    {
        sLevel l;
        l.name = "two colours";
        l.description = "Most bricks have two colours, shown by their two halves and their "
                        "symbols. It is enough that every neighbour shares one colour with the "
                        "middle brick.";
        l.Resize(3, 3);
        l.Flower(1, 1);
        Ring(l, 1, 1, {13, 31, 13, 31, 13, 31});
        l.pieces.push_back(tPiece{12, 0, 0, 0, 0, 0, 0});
        levels.push_back(l);
    }
    {
        sLevel l;
        l.name = "turn around";
        l.description = "Turn the piece with the right mouse button or the space bar until "
                        "its bricks fit into the free cells.";
        l.Resize(3, 3);
        l.Flower(1, 1);
        Ring(l, 1, 1, {44, 0, 44, 0, 44, 0});
        l.pieces.push_back(tPiece{44, 44, 0, 44, 0, 44, 0});
        levels.push_back(l);
    }
    {
        sLevel l;
        l.name = "rainbow";
        l.description = "A two-coloured brick fits into both rings. The rainbow multi brick "
                        "matches every colour.";
        l.Resize(7, 3);
        l.Flower(1, 1);
        l.Flower(5, 1);
        Ring(l, 1, 1, {55, 55, 55, 55, 55, 55});
        Ring(l, 5, 1, {77, 77, 77, 77, 77, 77});
        l.pieces.push_back(tPiece{57, 0, 0, 0, 0, 0, 0});
        l.pieces.push_back(tPiece{100, 0, 0, 0, 0, 0, 0});
        levels.push_back(l);
    }
    {
        sLevel l;
        l.name = "helping hand";
        l.description = "Items wait in the bar below the board. Select one with the mouse or "
                        "the number keys and use it like a piece.";
        l.Resize(3, 3);
        l.Flower(1, 1);
        Ring(l, 1, 1, {88, 88, 0, 88, 0, 88});
        l.Brick(1, 1) = 0;
        l.pieces.push_back(tPiece{88, 0, 0, 0, 0, 0, 0});
        l.items[0] = 88;
        l.items[1] = 88;
        levels.push_back(l);
    }
    {
        sLevel l;
        l.name = "a little push";
        l.description = "One brick strayed from its ring. Push it back with the arrow item, "
                        "then finish the flower.";
        l.Resize(5, 5);
        l.Flower(2, 2);
        l.Cell(2, 0) = 1;
        Ring(l, 2, 2, {0, 33, 33, 33, 33, 33});
        l.Brick(2, 0) = 33;
        l.pieces.push_back(tPiece{33, 0, 0, 0, 0, 0, 0});
        l.items[0] = 204; // push south
        levels.push_back(l);
    }
    return levels;
}

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
