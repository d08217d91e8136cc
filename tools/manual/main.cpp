// zeltra_manual <README.md> <source root> <program folder> <version>: writes
// the player's manual, <program folder>/Manual/index.html with the pictures it
// shows in Manual/images/, and the homepage link file <program folder>/Quillbee.url
// that leads "visit homepage" to it. The link names the manual relative to
// the program folder, so it holds wherever the folder is installed.
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

// Whole or not at all, and untouched when the bytes are the same (so the
// build does not install or package anything anew).
void WriteFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    {
        std::ifstream old(path, std::ios::binary);
        if (old && std::string(std::istreambuf_iterator<char>(old),
                               std::istreambuf_iterator<char>()) == bytes)
            return;
    }
    const fs::path tmp = path.string() + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("Couldn't write '" + tmp.string() + "'.");
    }
    fs::rename(tmp, path);
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
        const fs::path folder = argv[3];
        const Manual::sManual manual = Manual::MakeManual(ReadFile(argv[1]), argv[4]);
        WriteFile(folder / "Manual" / "index.html", manual.html);
        for (const auto& [from, to] : manual.images)
            WriteFile(folder / "Manual" / to, ReadFile(source / from));
        WriteFile(folder / "Quillbee.url", "[InternetShortcut]\nURL=Manual/index.html\n");
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "zeltra_manual: %s\n", e.what());
        return 1;
    }
    return 0;
}
