#pragma once
// A minimal data tree for writing the game's text data files (resource lists,
// sprite files, levels, campaigns). Only the writing side is needed here; the
// format is the engine's: attributes first, then children in braces, tabs for
// depth, every value in double quotes.
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace DataGen
{

class cDataNode
{
public:
    explicit cDataNode(std::string name) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    cDataNode& Attr(const std::string& name, const std::string& value);
    cDataNode& Attr(const std::string& name, int value);
    cDataNode& Attr(const std::string& name, double value);
    cDataNode& Child(const std::string& name);
    void AdoptChild(std::unique_ptr<cDataNode> child);

    const std::string* FindAttribute(const std::string& name) const;
    const cDataNode* FindChild(const std::string& name) const;
    const std::vector<std::pair<std::string, std::string>>& Attributes() const { return m_attrs; }
    const std::vector<std::unique_ptr<cDataNode>>& Children() const { return m_children; }

    // The text of this node's content (not its own name) at the given depth.
    void Write(std::string& out, int depth = 0) const;

private:
    std::string m_name;
    std::vector<std::pair<std::string, std::string>> m_attrs;
    std::vector<std::unique_ptr<cDataNode>> m_children;
};

// Parses data tree text (as the game reads it) into `root`'s content.
void ParseDataTree(const std::string& text, cDataNode& root);

// Shortest decimal text that reads back as the same float ("0.1", "0.125").
std::string FormatReal(double value);

} // namespace DataGen
