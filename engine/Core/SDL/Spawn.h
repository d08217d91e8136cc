#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace Korva
{

// Starts a program (looked up in PATH) with the given arguments, the first
// being the program's name, and returns at once. No shell is involved, so
// arguments reach the program exactly as given. The child is reaped in the
// background; its standard input is /dev/null and it inherits no other open
// files than standard output and error. Returns the child's process id, or
// -1 if it could not be started.
pid_t SpawnDetached(const std::vector<std::string>& arguments);

} // namespace Korva
