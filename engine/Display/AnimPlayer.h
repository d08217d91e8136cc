#pragma once

#include <cstdint>

namespace Korva
{

class cSprite;
class cAnimPlayer;

class cAnimListener
{
public:
    virtual ~cAnimListener() = default;
    // A non-looping animation has shown its last step for its full time.
    virtual void OnAnimFinished(int32_t anim, cAnimPlayer& player)
    {
        (void)anim;
        (void)player;
    }
};

// Plays one animation of a sprite over time: Update advances at most one
// step per call, carrying left-over time into the next step. Needs no render
// device; draw its current frame with the sprite's DrawFrame.
class cAnimPlayer
{
public:
    // Neither is owned; the player must not outlive the sprite.
    cAnimPlayer(const cSprite* sprite, cAnimListener* listener = nullptr);

    // Starts an animation from its first step; an index the sprite does not
    // have is ignored.
    void Play(int32_t anim);
    void Stop() { m_playing = false; }
    void Resume() { m_playing = true; }
    void Update(float dt);

    bool IsPlaying() const { return m_playing; }
    bool IsFinished() const { return m_finished; }
    int32_t GetFrame() const { return m_frame; }
    int32_t GetAnim() const { return m_anim; }
    int32_t GetStep() const { return m_step; }
    float GetTime() const { return m_time; }
    const cSprite* GetSprite() const { return m_sprite; }

private:
    int32_t m_anim = 0;
    int32_t m_step = 0;
    int32_t m_frame = 0;
    float m_time = 0.0f;
    bool m_playing = false;
    bool m_finished = false;
    const cSprite* m_sprite;
    cAnimListener* m_listener;
};

} // namespace Korva
