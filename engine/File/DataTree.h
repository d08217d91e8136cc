#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Korva
{

class cFileInput;
class cFileOutput;

// One named node of a data tree: ordered attributes (name, value), both
// strings, and ordered children. Names need not be unique; lookups return the
// first match. The node owns its children.
//
// Values follow fixed conventions, applied by the helpers below: a boolean
// is true exactly when the value is "True"; integers read as atoi reads them;
// reals as atof reads them. A missing attribute is never an error: every
// Get* helper takes the caller's default.
class cDataNode
{
public:
    explicit cDataNode(std::string name) : m_name(std::move(name)) {}
    ~cDataNode();
    cDataNode(const cDataNode&) = delete;
    cDataNode& operator=(const cDataNode&) = delete;

    const std::string& Name() const { return m_name; }

    size_t AttributeCount() const { return m_attributes.size(); }
    const std::string& AttributeName(size_t i) const { return m_attributes[i].first; }
    const std::string& AttributeValue(size_t i) const { return m_attributes[i].second; }
    // The value of the first attribute named `name`, or null.
    const std::string* FindAttribute(std::string_view name) const;

    size_t ChildCount() const { return m_children.size(); }
    const cDataNode& Child(size_t i) const { return *m_children[i]; }
    cDataNode& Child(size_t i) { return *m_children[i]; }
    // The first child named `name`, or null.
    const cDataNode* FindChild(std::string_view name) const;
    cDataNode* FindChild(std::string_view name);

    void AddAttribute(std::string name, std::string value);
    // Appends the child and takes it over; returns it.
    cDataNode& AddChild(std::unique_ptr<cDataNode> node);
    cDataNode& AddChild(std::string name);
    // Removes every attribute and child; the name stays.
    void Clear();

    // Typed reads of the first attribute named `name`, `fallback` when missing.
    bool GetBool(std::string_view name, bool fallback) const;
    int GetInt(std::string_view name, int fallback) const;
    double GetFloat(std::string_view name, double fallback) const;
    std::string GetString(std::string_view name, const std::string& fallback) const;
    // Typed writes in the form the readers expect ("True"/"False", decimal).
    void AddBool(std::string name, bool value);
    void AddInt(std::string name, long long value);
    void AddFloat(std::string name, double value);

private:
    std::string m_name;
    std::vector<std::pair<std::string, std::string>> m_attributes;
    std::vector<std::unique_ptr<cDataNode>> m_children;
};

// True exactly for "True" (any other text, "true" and "1" included, is false).
bool ValueIsTrue(std::string_view value);
// Like atoi: leading white space, optional sign, digits up to the first
// non-digit, 0 without digits. Out-of-range numbers saturate instead of being
// undefined.
int ValueToInt(const std::string& value);
// Like atof.
double ValueToFloat(const std::string& value);
const char* BoolToValue(bool value);

// The holder of one tree, whose root is always named "Root". In files the
// root's name is not stored: a file holds the root's attributes and children:
//
//     Options=
//     {
//     	ShowHints="True"
//     }
//
// Reading never fails: input that does not follow the syntax yields whatever
// tree the reading rules give, a truncated file a partial tree, and the
// owner of the file checks for what it needs. Depth is limited only by
// memory; nothing is done recursively.
class cDataTree
{
public:
    cDataTree() : m_root(std::make_unique<cDataNode>("Root")) {}

    cDataNode& GetRoot() { return *m_root; }
    const cDataNode& GetRoot() const { return *m_root; }

    // Replaces the tree with the one read from `in` (not closed).
    void Read(cFileInput& in);
    // Writes the tree to `out` (not closed). Values are written as they are;
    // one holding a double quote does not read back the same.
    void Write(cFileOutput& out) const;

private:
    std::unique_ptr<cDataNode> m_root;
};

} // namespace Korva
