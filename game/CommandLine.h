#pragma once

#include <string>
#include <vector>

// What the command line asks the game to do. Besides the start-up delay
// ("--initdelay", see InitDelay.h) the game knows "--help" and "--version",
// which answer on standard output without a display; anything else is an
// error, so a mistyped option is reported instead of silently ignored.
enum class eCommandLineAction
{
    Run,
    ShowHelp,
    ShowVersion,
    Fail
};

struct cCommandLine
{
    eCommandLineAction action = eCommandLineAction::Run;
    // For Fail: one line naming the bad argument, without a newline.
    std::string error;
};

// `arguments` includes the program path. "--help" wins over "--version",
// both over an error found later on the line; the first error is reported.
cCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The program's name as typed (the last part of the program path), "zeltra"
// when there is none.
std::string GetProgramName(const std::vector<std::string>& arguments);

// The usage text for --help, ending in a newline.
std::string GetUsageText(const std::string& programName);
