#include "tools/datagen/DataSet.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace DataGen
{

namespace
{

void Collect(const cDataNode& node, const std::string& list, std::vector<sResourceEntry>& out)
{
    for (const auto& child : node.Children())
    {
        if (child->Name() != "Resource")
        {
            Collect(*child, list, out);
            continue;
        }
        const std::string* type = child->FindAttribute("Type");
        const std::string* file = child->FindAttribute("File");
        if (!type || !file)
            continue;
        sResourceEntry e;
        e.list = list;
        e.type = *type;
        e.file = *file;
        const std::string* alias = child->FindAttribute("Alias");
        e.alias = alias ? *alias : *file;
        const std::string* level = child->FindAttribute("Level");
        e.level = level ? std::atoi(level->c_str()) : 0;
        for (const auto& [k, v] : child->Attributes())
            e.attributes.emplace(k, v);
        out.push_back(e);
    }
}

} // namespace

cDataSet::cDataSet(std::filesystem::path root) : m_root(std::move(root))
{
    for (const char* list : {"Images", "Sprites", "Sounds", "Campaigns", "Levels"})
    {
        // A missing list is reported by the checks, not here.
        if (!std::filesystem::exists(m_root / "Resources" / (std::string(list) + ".res")))
            continue;
        cDataNode tree("Root");
        ParseDataTree(ReadFile(std::string("/Resources/") + list + ".res"), tree);
        if (const cDataNode* rl = tree.FindChild("ResourceList"))
            Collect(*rl, list, m_entries);
    }
}

const sResourceEntry* cDataSet::Find(const std::string& alias) const
{
    for (const auto& e : m_entries)
    {
        if (e.alias == alias)
            return &e;
    }
    return nullptr;
}

std::string cDataSet::ReadFile(const std::string& file) const
{
    const std::filesystem::path path = m_root / file.substr(file.starts_with("/") ? 1 : 0);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Couldn't open '" + path.string() + "'.");
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

sSpriteInfo cDataSet::ReadSprite(const std::string& file) const
{
    cDataNode tree("Root");
    ParseDataTree(ReadFile(file), tree);
    const cDataNode* sprite = tree.FindChild("Sprite");
    const cDataNode* frames = sprite ? sprite->FindChild("Frames") : nullptr;
    const std::string* image = sprite ? sprite->FindAttribute("ImageAlias") : nullptr;
    if (!frames || !image)
        throw std::runtime_error("Bad sprite file: '" + file + "'.");
    sSpriteInfo info;
    info.imageAlias = *image;
    auto num = [&](const cDataNode& n, const char* key)
    {
        const std::string* v = n.FindAttribute(key);
        if (!v)
            throw std::runtime_error("Bad sprite file: '" + file + "'.");
        return std::atoi(v->c_str());
    };
    for (const auto& f : frames->Children())
        info.frames.push_back({num(*f, "X"), num(*f, "Y"), num(*f, "Width"), num(*f, "Height"),
                               num(*f, "HotSpotX"), num(*f, "HotSpotY")});
    if (const cDataNode* anims = sprite->FindChild("Anims"))
    {
        for (const auto& a : anims->Children())
        {
            const std::string* looping = a->FindAttribute("Looping");
            info.looping.push_back(looping && *looping == "True");
            std::vector<std::pair<int, double>> steps;
            for (const auto& s : a->Children())
            {
                const std::string* t = s->FindAttribute("Time");
                if (!t)
                    throw std::runtime_error("Bad sprite file: '" + file + "'.");
                steps.emplace_back(num(*s, "Frame"), std::atof(t->c_str()));
            }
            info.anims.push_back(steps);
        }
    }
    return info;
}

} // namespace DataGen
