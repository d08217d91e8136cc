// The player's manual made from a README: which sections it keeps, what
// becomes of links and pictures, and the README itself as the build uses it.
#include "tools/manual/Manual.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace
{

std::string AllPlayerSections()
{
    std::string text;
    for (const std::string& section : Manual::kPlayerSections)
        text += "## " + section + "\n\nAbout " + section + ".\n\n";
    return text;
}

TEST(ManualTest, KeepsTheIntroductionAndThePlayerSectionsOnly)
{
    const std::string readme = "# Zeltra\n\nA puzzle game.\n\n![Menu](docs/images/menu.png)\n\n" +
                               AllPlayerSections() +
                               "## For developers\n\nRun `scripts/test.sh`.\n\n### Tools\n\nsaf\n\n"
                               "| Key | Action |\n|---|---|\n| `u` | undo |\n";
    const Manual::sManual manual = Manual::MakeManual(readme, "v1.21");
    EXPECT_NE(manual.html.find("<title>Zeltra - player's manual</title>"), std::string::npos);
    EXPECT_NE(manual.html.find("A puzzle game."), std::string::npos);
    for (const std::string& section : Manual::kPlayerSections)
        EXPECT_NE(manual.html.find("About " + section + "."), std::string::npos) << section;
    // The navigation bar leads to each section's heading.
    EXPECT_NE(manual.html.find("<a href=\"#making-and-sharing-a-level\">"), std::string::npos);
    EXPECT_NE(manual.html.find("<h2 id=\"making-and-sharing-a-level\">"), std::string::npos);
    EXPECT_EQ(manual.html.find("For developers"), std::string::npos);
    EXPECT_EQ(manual.html.find("scripts/test.sh"), std::string::npos);
    EXPECT_EQ(manual.html.find("saf"), std::string::npos);
    ASSERT_EQ(manual.images.size(), 1u);
    EXPECT_EQ(manual.images[0].first, "docs/images/menu.png");
    EXPECT_EQ(manual.images[0].second, "images/menu.png");
    EXPECT_NE(manual.html.find("<img src=\"images/menu.png\" alt=\"Menu\""), std::string::npos);
    EXPECT_NE(manual.html.find("v1.21"), std::string::npos);
}

TEST(ManualTest, TablesRenderAndSourceLinksKeepOnlyTheirText)
{
    const std::string readme = "# Zeltra\n\n" + AllPlayerSections() +
                               "| Input | Action |\n|---|---|\n| `y` | redo |\n\n"
                               "See [HACKING.md](HACKING.md) and [the site](https://x.example/).\n";
    const Manual::sManual manual = Manual::MakeManual(readme, "v1");
    EXPECT_NE(manual.html.find("<th>Input</th>"), std::string::npos);
    EXPECT_NE(manual.html.find("<td><code>y</code></td>"), std::string::npos);
    EXPECT_EQ(manual.html.find("href=\"HACKING.md\""), std::string::npos);
    EXPECT_NE(manual.html.find("See HACKING.md and"), std::string::npos);
    EXPECT_NE(manual.html.find("<a href=\"https://x.example/\">the site</a>"), std::string::npos);
}

TEST(ManualTest, AMissingPlayerSectionFailsTheBuild)
{
    EXPECT_THROW(Manual::MakeManual("# Zeltra\n\n## Play\n\nx\n", "v1"), std::runtime_error);
}

// The repository's README has every player section, and its pictures exist.
TEST(ManualTest, TheReadmeMakesTheManual)
{
    const std::filesystem::path source = ZELTRA_TEST_SOURCE_DIR;
    std::ifstream in(source / "README.md");
    std::stringstream readme;
    readme << in.rdbuf();
    const Manual::sManual manual = Manual::MakeManual(readme.str(), "v1.21");
    EXPECT_GT(manual.html.size(), 5000u);
    for (const auto& [from, to] : manual.images)
        EXPECT_TRUE(std::filesystem::exists(source / from)) << from;
    EXPECT_NE(manual.html.find("F1"), std::string::npos);
    EXPECT_NE(manual.html.find("free software under the MIT licence"), std::string::npos);
    EXPECT_NE(manual.html.find("<td>cmark-gfm</td>"), std::string::npos);
}

} // namespace
