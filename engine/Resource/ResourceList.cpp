#include "engine/File/DataTree.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Resource/ResManager.h"
#include "engine/Resource/Resource.h"

#include <utility>
#include <vector>

// Reading resource list files.

namespace Korva
{

void cResManager::LoadList(const std::string& path)
{
    cFileSystem& fileSystem = cFileSystemManager::Get().GetCurrent();
    cDataTree tree;
    {
        cScopedInput input(fileSystem, fileSystem.OpenInput(path, true, false));
        tree.Read(*input);
    }
    if (const cDataNode* list = tree.GetRoot().FindChild("ResourceList"))
        LoadListNode(*list);
}

void cResManager::LoadListNode(const cDataNode& list)
{
    // Groups nest to any depth; walk them with an explicit stack, in file
    // order, so a deeply nested file cannot exhaust the call stack.
    if (list.Name() == "Resource")
    {
        CreateFromNode(list);
        return;
    }
    std::vector<std::pair<const cDataNode*, size_t>> groups;
    groups.emplace_back(&list, 0);
    while (!groups.empty())
    {
        auto& [group, next] = groups.back();
        if (next == group->ChildCount())
        {
            groups.pop_back();
            continue;
        }
        const cDataNode& node = group->Child(next++);
        if (node.Name() == "Resource")
            CreateFromNode(node);
        else
            groups.emplace_back(&node, 0);
    }
}

void cResManager::CreateFromNode(const cDataNode& node)
{
    const std::string* type = node.FindAttribute("Type");
    const std::string* file = node.FindAttribute("File");
    if (!type || !file)
        return;
    const std::string* alias = node.FindAttribute("Alias");
    const std::string* level = node.FindAttribute("Level");
    const int32_t tier = level ? ValueToInt(*level) : 0;

    for (auto it = m_handlers.rbegin(); it != m_handlers.rend(); ++it)
    {
        if (!(*it)->Accepts(*type))
            continue;
        if (cResource* resource = (*it)->Create(*type, *file, alias ? *alias : *file, tier, node))
            m_created.push_back(resource);
        return;
    }
}

} // namespace Korva
