// Feeds arbitrary bytes to the data tree reader, then writes the tree and
// reads the result again: neither may crash, hang or read out of bounds.

#include "engine/File/DataTree.h"
#include "engine/Core/Log.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/FileOutputMemory.h"

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace
{
using Korva::cDataNode;

// Whether any value holds a double quote, the one thing the format cannot
// carry.
bool HasQuote(const cDataNode& root)
{
    std::vector<const cDataNode*> pending{&root};
    while (!pending.empty())
    {
        const cDataNode* node = pending.back();
        pending.pop_back();
        for (size_t i = 0; i < node->AttributeCount(); ++i)
        {
            if (node->AttributeValue(i).find('"') != std::string::npos)
                return true;
        }
        for (size_t i = 0; i < node->ChildCount(); ++i)
            pending.push_back(&node->Child(i));
    }
    return false;
}

bool Same(const cDataNode& left, const cDataNode& right)
{
    std::vector<std::pair<const cDataNode*, const cDataNode*>> pending{{&left, &right}};
    while (!pending.empty())
    {
        const auto [a, b] = pending.back();
        pending.pop_back();
        if (a->Name() != b->Name() || a->AttributeCount() != b->AttributeCount() ||
            a->ChildCount() != b->ChildCount())
            return false;
        for (size_t i = 0; i < a->AttributeCount(); ++i)
        {
            if (a->AttributeName(i) != b->AttributeName(i) ||
                a->AttributeValue(i) != b->AttributeValue(i))
                return false;
        }
        for (size_t i = 0; i < a->ChildCount(); ++i)
            pending.emplace_back(&a->Child(i), &b->Child(i));
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Keep the in-memory log from growing over millions of runs.
    Korva::cLog::Get().SetMaxLevel(-1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const bool text = size > 0 && (data[0] & 1);
    Korva::cFileInputMemory in("fuzz", data, size, text);
    Korva::cDataTree tree;
    tree.Read(in);

    Korva::cFileOutputMemory out;
    tree.Write(out);
    const auto& written = out.GetData();
    Korva::cFileInputMemory again("again", written.data(), written.size(), false);
    Korva::cDataTree back;
    back.Read(again);
    // Whatever was read, written out it reads back the same, unless a value
    // holds a double quote.
    if (!HasQuote(tree.GetRoot()) && !Same(tree.GetRoot(), back.GetRoot()))
        std::abort();
    return 0;
}
