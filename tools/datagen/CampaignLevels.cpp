// The campaign's levels live as level files in data/levels (ZeltraNN.lvl, played
// in file-name order), each with the move log that solves it beside it
// (ZeltraNN.moves). Files are easier to review, solve and replay with the
// tools than levels built in code; here they are read back so that the icons
// are drawn from the same boards the game loads.
#include "tools/datagen/DataNode.h"
#include "tools/datagen/Levels.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace DataGen
{

namespace
{

namespace fs = std::filesystem;

[[noreturn]] void Fail(const fs::path& file, const std::string& what)
{
    throw std::runtime_error(file.string() + ": " + what);
}

const std::string& Need(const fs::path& file, const cDataNode& node, const std::string& name)
{
    const std::string* value = node.FindAttribute(name);
    if (!value)
        Fail(file, "no " + name);
    return *value;
}

int Number(const fs::path& file, const cDataNode& node, const std::string& name, int low, int high)
{
    const std::string& text = Need(file, node, name);
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(c) != 0; }))
        Fail(file, name + " is not a number");
    const int value = std::stoi(text);
    if (value < low || value > high)
        Fail(file, name + " out of range");
    return value;
}

// A shipped level must be exact: the game would quietly read a short list as
// holes, which only shows up as a broken level much later.
std::vector<int> NumberList(const fs::path& file, const cDataNode& node, const std::string& name,
                            size_t count, int high)
{
    std::vector<int> values;
    const std::string& text = Need(file, node, name);
    for (size_t i = 0; i < text.size();)
    {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
        {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        if (end - i > 3 || std::stoi(text.substr(i, end - i)) > high)
            Fail(file, name + " holds a value out of range");
        values.push_back(std::stoi(text.substr(i, end - i)));
        i = end;
    }
    if (values.size() != count)
        Fail(file, name + " needs " + std::to_string(count) + " values");
    return values;
}

sLevel ReadLevel(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        Fail(file, "cannot be read");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    cDataNode root("Root");
    ParseDataTree(text, root);
    const cDataNode* node = root.FindChild("Level");
    if (!node)
        Fail(file, "no Level node");

    sLevel l;
    l.name = Need(file, *node, "Name");
    l.description = Need(file, *node, "Description");
    l.Resize(Number(file, *node, "Width", 1, 64), Number(file, *node, "Height", 1, 64));
    l.adjustIndexX = Need(file, *node, "AdjustIndexX") == "True";
    const size_t size = static_cast<size_t>(l.width * l.height);
    l.cells = NumberList(file, *node, "Cells", size, 12);
    l.bricks = NumberList(file, *node, "Bricks", size, 104);

    const cDataNode* pieces = node->FindChild("Pieces");
    if (!pieces)
        Fail(file, "no Pieces node");
    for (const auto& piece : pieces->Children())
    {
        std::array<int, 7> record{};
        for (int k = 0; k < 7; ++k)
            record[static_cast<size_t>(k)] =
                Number(file, *piece, "Brick" + std::to_string(k), 0, 104);
        l.pieces.push_back(record);
    }
    const cDataNode* inventory = node->FindChild("Inventory");
    if (!inventory)
        Fail(file, "no Inventory node");
    for (int i = 0; i < 10; ++i)
        l.items[static_cast<size_t>(i)] =
            Number(file, *inventory, "Item" + std::to_string(i), 0, 211);
    return l;
}

} // namespace

std::vector<sLevel> CampaignLevels()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(ZELTRA_CAMPAIGN_DIR))
        if (entry.path().extension() == ".lvl")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty())
        throw std::runtime_error("no campaign levels in " ZELTRA_CAMPAIGN_DIR);

    std::vector<sLevel> levels;
    for (const fs::path& file : files)
    {
        levels.push_back(ReadLevel(file));
        fs::path moves = file;
        moves.replace_extension(".moves");
        std::ifstream in(moves, std::ios::binary);
        if (in)
            levels.back().solution.assign(std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>());
    }
    return levels;
}

} // namespace DataGen
