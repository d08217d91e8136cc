#pragma once

#include <string>
#include <vector>

// The start-up delay asked for on the command line, in milliseconds: every
// argument after the program path that is exactly "--initdelay" sets it to
// the number that follows (atoi rules), or to 3000 when nothing follows. It
// is at most 5000; below 1 means no delay.
int ParseInitDelay(const std::vector<std::string>& arguments);
