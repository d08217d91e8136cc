#pragma once

#include "game/Game/PuzzleTypes.h"

#include <array>
#include <cstdint>

namespace Korva
{
class cSoundResource;
}

// Sound effect numbers besides the puzzle's own (kSndRotatePiece = 3 ..
// kSndLevelCompleted = 11 in PuzzleTypes.h). Any other number has no sound.
enum : int
{
    kSndIntro = 0,
    kSndButtonHover = 1,
    kSndButtonPressed = 2,
    kSndEffectCount = 12,
};

// The music tracks.
enum : int
{
    kMusicNone = 0,
    kMusicMenu = 1,
    kMusicGame = 2,
};

// The game's sound player: maps effect numbers to sound resources, starts each
// effect at most once per frame, runs the two music tracks and applies the
// sound options. Without a working output device every call is a silent no-op.
// Sounds are looked up by alias on each use, so no pointer outlives the
// resource manager's resources.
class cSoundPlayer : public cBoardSoundListener
{
public:
    static cSoundPlayer& Get();
    static void Destroy();

    // Called once per frame: every effect may start again.
    void ClearFrameFlags();
    // Starts the effect unless sound is off, its volume is 0 or it already
    // started since the last ClearFrameFlags.
    void PlaySound(int effect) override;
    // Stops every playing instance of the effect.
    void StopSound(int effect) override;
    // kMusicNone, kMusicMenu or kMusicGame. The track that plays already goes
    // on; another one is stopped and the asked one starts.
    void SetMusic(int which);
    void SetMusicEnabled(bool enabled);
    void SetSoundEnabled(bool enabled);
    // Volumes 0..1 for the groups "Music" and "Sound".
    void SetMusicVolume(float volume);
    void SetSoundVolume(float volume);
    // Stop and restart the output device (focus changes, display-mode changes).
    void PauseAll();
    void ResumeAll();
    // The resource of an effect (the buttons play the hover and press sounds);
    // null for an unknown effect or one with no resource.
    Korva::cSoundResource* GetSoundResource(int effect) const;

    int GetMusic() const { return m_currentMusic; }
    bool IsMusicPlaying() const { return m_musicPlaying; }
    bool IsMusicEnabled() const { return m_musicEnabled; }
    bool IsSoundEnabled() const { return m_soundEnabled; }
    float GetMusicVolume() const { return m_musicVolume; }
    float GetSoundVolume() const { return m_soundVolume; }

private:
    cSoundPlayer() = default;

    bool m_musicEnabled = true;
    bool m_soundEnabled = true;
    float m_musicVolume = 1.0f;
    float m_soundVolume = 1.0f;
    int m_currentMusic = kMusicNone;
    bool m_musicPlaying = false;
    std::array<bool, kSndEffectCount> m_playedThisFrame{};
};
