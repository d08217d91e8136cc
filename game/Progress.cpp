#include "game/Progress.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/AtomicFileWriter.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"
#include "game/Md5.h"
#include "game/SaveTree.h"

#include <algorithm>
#include <utility>

using namespace Korva;

namespace
{
constexpr const char* kWarning =
    "Do not tamper with this file! If you do, you will lose your progress!";
constexpr const char* kBadFile = "Error in completed levels file.";
} // namespace

std::string ValidationText(const cDataNode* node)
{
    std::string text;
    if (!node)
        return text;
    // Depth first with an explicit stack: a node's header, its children, then
    // its end, without recursing into a tree of any depth.
    std::vector<std::pair<const cDataNode*, size_t>> open;
    const auto begin = [&text](const cDataNode& n)
    {
        text += "NODE BEGIN \"" + n.Name() + "\" " + std::to_string(n.AttributeCount()) + " " +
                std::to_string(n.ChildCount()) + " ";
        for (size_t i = 0; i < n.AttributeCount(); ++i)
            text += "\"" + n.AttributeName(i) + "\"=\"" + n.AttributeValue(i) + "\" ";
    };
    begin(*node);
    open.emplace_back(node, 0);
    while (!open.empty())
    {
        auto& [current, next] = open.back();
        if (next == current->ChildCount())
        {
            text += "NODE END ";
            open.pop_back();
            continue;
        }
        const cDataNode& child = current->Child(next++);
        begin(child);
        open.emplace_back(&child, 0);
    }
    return text;
}

std::string ValidationValue(const cDataNode* node)
{
    return Md5Hex(ValidationText(node));
}

bool cProgress::IsLevelCompleted(const std::string& alias) const
{
    return std::find(m_levels.begin(), m_levels.end(), alias) != m_levels.end();
}

bool cProgress::Add(const std::string& alias)
{
    if (IsLevelCompleted(alias))
        return false;
    m_levels.push_back(alias);
    return true;
}

bool cProgress::Load(cFileSystem& fileSystem, const std::string& path)
{
    m_levels.clear();
    m_damagedFile = false;
    try
    {
        cDataTree tree;
        {
            cScopedInput input(fileSystem, fileSystem.OpenInput(path, true, false));
            tree.Read(*input);
        }
        LoadTree(tree);
        return true;
    }
    catch (const cException&)
    {
        // Logged by the exception; the player starts without progress. The
        // file is kept until a save would replace it.
        m_levels.clear();
        m_damagedFile = fileSystem.IsFile(path);
        return false;
    }
}

void cProgress::LoadTree(const cDataTree& tree)
{
    const cDataNode* levels = tree.GetRoot().FindChild("CompletedLevels");
    const std::string* validation = tree.GetRoot().FindAttribute("Validation");
    if (!validation || *validation != ValidationValue(levels))
        KORVA_THROW(cException, kBadFile);

    std::vector<std::string> loaded;
    if (levels)
    {
        for (size_t i = 0; i < levels->ChildCount(); ++i)
        {
            if (const std::string* alias = levels->Child(i).FindAttribute("Alias"))
                loaded.push_back(*alias);
        }
    }
    m_levels = std::move(loaded);
}

void cProgress::BuildTree(cDataTree& tree) const
{
    cDataNode& root = tree.GetRoot();
    root.Clear();
    cDataNode& levels = root.AddChild("CompletedLevels");
    for (const std::string& alias : m_levels)
        levels.AddChild("Level").AddAttribute("Alias", alias);
    root.AddAttribute("WARNING", kWarning);
    root.AddAttribute("Validation", ValidationValue(&levels));
}

void cProgress::Save(cFileSystem& fileSystem, const std::string& path)
{
    if (m_damagedFile && fileSystem.IsFile(path))
    {
        // Whatever is wrong with it, the file may be all the player has of
        // their progress: a copy stays beside the new one.
        const std::string copy = path + kDamagedSuffix;
        const std::vector<uint8_t> bytes = ReadFileBytes(fileSystem, path);
        cAtomicFileWriter writer(fileSystem, copy, false);
        writer.Output().Write(bytes.data(), bytes.size());
        writer.Commit();
        cLog::Get().WriteDefault("The unreadable progress file was kept as '" +
                                 fileSystem.TranslatePath(copy) + "'.\n");
    }
    m_damagedFile = false;
    cDataTree tree;
    BuildTree(tree);
    SaveTree(tree, fileSystem, path);
}
