// saf pack <folder> <archive>   packs every file beneath <folder>
// saf list <archive>            lists an archive's files and their sizes

#include "engine/Core/Exception.h"
#include "engine/File/FileOutputAtomic.h"
#include "engine/File/FileSAF.h"
#include "engine/File/SafWriter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
using Korva::cFileSAF;

int Usage()
{
    std::fprintf(stderr, "usage: saf pack <folder> <archive>\n       saf list <archive>\n");
    return 2;
}

int Pack(const std::string& folder, const std::string& archive)
{
    if (!std::filesystem::is_directory(folder))
    {
        std::fprintf(stderr, "saf: '%s' is not a folder.\n", folder.c_str());
        return 1;
    }
    Korva::cSafWriter writer;
    const size_t count = writer.AddFolderFromDisk(folder);
    // Written whole or not at all: an archive in use is never half replaced.
    auto out = Korva::cFileOutputAtomic::Create(archive, archive);
    writer.Write(*out);
    out->Commit();
    std::printf("%zu files packed into '%s'.\n", count, archive.c_str());
    return 0;
}

void ListFolder(const cFileSAF::sEntry& folder, const std::string& prefix)
{
    // Iterative walk: the archive's nesting is bounded on mounting, but the
    // tool has no reason to rely on that.
    std::vector<std::pair<const cFileSAF::sEntry*, std::string>> pending{{&folder, prefix}};
    while (!pending.empty())
    {
        const auto [node, path] = pending.back();
        pending.pop_back();
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
        {
            if (it->folder)
                pending.emplace_back(&*it, path + it->name + "/");
        }
        for (const auto& child : node->children)
        {
            if (child.folder)
                std::printf("%s%s/\n", path.c_str(), child.name.c_str());
            else
                std::printf("%s%s\t%u\n", path.c_str(), child.name.c_str(), child.size);
        }
    }
}

int List(const std::string& archive)
{
    const cFileSAF saf(archive, archive);
    ListFolder(saf.GetRoot(), "");
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try
    {
        if (args.size() == 3 && args[0] == "pack")
            return Pack(args[1], args[2]);
        if (args.size() == 2 && args[0] == "list")
            return List(args[1]);
        return Usage();
    }
    catch (const Korva::cException& e)
    {
        std::fprintf(stderr, "saf: %s\n", e.GetMessage().c_str());
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "saf: %s\n", e.what());
    }
    return 1;
}
