// zeltra_manual <README.md> <source root> <program folder> <version>: writes
// the player's manual, <program folder>/Manual/index.html with the pictures it
// shows in Manual/images/, and the homepage link file <program folder>/Quillbee.url
// that leads "visit homepage" to it. The link names the manual relative to
// the program folder, so it holds wherever the folder is installed.
#include "tools/datagen/Output.h"
#include "tools/manual/Manual.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace
{

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Couldn't read '" + path.string() + "'.");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
    {
        std::fprintf(stderr, "Usage: %s <README.md> <source root> <program folder> <version>\n",
                     argv[0]);
        return 2;
    }
    try
    {
        const fs::path source = argv[2];
        // Whole or not at all, and untouched when the bytes are the same (so
        // the build does not install or package anything anew).
        DataGen::cOutput folder(argv[3]);
        const Manual::sManual manual = Manual::MakeManual(ReadFile(argv[1]), argv[4]);
        folder.WriteFile("Manual/index.html", manual.html);
        for (const auto& [from, to] : manual.images)
            folder.WriteFile((fs::path("Manual") / to).string(), ReadFile(source / from));
        folder.WriteFile("Quillbee.url", "[InternetShortcut]\nURL=Manual/index.html\n");
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "zeltra_manual: %s\n", e.what());
        return 1;
    }
    return 0;
}
