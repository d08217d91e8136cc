#include "Recipe.h"

#include <sstream>
#include <stdexcept>

namespace
{
std::vector<int> IntList(const std::string& text)
{
    std::vector<int> values;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        values.push_back(std::stoi(item));
    return values;
}

std::string Join(const std::vector<int>& values)
{
    std::string text;
    for (int value : values)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}
} // namespace

sRecipe ParseRecipe(const std::string& text)
{
    sRecipe recipe;
    std::istringstream words(text);
    std::string word;
    while (words >> word)
    {
        const size_t equals = word.find('=');
        if (equals == std::string::npos)
            throw std::runtime_error("recipe word without '=': " + word);
        const std::string key = word.substr(0, equals);
        const std::string value = word.substr(equals + 1);
        try
        {
            if (key == "size")
            {
                const size_t x = value.find('x');
                recipe.width = std::stoi(value.substr(0, x));
                recipe.height = std::stoi(value.substr(x + 1));
            }
            else if (key == "pieces")
                recipe.pieces = std::stoi(value);
            else if (key == "colours")
                recipe.colours = std::stoi(value);
            else if (key == "holes")
                recipe.holes = std::stoi(value);
            else if (key == "arrows")
                recipe.arrows = IntList(value);
            else if (key == "ice")
                recipe.ice = std::stoi(value);
            else if (key == "vortices")
                recipe.vortices = std::stoi(value);
            else if (key == "fragile")
                recipe.fragile = std::stoi(value);
            else if (key == "fragileice")
                recipe.fragileIce = std::stoi(value);
            else if (key == "broken")
                recipe.broken = std::stoi(value);
            else if (key == "blockers")
                recipe.blockers = std::stoi(value);
            else if (key == "multi")
                recipe.multi = value == "1";
            else if (key == "star")
                recipe.star = value == "1";
            else if (key == "bombs")
                recipe.bombs = std::stoi(value);
            else if (key == "plasma")
                recipe.plasma = std::stoi(value);
            else if (key == "items")
                recipe.items = IntList(value);
            else if (key == "decoys")
                recipe.decoys = IntList(value);
            else if (key == "bricks")
            {
                const size_t dash = value.find('-');
                recipe.minPieceBricks = std::stoi(value.substr(0, dash));
                recipe.maxPieceBricks = std::stoi(value.substr(dash + 1));
            }
            else if (key == "extras")
                recipe.maxExtras = std::stoi(value);
            else if (key == "require")
            {
                std::istringstream names(value);
                std::string name;
                while (std::getline(names, name, ','))
                    recipe.require.push_back(name);
            }
            else
                throw std::runtime_error("unknown recipe key: " + key);
        }
        catch (const std::logic_error&)
        {
            throw std::runtime_error("bad recipe value: " + word);
        }
    }
    if (recipe.width < 3 || recipe.height < 3 || recipe.width > 30 || recipe.height > 30 ||
        recipe.pieces < 1 || recipe.colours < 1 || recipe.colours > 8 ||
        recipe.minPieceBricks < 1 || recipe.maxPieceBricks > 7 ||
        recipe.minPieceBricks > recipe.maxPieceBricks)
        throw std::runtime_error("recipe out of range: " + text);
    return recipe;
}

std::string DescribeRecipe(const sRecipe& r)
{
    std::string text = "size=" + std::to_string(r.width) + "x" + std::to_string(r.height) +
                       " pieces=" + std::to_string(r.pieces) +
                       " colours=" + std::to_string(r.colours) +
                       " holes=" + std::to_string(r.holes);
    auto add = [&text](const char* key, int value)
    {
        if (value)
            text += std::string(" ") + key + "=" + std::to_string(value);
    };
    if (!r.arrows.empty())
        text += " arrows=" + Join(r.arrows);
    add("ice", r.ice);
    add("vortices", r.vortices);
    add("fragile", r.fragile);
    add("fragileice", r.fragileIce);
    add("broken", r.broken);
    add("blockers", r.blockers);
    add("multi", r.multi);
    add("star", r.star);
    add("bombs", r.bombs);
    add("plasma", r.plasma);
    if (!r.items.empty())
        text += " items=" + Join(r.items);
    if (!r.decoys.empty())
        text += " decoys=" + Join(r.decoys);
    text += " bricks=" + std::to_string(r.minPieceBricks) + "-" + std::to_string(r.maxPieceBricks) +
            " extras=" + std::to_string(r.maxExtras);
    if (!r.require.empty())
    {
        text += " require=";
        for (size_t i = 0; i < r.require.size(); ++i)
            text += (i ? "," : "") + r.require[i];
    }
    return text;
}
