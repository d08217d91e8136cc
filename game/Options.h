#pragma once

#include <cstdint>
#include <string>

namespace Korva
{
class cDataNode;
class cFileSystem;
} // namespace Korva

// The player's settings. Read once at start-up before the display exists,
// changed by the options screen, written once at shut-down.
class cOptions
{
public:
    // In the per-user file system.
    static constexpr const char* kPath = "/Quillbee Studios/Zeltra/Zeltra.cfg";
    static constexpr int32_t kMaxVolume = 8;

    bool IsMusicEnabled() const { return m_musicEnabled; }
    bool IsSoundEnabled() const { return m_soundEnabled; }
    int32_t GetMusicVolume() const { return m_musicVolume; }
    int32_t GetSoundVolume() const { return m_soundVolume; }
    bool IsFullScreen() const { return m_fullScreen; }
    int32_t GetBitDepth() const { return m_bitDepth; }
    bool IsShowHints() const { return m_showHints; }
    // The window's client size the player left it at; 0 x 0 when none is
    // remembered (the window then starts at its default size).
    int32_t GetWindowWidth() const { return m_windowWidth; }
    int32_t GetWindowHeight() const { return m_windowHeight; }
    // Each brick colour's symbol drawn over the bricks (colour-blind aid).
    bool IsColourSymbols() const { return m_colourSymbols; }

    void SetMusicEnabled(bool enabled) { m_musicEnabled = enabled; }
    void SetSoundEnabled(bool enabled) { m_soundEnabled = enabled; }
    // Volumes are kept inside 0..8.
    void SetMusicVolume(int32_t volume);
    void SetSoundVolume(int32_t volume);
    void SetFullScreen(bool fullScreen) { m_fullScreen = fullScreen; }
    // 16 stays 16; any other depth is 32.
    void SetBitDepth(int32_t bitDepth) { m_bitDepth = bitDepth == 16 ? 16 : 32; }
    void SetShowHints(bool show) { m_showHints = show; }
    // A size outside 1..kMaxWindowSize in either direction forgets it.
    void SetWindowSize(int32_t width, int32_t height);
    static constexpr int32_t kMaxWindowSize = 16384;
    void SetColourSymbols(bool shown) { m_colourSymbols = shown; }

    // Reads the file; a key that is missing keeps its value. When the file
    // cannot be read (the first start) the game starts in full screen. Never
    // raises: a broken file is logged and the settings stay usable.
    void Read(Korva::cFileSystem& fileSystem, const std::string& path = kPath);
    // Takes the keys present in an "Options" node.
    void ReadNode(const Korva::cDataNode& options);
    // Writes the whole file or nothing (the old file stays on failure);
    // raises cExceptionCreatingFile or cExceptionWhenWritingFile.
    void Write(Korva::cFileSystem& fileSystem, const std::string& path = kPath) const;
    // The "Options" node with its keys in file order.
    void WriteNode(Korva::cDataNode& options) const;

private:
    bool m_musicEnabled = true;
    bool m_soundEnabled = true;
    int32_t m_musicVolume = kMaxVolume;
    int32_t m_soundVolume = kMaxVolume;
    bool m_fullScreen = false;
    int32_t m_bitDepth = 16;
    bool m_showHints = true;
    int32_t m_windowWidth = 0;
    int32_t m_windowHeight = 0;
    bool m_colourSymbols = false;
};
