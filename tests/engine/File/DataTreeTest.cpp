#include "engine/File/DataTree.h"

#include "engine/File/FileInputMemory.h"
#include "engine/File/FileOutputMemory.h"

#include <gtest/gtest.h>

using namespace Korva;

namespace
{
cDataTree Parse(const std::string& text)
{
    cFileInputMemory in("test", text.data(), text.size(), true);
    cDataTree tree;
    tree.Read(in);
    return tree;
}

std::string Write(const cDataTree& tree)
{
    cFileOutputMemory out;
    tree.Write(out);
    return out.GetText();
}

// Nodes equal in names, attributes and children, in order.
::testing::AssertionResult SameNode(const cDataNode& a, const cDataNode& b)
{
    if (a.Name() != b.Name() || a.AttributeCount() != b.AttributeCount() ||
        a.ChildCount() != b.ChildCount())
        return ::testing::AssertionFailure() << "node '" << a.Name() << "' differs";
    for (size_t i = 0; i < a.AttributeCount(); ++i)
    {
        if (a.AttributeName(i) != b.AttributeName(i) || a.AttributeValue(i) != b.AttributeValue(i))
            return ::testing::AssertionFailure() << "attribute " << a.AttributeName(i);
    }
    for (size_t i = 0; i < a.ChildCount(); ++i)
    {
        if (auto result = SameNode(a.Child(i), b.Child(i)); !result)
            return result;
    }
    return ::testing::AssertionSuccess();
}

TEST(DataTree, WritesTheDocumentedLayout)
{
    cDataTree tree;
    cDataNode& options = tree.GetRoot().AddChild("Options");
    options.AddBool("ShowHints", true);
    options.AddInt("BitDepth", 32);
    EXPECT_EQ(Write(tree), "Options=\n{\n\tShowHints=\"True\"\n\tBitDepth=\"32\"\n}\n");
}

TEST(DataTree, RoundTripKeepsNamesValuesAndOrder)
{
    cDataTree tree;
    cDataNode& root = tree.GetRoot();
    root.AddAttribute("Version", "1.21");
    cDataNode& level = root.AddChild("Level");
    level.AddAttribute("Name", "Two words");
    level.AddAttribute("Name", "second");
    level.AddAttribute("Text", "line one\nline two\r\n\ttabbed {braces} = sign");
    level.AddAttribute("Empty", "");
    cDataNode& board = level.AddChild("Board");
    board.AddChild("Cell").AddAttribute("X", "-3");
    board.AddChild("Cell");
    level.AddChild("Board").AddChild("Deep").AddChild("Deeper").AddAttribute("K", "v");

    // Read in binary mode: the carriage return inside the value must survive.
    const std::string text = Write(tree);
    cFileInputMemory in("test", text.data(), text.size(), false);
    cDataTree back;
    back.Read(in);
    EXPECT_TRUE(SameNode(tree.GetRoot(), back.GetRoot()));
    EXPECT_EQ(Write(back), text);
    EXPECT_EQ(*back.GetRoot().FindChild("Level")->FindAttribute("Name"), "Two words");
}

TEST(DataTree, ReadsLooseSyntax)
{
    // Unquoted values, a value closing its node, text between name and '=',
    // Windows line ends.
    const cDataTree tree = Parse("Top=\r\n{\r\n  A=1 B  junk = \"two\"\r\nInner={C=x}\r\n}\r\nD=4");
    const cDataNode& root = tree.GetRoot();
    ASSERT_EQ(root.ChildCount(), 1u);
    const cDataNode& top = root.Child(0);
    EXPECT_EQ(top.Name(), "Top");
    ASSERT_EQ(top.AttributeCount(), 2u);
    EXPECT_EQ(top.AttributeName(0), "A");
    EXPECT_EQ(top.AttributeValue(0), "1");
    EXPECT_EQ(top.AttributeName(1), "B");
    EXPECT_EQ(top.AttributeValue(1), "two");
    ASSERT_NE(top.FindChild("Inner"), nullptr);
    EXPECT_EQ(*top.FindChild("Inner")->FindAttribute("C"), "x");
    // The input ended while D's value was being read: D is dropped.
    EXPECT_EQ(root.AttributeCount(), 0u);
}

TEST(DataTree, HostileInputGivesPartialTrees)
{
    EXPECT_EQ(Parse("").GetRoot().ChildCount(), 0u);
    EXPECT_EQ(Parse(" \r\n\t").GetRoot().AttributeCount(), 0u);

    // A '}' at the outermost level ends everything.
    cDataTree closed = Parse("A=\"1\"\n}\nB=\"2\"\nC={\n}");
    EXPECT_EQ(closed.GetRoot().AttributeCount(), 1u);
    EXPECT_EQ(closed.GetRoot().ChildCount(), 0u);

    // An unterminated quote loses only that attribute.
    cDataTree open = Parse("A=\"1\"\nN={\nB=\"2\"\nC=\"never closed\n}\n");
    ASSERT_EQ(open.GetRoot().ChildCount(), 1u);
    const cDataNode& n = open.GetRoot().Child(0);
    EXPECT_EQ(n.AttributeCount(), 1u);
    EXPECT_EQ(n.FindAttribute("C"), nullptr);

    // Nothing but a name, a giant one.
    const std::string giant(1 << 20, 'x');
    EXPECT_EQ(Parse(giant).GetRoot().AttributeCount(), 0u);
    EXPECT_EQ(Parse(giant + "=\"v\"").GetRoot().AttributeName(0).size(), giant.size());

    // Nesting far deeper than the stack would allow for recursion, reading,
    // writing and destroying.
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "a={";
    cDataTree tree = Parse(deep);
    size_t depth = 0;
    for (const cDataNode* node = &tree.GetRoot(); node->ChildCount() > 0; node = &node->Child(0))
        ++depth;
    EXPECT_EQ(depth, 200000u);
}

TEST(DataTree, ValueConventions)
{
    EXPECT_TRUE(ValueIsTrue("True"));
    EXPECT_FALSE(ValueIsTrue("true"));
    EXPECT_FALSE(ValueIsTrue("TRUE"));
    EXPECT_FALSE(ValueIsTrue("1"));
    EXPECT_FALSE(ValueIsTrue("True "));

    EXPECT_EQ(ValueToInt("  -42xyz"), -42);
    EXPECT_EQ(ValueToInt("+7"), 7);
    EXPECT_EQ(ValueToInt("abc"), 0);
    EXPECT_EQ(ValueToInt("99999999999999999999"), INT32_MAX);
    EXPECT_DOUBLE_EQ(ValueToFloat(" 2.5e1m"), 25.0);

    cDataNode node("N");
    node.AddAttribute("On", "True");
    node.AddAttribute("Count", "12");
    node.AddFloat("Speed", 0.1);
    EXPECT_TRUE(node.GetBool("On", false));
    EXPECT_TRUE(node.GetBool("Missing", true));
    EXPECT_EQ(node.GetInt("Count", 0), 12);
    EXPECT_EQ(node.GetInt("Missing", -1), -1);
    EXPECT_EQ(node.GetFloat("Speed", 0.0), 0.1);
    EXPECT_EQ(node.GetString("Missing", "dflt"), "dflt");
}
} // namespace
