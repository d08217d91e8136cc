// zeltra_datagen <program folder>: writes the game's data (images, sprites,
// fonts, sounds, music, levels and the resource lists) below the folder.
#include "tools/datagen/Canvas.h"
#include "tools/datagen/Generators.h"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "Usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    try
    {
        DataGen::cOutput out(argv[1]);
        DataGen::MakeBoardSprites(out);
        DataGen::MakeFonts(out);
        DataGen::MakePanels(out);
        out.WriteResourceLists();
        DataGen::ReleaseFonts();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("zeltra_datagen: %zu files, %.2f MiB in %.2f s\n", out.FileCount(),
                    out.ByteCount() / 1048576.0, seconds);
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "zeltra_datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
