#include "game/Options.h"

#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"
#include "game/SaveTree.h"

#include <algorithm>

using namespace Korva;

namespace
{
int32_t ClampVolume(int32_t volume)
{
    return std::clamp(volume, 0, cOptions::kMaxVolume);
}
} // namespace

void cOptions::SetMusicVolume(int32_t volume)
{
    m_musicVolume = ClampVolume(volume);
}

void cOptions::SetSoundVolume(int32_t volume)
{
    m_soundVolume = ClampVolume(volume);
}

void cOptions::Read(cFileSystem& fileSystem, const std::string& path)
{
    try
    {
        cDataTree tree;
        {
            cScopedInput input(fileSystem, fileSystem.OpenInput(path, true, false));
            tree.Read(*input);
        }
        if (const cDataNode* options = tree.GetRoot().FindChild("Options"))
            ReadNode(*options);
    }
    catch (const cException&)
    {
        // The exception has logged the reason. Without a readable file this
        // is most likely the first start, which runs in full screen.
        m_fullScreen = true;
    }
}

void cOptions::ReadNode(const cDataNode& options)
{
    if (const std::string* value = options.FindAttribute("MusicEnabled"))
        m_musicEnabled = ValueIsTrue(*value);
    if (const std::string* value = options.FindAttribute("SoundEnabled"))
        m_soundEnabled = ValueIsTrue(*value);
    if (const std::string* value = options.FindAttribute("MusicVolume"))
        SetMusicVolume(ValueToInt(*value));
    if (const std::string* value = options.FindAttribute("SoundVolume"))
        SetSoundVolume(ValueToInt(*value));
    if (const std::string* value = options.FindAttribute("Fullscreen"))
        m_fullScreen = ValueIsTrue(*value);
    if (const std::string* value = options.FindAttribute("BitDepth"))
        m_bitDepth = *value == "16" ? 16 : 32;
    if (const std::string* value = options.FindAttribute("ShowHints"))
        m_showHints = ValueIsTrue(*value);
    if (const std::string* value = options.FindAttribute("ColourSymbols"))
        m_colourSymbols = ValueIsTrue(*value);
}

void cOptions::WriteNode(cDataNode& options) const
{
    options.AddBool("MusicEnabled", m_musicEnabled);
    options.AddBool("SoundEnabled", m_soundEnabled);
    options.AddInt("MusicVolume", m_musicVolume);
    options.AddInt("SoundVolume", m_soundVolume);
    options.AddBool("Fullscreen", m_fullScreen);
    options.AddInt("BitDepth", m_bitDepth);
    options.AddBool("ShowHints", m_showHints);
    // Added after the original seven keys; older readers skip what they
    // do not know.
    options.AddBool("ColourSymbols", m_colourSymbols);
}

void cOptions::Write(cFileSystem& fileSystem, const std::string& path) const
{
    cDataTree tree;
    WriteNode(tree.GetRoot().AddChild("Options"));
    SaveTree(tree, fileSystem, path);
}
