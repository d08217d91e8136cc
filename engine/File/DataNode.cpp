#include "engine/File/DataTree.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>

namespace Korva
{

cDataNode::~cDataNode()
{
    Clear();
}

void cDataNode::Clear()
{
    m_attributes.clear();
    // Taken apart level by level: a very deep tree from a hostile file must
    // not overflow the stack through nested destructors.
    std::vector<std::unique_ptr<cDataNode>> pending = std::move(m_children);
    m_children.clear();
    while (!pending.empty())
    {
        std::unique_ptr<cDataNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

const std::string* cDataNode::FindAttribute(std::string_view name) const
{
    for (const auto& [key, value] : m_attributes)
    {
        if (key == name)
            return &value;
    }
    return nullptr;
}

const cDataNode* cDataNode::FindChild(std::string_view name) const
{
    for (const auto& child : m_children)
    {
        if (child->m_name == name)
            return child.get();
    }
    return nullptr;
}

cDataNode* cDataNode::FindChild(std::string_view name)
{
    return const_cast<cDataNode*>(std::as_const(*this).FindChild(name));
}

void cDataNode::AddAttribute(std::string name, std::string value)
{
    m_attributes.emplace_back(std::move(name), std::move(value));
}

cDataNode& cDataNode::AddChild(std::unique_ptr<cDataNode> node)
{
    m_children.push_back(std::move(node));
    return *m_children.back();
}

cDataNode& cDataNode::AddChild(std::string name)
{
    return AddChild(std::make_unique<cDataNode>(std::move(name)));
}

bool cDataNode::GetBool(std::string_view name, bool fallback) const
{
    const std::string* value = FindAttribute(name);
    return value ? ValueIsTrue(*value) : fallback;
}

int cDataNode::GetInt(std::string_view name, int fallback) const
{
    const std::string* value = FindAttribute(name);
    return value ? ValueToInt(*value) : fallback;
}

double cDataNode::GetFloat(std::string_view name, double fallback) const
{
    const std::string* value = FindAttribute(name);
    return value ? ValueToFloat(*value) : fallback;
}

std::string cDataNode::GetString(std::string_view name, const std::string& fallback) const
{
    const std::string* value = FindAttribute(name);
    return value ? *value : fallback;
}

void cDataNode::AddBool(std::string name, bool value)
{
    AddAttribute(std::move(name), BoolToValue(value));
}

void cDataNode::AddInt(std::string name, long long value)
{
    AddAttribute(std::move(name), std::to_string(value));
}

void cDataNode::AddFloat(std::string name, double value)
{
    // The shortest text that reads back as the same number.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    AddAttribute(std::move(name), std::string(buffer, result.ptr));
}

bool ValueIsTrue(std::string_view value)
{
    return value == "True";
}

int ValueToInt(const std::string& value)
{
    errno = 0;
    const long long number = std::strtoll(value.c_str(), nullptr, 10);
    if (number > INT_MAX)
        return INT_MAX;
    if (number < INT_MIN)
        return INT_MIN;
    return static_cast<int>(number);
}

double ValueToFloat(const std::string& value)
{
    return std::strtod(value.c_str(), nullptr);
}

const char* BoolToValue(bool value)
{
    return value ? "True" : "False";
}

} // namespace Korva
