#pragma once
// Reads a generated program folder back: the resource lists, and for every
// sprite its frames and animations. Used by the contact sheet and the checks.
#include "tools/datagen/DataNode.h"
#include "tools/datagen/Image.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace DataGen
{

struct sResourceEntry
{
    std::string list, type, file, alias;
    int level = 0;
    std::map<std::string, std::string> attributes;
};

struct sSpriteFrame
{
    int x, y, width, height, hotX, hotY;
};

struct sSpriteInfo
{
    std::string imageAlias;
    std::vector<sSpriteFrame> frames;
    std::vector<std::vector<std::pair<int, double>>> anims;
    std::vector<bool> looping;
};

class cDataSet
{
public:
    explicit cDataSet(std::filesystem::path root);

    const std::vector<sResourceEntry>& Entries() const { return m_entries; }
    const sResourceEntry* Find(const std::string& alias) const;
    std::string ReadFile(const std::string& file) const; // "/Images/x.tga"
    sSpriteInfo ReadSprite(const std::string& file) const;

private:
    std::filesystem::path m_root;
    std::vector<sResourceEntry> m_entries;
};

} // namespace DataGen
