#include "Chapters.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

std::vector<sChapter> ReadChapters(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("Error opening file: '" + path + "'.");
    std::vector<sChapter> chapters;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number)
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        sChapter chapter;
        char dash = 0;
        fields >> chapter.first >> dash >> chapter.last;
        std::getline(fields >> std::ws, chapter.name);
        const int expectedFirst = chapters.empty() ? 1 : chapters.back().last + 1;
        if (!fields.eof() && fields.fail())
            throw std::runtime_error(path + ":" + std::to_string(number) + ": malformed chapter.");
        if (dash != '-' || chapter.name.empty() || chapter.first != expectedFirst ||
            chapter.last < chapter.first)
            throw std::runtime_error(path + ":" + std::to_string(number) + ": malformed chapter.");
        chapters.push_back(chapter);
    }
    return chapters;
}
