#pragma once

#include <string>
#include <vector>

// The campaign's chapters: runs of levels, each with a name. The file has one
// chapter a line, "FIRST-LAST Name", in campaign order; '#' starts a comment.
struct sChapter
{
    int first = 0; // campaign level numbers, from 1
    int last = 0;
    std::string name;
};

// Raises std::runtime_error with the line's number when a line is malformed
// or the chapters do not follow each other without gaps.
std::vector<sChapter> ReadChapters(const std::string& path);
