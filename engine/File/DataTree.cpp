#include "engine/File/DataTree.h"

#include "engine/File/FileInput.h"
#include "engine/File/FileOutput.h"

namespace Korva
{

namespace
{
// Characters come one at a time so the stream is left right after the last
// character the tree used. The end of the input is an ordinary result here.
class cCharReader
{
public:
    explicit cCharReader(cFileInput& in) : m_in(in) {}

    bool Get(char& c) { return m_in.Read(&c, 1) == 1; }

    // The next character that is not white space.
    bool GetNonSpace(char& c)
    {
        while (Get(c))
        {
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                return true;
        }
        return false;
    }

private:
    cFileInput& m_in;
};

bool EndsToken(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Parses entries into the node on top of `open` until the input ends or the
// outermost node is closed. Returns false at the end of the input; the entry
// being read then is dropped, everything complete before it stays.
bool ParseEntry(cCharReader& reader, std::vector<cDataNode*>& open)
{
    cDataNode& node = *open.back();
    char c;
    if (!reader.GetNonSpace(c))
        return false;
    if (c == '}')
    {
        open.pop_back();
        return true;
    }

    // The first character belongs to the name whatever it is.
    std::string name(1, c);
    while (true)
    {
        if (!reader.Get(c))
            return false;
        if (c == '=')
            break;
        if (EndsToken(c))
        {
            // Anything between the name and '=' is ignored.
            do
            {
                if (!reader.Get(c))
                    return false;
            } while (c != '=');
            break;
        }
        name += c;
    }

    if (!reader.GetNonSpace(c))
        return false;
    if (c == '{')
    {
        open.push_back(&node.AddChild(std::move(name)));
        return true;
    }
    std::string value;
    if (c == '"')
    {
        while (true)
        {
            if (!reader.Get(c))
                return false;
            if (c == '"')
                break;
            value += c;
        }
        node.AddAttribute(std::move(name), std::move(value));
        return true;
    }
    value += c;
    while (true)
    {
        if (!reader.Get(c))
            return false;
        if (EndsToken(c) || c == '}')
            break;
        value += c;
    }
    node.AddAttribute(std::move(name), std::move(value));
    if (c == '}')
        open.pop_back();
    return true;
}

void Indent(std::string& text, size_t depth)
{
    text.append(depth, '\t');
}
} // namespace

void cDataTree::Read(cFileInput& in)
{
    m_root = std::make_unique<cDataNode>("Root");
    cCharReader reader(in);
    // The nodes being filled, innermost last: a '}' at the outermost level
    // ends the whole parse.
    std::vector<cDataNode*> open{m_root.get()};
    while (!open.empty() && ParseEntry(reader, open))
    {
    }
}

void cDataTree::Write(cFileOutput& out) const
{
    struct sFrame
    {
        const cDataNode* node;
        size_t nextChild;
    };
    std::string text;
    std::vector<sFrame> stack{{m_root.get(), 0}};
    auto writeAttributes = [&](const cDataNode& node, size_t depth)
    {
        for (size_t i = 0; i < node.AttributeCount(); ++i)
        {
            Indent(text, depth);
            text += node.AttributeName(i);
            text += "=\"";
            text += node.AttributeValue(i);
            text += "\"\n";
        }
    };
    writeAttributes(*m_root, 0);
    while (!stack.empty())
    {
        sFrame& frame = stack.back();
        const size_t depth = stack.size() - 1;
        if (frame.nextChild == frame.node->ChildCount())
        {
            stack.pop_back();
            if (!stack.empty())
            {
                Indent(text, depth - 1);
                text += "}\n";
            }
        }
        else
        {
            const cDataNode& child = frame.node->Child(frame.nextChild++);
            Indent(text, depth);
            text += child.Name();
            text += "=\n";
            Indent(text, depth);
            text += "{\n";
            writeAttributes(child, depth + 1);
            stack.push_back({&child, 0});
        }
        // Written in pieces so a large tree needs no second copy in memory.
        if (text.size() >= 65536)
        {
            out.Write(text.data(), text.size());
            text.clear();
        }
    }
    out.Write(text.data(), text.size());
}

} // namespace Korva
