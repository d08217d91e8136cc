#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Korva
{
class cDataTree;
class cFileSystem;
} // namespace Korva

// The ordered list of levels the player works through, by the aliases of
// their "Level" resources, and the sprite that holds their icons.
class cCampaign
{
public:
    // Reads a campaign file; raises cException "Error in campaign file."
    // when a required part is missing (the campaign is then unchanged).
    void Load(Korva::cFileSystem& fileSystem, const std::string& path);
    void ReadTree(const Korva::cDataTree& tree);

    int32_t GetLevelCount() const { return static_cast<int32_t>(m_levelAliases.size()); }
    // 0-based; the caller keeps the index inside 0..count-1.
    const std::string& GetLevelAlias(int32_t index) const
    {
        return m_levelAliases[static_cast<size_t>(index)];
    }
    const std::string& GetIconSpriteAlias() const { return m_iconSpriteAlias; }

private:
    std::string m_iconSpriteAlias;
    std::vector<std::string> m_levelAliases;
};
