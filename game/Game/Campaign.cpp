#include "game/Game/Campaign.h"

#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"

using namespace Korva;

namespace
{
constexpr const char* kBadFile = "Error in campaign file.";
} // namespace

void cCampaign::Load(cFileSystem& fileSystem, const std::string& path)
{
    cDataTree tree;
    {
        cScopedInput input(fileSystem, fileSystem.OpenInput(path, true, false));
        tree.Read(*input);
    }
    ReadTree(tree);
}

void cCampaign::ReadTree(const cDataTree& tree)
{
    const cDataNode* campaign = tree.GetRoot().FindChild("Campaign");
    const std::string* iconSprite = campaign ? campaign->FindAttribute("IconSpriteAlias") : nullptr;
    const cDataNode* levels = campaign ? campaign->FindChild("Levels") : nullptr;
    if (!iconSprite || !levels)
        KORVA_THROW(cException, kBadFile);

    // Every child is a level, whatever its name.
    std::vector<std::string> aliases;
    aliases.reserve(levels->ChildCount());
    for (size_t i = 0; i < levels->ChildCount(); ++i)
    {
        const std::string* alias = levels->Child(i).FindAttribute("Alias");
        if (!alias)
            KORVA_THROW(cException, kBadFile);
        aliases.push_back(*alias);
    }
    m_iconSpriteAlias = *iconSprite;
    m_levelAliases = std::move(aliases);
}
