#pragma once
// Where the generated data goes: the program folder's Resources/, Images/,
// Sprites/, Sounds/ and Levels/. Collects the resource list entries while the
// data is made and writes the five lists at the end.
#include "tools/datagen/DataNode.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace DataGen
{

class cOutput
{
public:
    explicit cOutput(std::filesystem::path root);

    // Writes a file below the root ("Images/Foo.tga"), creating folders; the
    // file is replaced only when its bytes change, so the build's timestamps stay
    // quiet when nothing changed.
    void WriteFile(const std::string& relPath, const std::string& bytes);
    void WriteFile(const std::string& relPath, const std::vector<unsigned char>& bytes);

    // Adds a "Resource" node to a list ("Images", "Sprites", ...) inside a group
    // node of that list. Returns the node so callers can add sound attributes.
    cDataNode& AddResource(const std::string& list, const std::string& group,
                           const std::string& type, const std::string& file,
                           const std::string& alias, int level = 0);

    void WriteResourceLists();

    const std::filesystem::path& Root() const { return m_root; }
    size_t FileCount() const { return m_fileCount; }
    size_t ByteCount() const { return m_byteCount; }

private:
    std::filesystem::path m_root;
    std::map<std::string, cDataNode> m_lists; // list name -> "ResourceList" node
    std::vector<std::string> m_listOrder;
    size_t m_fileCount = 0;
    size_t m_byteCount = 0;
};

} // namespace DataGen
