#pragma once

namespace Korva
{

// The process entry: runs the one cApplication's Main with the command line
// and returns the exit code. Any engine exception escaping Main is shown in a
// message box titled with the application's name and gives -1; the core (and
// with it the log) is destroyed before returning in every case.
int RunProcess(int argc, char** argv);

} // namespace Korva
