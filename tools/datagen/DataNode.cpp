#include "tools/datagen/DataNode.h"

#include <cstdio>
#include <cstdlib>

namespace DataGen
{

cDataNode& cDataNode::Attr(const std::string& name, const std::string& value)
{
    m_attrs.emplace_back(name, value);
    return *this;
}

cDataNode& cDataNode::Attr(const std::string& name, int value)
{
    return Attr(name, std::to_string(value));
}

cDataNode& cDataNode::Attr(const std::string& name, double value)
{
    return Attr(name, FormatReal(value));
}

void cDataNode::AdoptChild(std::unique_ptr<cDataNode> child)
{
    m_children.push_back(std::move(child));
}

cDataNode& cDataNode::Child(const std::string& name)
{
    m_children.push_back(std::make_unique<cDataNode>(name));
    return *m_children.back();
}

const std::string* cDataNode::FindAttribute(const std::string& name) const
{
    for (const auto& [n, v] : m_attrs)
    {
        if (n == name)
            return &v;
    }
    return nullptr;
}

const cDataNode* cDataNode::FindChild(const std::string& name) const
{
    for (const auto& c : m_children)
    {
        if (c->Name() == name)
            return c.get();
    }
    return nullptr;
}

void cDataNode::Write(std::string& out, int depth) const
{
    const std::string tabs(static_cast<size_t>(depth), '\t');
    for (const auto& [n, v] : m_attrs)
        out += tabs + n + "=\"" + v + "\"\n";
    for (const auto& c : m_children)
    {
        out += tabs + c->Name() + "=\n" + tabs + "{\n";
        c->Write(out, depth + 1);
        out += tabs + "}\n";
    }
}

namespace
{

struct sParser
{
    const std::string& text;
    size_t pos = 0;

    bool Next(char& c)
    {
        if (pos >= text.size())
            return false;
        c = text[pos++];
        return true;
    }
    bool SkipSpace(char& c)
    {
        while (Next(c))
        {
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                return true;
        }
        return false;
    }
    // Returns false at the end of the input or when the node was closed.
    void Node(cDataNode& node)
    {
        for (;;)
        {
            char c;
            if (!SkipSpace(c) || c == '}')
                return;
            std::string name(1, c);
            bool skipping = false;
            for (;;)
            {
                if (!Next(c))
                    return;
                if (c == '=')
                    break;
                if (c == ' ' || c == '\t' || c == '\n')
                    skipping = true;
                else if (!skipping)
                    name += c;
            }
            if (!SkipSpace(c))
                return;
            if (c == '{')
            {
                auto child = std::make_unique<cDataNode>(name);
                Node(*child);
                node.AdoptChild(std::move(child));
            }
            else if (c == '"')
            {
                std::string value;
                for (;;)
                {
                    if (!Next(c))
                        return;
                    if (c == '"')
                        break;
                    value += c;
                }
                node.Attr(name, value);
            }
            else
            {
                std::string value(1, c);
                for (;;)
                {
                    if (!Next(c))
                    {
                        return;
                    }
                    if (c == ' ' || c == '\t' || c == '\n' || c == '}')
                        break;
                    value += c;
                }
                node.Attr(name, value);
                if (c == '}')
                    return;
            }
        }
    }
};

} // namespace

void ParseDataTree(const std::string& text, cDataNode& root)
{
    sParser parser{text};
    parser.Node(root);
}

std::string FormatReal(double value)
{
    char buf[64];
    for (int precision = 1; precision < 17; ++precision)
    {
        std::snprintf(buf, sizeof buf, "%.*g", precision, value);
        if (static_cast<float>(std::strtod(buf, nullptr)) == static_cast<float>(value))
            return buf;
    }
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

} // namespace DataGen
