#pragma once

#include <filesystem>
#include <string>

namespace Korva
{

// One line about the running system from uname, e.g. "Linux 6.1.0 x86_64";
// empty if uname fails.
std::string GetOSDescription();

// The folder of the running executable (from /proc/self/exe); the current
// folder if that cannot be read.
std::filesystem::path GetExecutableFolder();

// The folder the game's data lives in, given the executable's folder: the
// executable's own folder (the build tree and an unpacked release keep the
// data beside the program), unless it has no "Resources" folder and the
// installed layout <prefix>/bin/zeltra + <prefix>/share/zeltra/Resources
// applies, in which case <prefix>/share/zeltra.
std::filesystem::path FindProgramFolder(const std::filesystem::path& executableFolder);

} // namespace Korva
