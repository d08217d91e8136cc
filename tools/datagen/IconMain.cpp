// zeltra_icons <folder> <id>: writes the desktop icon in every theme size as
// <folder>/hicolor/<N>x<N>/apps/<id>.png, ready to install under share/icons.
#include "tools/datagen/Icon.h"
#include "tools/datagen/Output.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "Usage: %s <folder> <application id>\n", argv[0]);
        return 2;
    }
    try
    {
        DataGen::cOutput out(argv[1]);
        for (const int size : DataGen::IconSizes())
        {
            const std::string dims = std::to_string(size) + "x" + std::to_string(size);
            out.WriteFile("hicolor/" + dims + "/apps/" + argv[2] + ".png",
                          DataGen::EncodeIconPNG(size));
        }
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "zeltra_icons: %s\n", e.what());
        return 1;
    }
    return 0;
}
