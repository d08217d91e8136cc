#include "game/Options.h"

#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"
#include "game/SaveTree.h"

#include <algorithm>
#include <charconv>

using namespace Korva;

namespace
{
int32_t ClampVolume(int32_t volume)
{
    return std::clamp(volume, 0, cOptions::kMaxVolume);
}

// A window size is plain decimal digits; anything else (a sign, spaces,
// units, an overflow) is no size at all.
int32_t ParseWindowSize(const std::string& value)
{
    int32_t size = 0;
    const char* end = value.data() + value.size();
    const auto [last, error] = std::from_chars(value.data(), end, size);
    if (value.empty() || value[0] == '-' || error != std::errc() || last != end)
        return 0;
    return size;
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

void cOptions::SetWindowSize(int32_t width, int32_t height)
{
    const bool valid =
        width >= 1 && width <= kMaxWindowSize && height >= 1 && height <= kMaxWindowSize;
    m_windowWidth = valid ? width : 0;
    m_windowHeight = valid ? height : 0;
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
    // Both or nothing: half a size is no size.
    const std::string* width = options.FindAttribute("WindowWidth");
    const std::string* height = options.FindAttribute("WindowHeight");
    if (width || height)
        SetWindowSize(width ? ParseWindowSize(*width) : 0, height ? ParseWindowSize(*height) : 0);
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
    if (m_windowWidth > 0 && m_windowHeight > 0)
    {
        options.AddInt("WindowWidth", m_windowWidth);
        options.AddInt("WindowHeight", m_windowHeight);
    }
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
