#include "game/Game/Level.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/AtomicFileWriter.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"

#include <algorithm>

namespace
{
std::string WithoutQuotes(const std::string& text)
{
    std::string result = text;
    result.erase(std::remove(result.begin(), result.end(), '"'), result.end());
    return result;
}
} // namespace

void cLevel::Clear()
{
    m_name.clear();
    m_description.clear();
    m_width = 0;
    m_height = 0;
    m_adjustIndexX = false;
    m_cells.clear();
    m_bricks.clear();
    m_pieces.clear();
}

void cLevel::SetName(const std::string& text)
{
    m_name = WithoutQuotes(text);
}

void cLevel::SetDescription(const std::string& text)
{
    m_description = WithoutQuotes(text);
}

void cLevel::Allocate()
{
    const size_t size = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
    m_cells.assign(size, 0);
    m_bricks.assign(size, 0);
}

void cLevel::SetWidth(int n)
{
    if (n < 1)
        return;
    m_width = n;
    Allocate();
}

void cLevel::SetHeight(int n)
{
    if (n < 1)
        return;
    m_height = n;
    Allocate();
}

int cLevel::GetCell(int x, int y) const
{
    return Inside(x, y) ? m_cells[static_cast<size_t>(y) * m_width + x] : 0;
}

int cLevel::GetBrick(int x, int y) const
{
    return Inside(x, y) ? m_bricks[static_cast<size_t>(y) * m_width + x] : 0;
}

void cLevel::SetCell(int x, int y, int kind)
{
    if (Inside(x, y))
        m_cells[static_cast<size_t>(y) * m_width + x] = static_cast<uint8_t>(kind);
}

void cLevel::SetBrick(int x, int y, int code)
{
    if (Inside(x, y))
        m_bricks[static_cast<size_t>(y) * m_width + x] = static_cast<uint8_t>(code);
}

void cLevel::SetPieceCount(int n)
{
    m_pieces.clear();
    if (n > 0)
        m_pieces.assign(static_cast<size_t>(n), tPiece{});
}

void cLevel::GetPiece(int i, tPiece& piece) const
{
    if (i >= 0 && i < GetPieceCount())
        piece = m_pieces[static_cast<size_t>(i)];
}

tPiece cLevel::GetPiece(int i) const
{
    tPiece piece{};
    GetPiece(i, piece);
    return piece;
}

void cLevel::SetPiece(int i, const tPiece& piece)
{
    if (i >= 0 && i < GetPieceCount())
        m_pieces[static_cast<size_t>(i)] = piece;
}

int cLevel::GetItem(int slot) const
{
    return slot >= 0 && slot < kItemSlotCount ? m_items[static_cast<size_t>(slot)] : 0;
}

void cLevel::SetItem(int slot, int code)
{
    if (slot >= 0 && slot < kItemSlotCount)
        m_items[static_cast<size_t>(slot)] = code;
}

// The level file. Failures raise "Error in level file." from this file, as
// the game's other code and its players know it; what exactly was wrong goes
// to the log for the level's author.
namespace
{
[[noreturn]] void Fail(const std::string& detail, int line)
{
    Korva::cLog::Get().WriteDefault("Level file: " + detail + "\n");
    throw Korva::cException("Error in level file.", __FILE__, line);
}
#define LEVEL_FAIL(detail) Fail((detail), __LINE__)

const std::string& Required(const Korva::cDataNode& node, const std::string& name)
{
    const std::string* value = node.FindAttribute(name);
    if (!value)
        LEVEL_FAIL("missing '" + name + "' in '" + node.Name() + "'.");
    return *value;
}

const Korva::cDataNode& RequiredChild(const Korva::cDataNode& node, const std::string& name)
{
    const Korva::cDataNode* child = node.FindChild(name);
    if (!child)
        LEVEL_FAIL("missing node '" + name + "'.");
    return *child;
}

// Every run of digits is one number (at most 15 digits; a longer run goes on
// as the next number); everything else separates. Low 8 bits are stored: a
// value the rules do not know is a hole (cells) or a brick without a role.
void ReadNumberList(const std::string& text, std::vector<uint8_t>& out)
{
    size_t next = 0;
    size_t i = 0;
    while (i < text.size() && next < out.size())
    {
        if (text[i] < '0' || text[i] > '9')
        {
            ++i;
            continue;
        }
        long long value = 0;
        int digits = 0;
        while (i < text.size() && digits < 15 && text[i] >= '0' && text[i] <= '9')
        {
            value = value * 10 + (text[i] - '0');
            ++digits;
            ++i;
        }
        out[next++] = static_cast<uint8_t>(value & 0xff);
    }
}

std::string NumberList(const cLevel& level, bool cells)
{
    std::string text;
    for (int y = 0; y < level.GetHeight(); ++y)
    {
        for (int x = 0; x < level.GetWidth(); ++x)
        {
            if (!text.empty())
                text += ' ';
            text += std::to_string(cells ? level.GetCell(x, y) : level.GetBrick(x, y));
        }
    }
    return text;
}
} // namespace

void cLevel::ReadTree(const Korva::cDataTree& tree)
{
    Clear();
    const Korva::cDataNode& node = RequiredChild(tree.GetRoot(), "Level");
    const std::string& name = Required(node, "Name");
    const std::string& description = Required(node, "Description");
    const std::string& width = Required(node, "Width");
    const std::string& height = Required(node, "Height");
    const std::string& adjust = Required(node, "AdjustIndexX");
    const std::string& cells = Required(node, "Cells");
    const std::string& bricks = Required(node, "Bricks");

    cLevel level;
    level.SetName(name);
    level.SetDescription(description);
    level.m_width = Korva::ValueToInt(width);
    level.m_height = Korva::ValueToInt(height);
    if (level.m_width < 1 || level.m_width > kMaxSide || level.m_height < 1 ||
        level.m_height > kMaxSide)
        LEVEL_FAIL("size " + width + " x " + height + " is not between 1 and " +
                   std::to_string(kMaxSide) + ".");
    level.m_adjustIndexX = Korva::ValueIsTrue(adjust);
    level.Allocate();
    ReadNumberList(cells, level.m_cells);
    ReadNumberList(bricks, level.m_bricks);

    const Korva::cDataNode& pieces = RequiredChild(node, "Pieces");
    if (pieces.ChildCount() > static_cast<size_t>(kMaxPieces))
        LEVEL_FAIL("more than " + std::to_string(kMaxPieces) + " pieces.");
    level.SetPieceCount(static_cast<int>(pieces.ChildCount()));
    for (size_t i = 0; i < pieces.ChildCount(); ++i)
    {
        tPiece piece{};
        for (size_t k = 0; k < piece.size(); ++k)
            piece[k] = static_cast<uint8_t>(
                Korva::ValueToInt(Required(pieces.Child(i), "Brick" + std::to_string(k))) & 0xff);
        level.m_pieces[i] = piece;
    }

    const Korva::cDataNode& inventory = RequiredChild(node, "Inventory");
    for (int slot = 0; slot < kItemSlotCount; ++slot)
    {
        // An item code the rules do not know is kept as it stands; using it
        // spends the item and changes nothing.
        level.m_items[static_cast<size_t>(slot)] =
            Korva::ValueToInt(Required(inventory, "Item" + std::to_string(slot)));
    }
    *this = std::move(level);
}

void cLevel::Read(Korva::cFileInput& input)
{
    Korva::cDataTree tree;
    tree.Read(input);
    ReadTree(tree);
}

void cLevel::Load(Korva::cFileSystem& fileSystem, const std::string& path)
{
    Clear();
    Korva::cDataTree tree;
    {
        Korva::cScopedInput input(fileSystem, fileSystem.OpenInput(path, true, false));
        tree.Read(*input);
    }
    ReadTree(tree);
}

void cLevel::WriteTree(Korva::cDataTree& tree) const
{
    Korva::cDataNode& node = tree.GetRoot().AddChild("Level");
    node.AddAttribute("Name", m_name);
    node.AddAttribute("Description", m_description);
    node.AddInt("Width", m_width);
    node.AddInt("Height", m_height);
    node.AddBool("AdjustIndexX", m_adjustIndexX);
    node.AddAttribute("Cells", NumberList(*this, true));
    node.AddAttribute("Bricks", NumberList(*this, false));
    Korva::cDataNode& pieces = node.AddChild("Pieces");
    for (const tPiece& piece : m_pieces)
    {
        Korva::cDataNode& child = pieces.AddChild("Piece");
        for (size_t k = 0; k < piece.size(); ++k)
            child.AddInt("Brick" + std::to_string(k), piece[k]);
    }
    Korva::cDataNode& inventory = node.AddChild("Inventory");
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        inventory.AddInt("Item" + std::to_string(slot), m_items[static_cast<size_t>(slot)]);
}

void cLevel::Write(Korva::cFileOutput& output) const
{
    Korva::cDataTree tree;
    WriteTree(tree);
    tree.Write(output);
}

void cLevel::Save(Korva::cFileSystem& fileSystem, const std::string& path) const
{
    Korva::cAtomicFileWriter writer(fileSystem, path, true);
    Write(writer.Output());
    writer.Commit();
}
