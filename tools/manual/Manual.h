#pragma once
// The player's manual: the player sections of the README as one HTML page.
#include <string>
#include <vector>

namespace Manual
{

// The README's level-2 sections that the manual takes, in their order there;
// the text before the first of any level-2 section (the title and the
// introduction) always comes along.
extern const std::vector<std::string> kPlayerSections;

struct sManual
{
    std::string html;
    // Pictures the page shows: each README path (relative to the source
    // root) and the path the page names it by (relative to the page).
    std::vector<std::pair<std::string, std::string>> images;
};

// Renders `markdown` (the README) with the GitHub tables extension. Sections
// other than the player sections are left out; links to files of the source
// tree keep only their text, pictures are renamed into "images/". Fails with
// std::runtime_error when a player section is missing.
sManual MakeManual(const std::string& markdown, const std::string& version);

} // namespace Manual
