#include "tools/datagen/Output.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace DataGen
{

cOutput::cOutput(std::filesystem::path root) : m_root(std::move(root)) {}

void cOutput::WriteFile(const std::string& relPath, const std::string& bytes)
{
    const std::filesystem::path path = m_root / relPath;
    std::filesystem::create_directories(path.parent_path());
    ++m_fileCount;
    m_byteCount += bytes.size();
    {
        std::ifstream old(path, std::ios::binary);
        if (old)
        {
            const std::string existing((std::istreambuf_iterator<char>(old)),
                                       std::istreambuf_iterator<char>());
            if (existing == bytes)
                return;
        }
    }
    // Write beside and rename, so an interrupted build never leaves half a file.
    const std::filesystem::path tmp = path.string() + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("Couldn't write '" + tmp.string() + "'.");
    }
    std::filesystem::rename(tmp, path);
}

void cOutput::WriteFile(const std::string& relPath, const std::vector<unsigned char>& bytes)
{
    WriteFile(relPath, std::string(bytes.begin(), bytes.end()));
}

cDataNode& cOutput::AddResource(const std::string& list, const std::string& group,
                                const std::string& type, const std::string& file,
                                const std::string& alias, int level)
{
    auto it = m_lists.find(list);
    if (it == m_lists.end())
    {
        it = m_lists.emplace(list, cDataNode("ResourceList")).first;
        m_listOrder.push_back(list);
    }
    cDataNode& listNode = it->second;
    cDataNode* groupNode = nullptr;
    for (const auto& c : listNode.Children())
    {
        if (c->Name() == group)
            groupNode = c.get();
    }
    if (!groupNode)
        groupNode = &listNode.Child(group);
    cDataNode& res = groupNode->Child("Resource");
    res.Attr("Type", type).Attr("File", file).Attr("Alias", alias).Attr("Level", level);
    return res;
}

void cOutput::WriteResourceLists()
{
    for (const auto& name : m_listOrder)
    {
        std::string text = "ResourceList=\n{\n";
        m_lists.at(name).Write(text, 1);
        text += "}\n";
        WriteFile("Resources/" + name + ".res", text);
    }
}

} // namespace DataGen
