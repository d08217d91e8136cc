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
        // Each part reports its time, so a slow generator is easy to spot in the build log.
        auto part = [](const char* name, void (*make)(DataGen::cOutput&), DataGen::cOutput& o)
        {
            const auto t0 = std::chrono::steady_clock::now();
            make(o);
            const double s =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            std::printf("  %-8s %.2f s\n", name, s);
        };
        part("board", DataGen::MakeBoardSprites, out);
        part("fonts", DataGen::MakeFonts, out);
        part("panels", DataGen::MakePanels, out);
        part("screens", DataGen::MakeScreens, out);
        part("levels", DataGen::MakeLevels, out);
        part("sounds", DataGen::MakeSounds, out);
        part("music", DataGen::MakeMusic, out);
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
