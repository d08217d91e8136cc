// Feeds arbitrary bytes to the options reader (through the data tree
// reader): whatever the file says, the settings stay inside their ranges, and
// written out they read back the same.

#include "engine/Core/Log.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/FileOutputMemory.h"
#include "game/Options.h"

#include <cstdint>
#include <cstdlib>

namespace
{
bool Valid(const cOptions& options)
{
    const bool noSize = options.GetWindowWidth() == 0 && options.GetWindowHeight() == 0;
    const bool size = options.GetWindowWidth() >= 1 && options.GetWindowHeight() >= 1 &&
                      options.GetWindowWidth() <= cOptions::kMaxWindowSize &&
                      options.GetWindowHeight() <= cOptions::kMaxWindowSize;
    return options.GetMusicVolume() >= 0 && options.GetMusicVolume() <= cOptions::kMaxVolume &&
           options.GetSoundVolume() >= 0 && options.GetSoundVolume() <= cOptions::kMaxVolume &&
           (options.GetBitDepth() == 16 || options.GetBitDepth() == 32) && (noSize || size);
}

bool Same(const cOptions& a, const cOptions& b)
{
    return a.IsMusicEnabled() == b.IsMusicEnabled() && a.IsSoundEnabled() == b.IsSoundEnabled() &&
           a.GetMusicVolume() == b.GetMusicVolume() && a.GetSoundVolume() == b.GetSoundVolume() &&
           a.IsFullScreen() == b.IsFullScreen() && a.GetBitDepth() == b.GetBitDepth() &&
           a.IsShowHints() == b.IsShowHints() && a.GetWindowWidth() == b.GetWindowWidth() &&
           a.GetWindowHeight() == b.GetWindowHeight() && a.IsColourSymbols() == b.IsColourSymbols();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Keep the in-memory log from growing over millions of runs.
    Korva::cLog::Get().SetMaxLevel(-1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Korva::cFileInputMemory in("Zeltra.cfg", data, size, true);
    Korva::cDataTree tree;
    tree.Read(in);
    const Korva::cDataNode* node = tree.GetRoot().FindChild("Options");
    if (!node)
        return 0;
    cOptions options;
    options.ReadNode(*node);
    if (!Valid(options))
        std::abort();

    Korva::cDataTree written;
    options.WriteNode(written.GetRoot().AddChild("Options"));
    Korva::cFileOutputMemory out;
    written.Write(out);
    Korva::cFileInputMemory again("again", out.GetData().data(), out.GetData().size(), true);
    Korva::cDataTree reread;
    reread.Read(again);
    cOptions back;
    back.ReadNode(*reread.GetRoot().FindChild("Options"));
    if (!Same(options, back))
        std::abort();
    return 0;
}
