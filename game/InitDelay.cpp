#include "game/InitDelay.h"

#include "engine/File/DataTree.h"

int ParseInitDelay(const std::vector<std::string>& arguments)
{
    int delay = 0;
    for (size_t i = 1; i < arguments.size(); ++i)
    {
        if (arguments[i] != "--initdelay")
            continue;
        delay = i + 1 < arguments.size() ? Korva::ValueToInt(arguments[i + 1]) : 3000;
    }
    return delay > 5000 ? 5000 : delay;
}
