#include "game/CommandLine.h"

namespace
{
bool IsOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-';
}
} // namespace

cCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    cCommandLine result;
    bool help = false;
    bool version = false;
    const std::string program = GetProgramName(arguments);
    for (size_t i = 1; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h")
            help = true;
        else if (argument == "--version" || argument == "-V")
            version = true;
        else if (argument == "--initdelay")
        {
            // Its number is optional; a following option is not a number.
            if (i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0)
                ++i;
        }
        else if (result.error.empty())
        {
            result.error = program + ": " +
                           (IsOption(argument) ? "unknown option '" : "unexpected argument '") +
                           argument + "' (try '" + program + " --help')";
        }
    }
    if (help)
        result.action = eCommandLineAction::ShowHelp;
    else if (version)
        result.action = eCommandLineAction::ShowVersion;
    else if (!result.error.empty())
        result.action = eCommandLineAction::Fail;
    return result;
}

std::string GetProgramName(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0].empty())
        return "zeltra";
    const std::string& path = arguments[0];
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.empty() ? "zeltra" : name;
}

std::string GetUsageText(const std::string& programName)
{
    return "Usage: " + programName +
           " [OPTION]...\n"
           "Zeltra, a hexagonal puzzle game.\n"
           "\n"
           "  --initdelay [MS]  wait MS milliseconds (at most 5000; 3000 without a\n"
           "                    number) before opening the window\n"
           "  -h, --help        show this help and exit\n"
           "  -V, --version     show the version and exit\n"
           "\n"
           "Options, log, progress and user levels are kept in\n"
           "$XDG_DATA_HOME/Quillbee Studios/Zeltra/ (~/.local/share when XDG_DATA_HOME\n"
           "is not set).\n";
}
