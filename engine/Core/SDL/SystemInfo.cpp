#include "engine/Core/SDL/SystemInfo.h"

#include <sys/utsname.h>
#include <system_error>

namespace Korva
{

namespace fs = std::filesystem;

std::string GetOSDescription()
{
    utsname name{};
    if (uname(&name) != 0)
        return "";
    return std::string(name.sysname) + " " + name.release + " " + name.machine;
}

fs::path GetExecutableFolder()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error && executable.has_parent_path())
        return executable.parent_path();
    const fs::path current = fs::current_path(error);
    return error ? fs::path("/") : current;
}

fs::path FindProgramFolder(const fs::path& executableFolder)
{
    std::error_code error;
    if (fs::is_directory(executableFolder / "Resources", error))
        return executableFolder;
    // <prefix>/bin with <prefix>/share/zeltra, or Debian's games layout:
    // /usr/games with /usr/share/games/zeltra.
    for (const fs::path& data :
         {fs::path("share") / "zeltra", fs::path("share") / "games" / "zeltra"})
    {
        const fs::path installed = (executableFolder / ".." / data).lexically_normal();
        if (fs::is_directory(installed / "Resources", error))
            return installed;
    }
    return executableFolder;
}

} // namespace Korva
