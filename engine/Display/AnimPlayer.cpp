#include "engine/Display/AnimPlayer.h"

#include "engine/Display/Sprite.h"

namespace Korva
{

cAnimPlayer::cAnimPlayer(const cSprite* sprite, cAnimListener* listener)
    : m_sprite(sprite), m_listener(listener)
{
}

void cAnimPlayer::Play(int32_t anim)
{
    if (!m_sprite || anim < 0 || anim >= m_sprite->GetAnimCount() ||
        m_sprite->GetAnimStepCount(anim) == 0)
        return;
    m_anim = anim;
    m_step = 0;
    m_frame = m_sprite->GetAnimStepFrame(anim, 0);
    m_time = 0.0f;
    m_playing = true;
    m_finished = false;
}

void cAnimPlayer::Update(float dt)
{
    if (!m_playing || !m_sprite || m_anim >= m_sprite->GetAnimCount())
        return;
    const int32_t steps = m_sprite->GetAnimStepCount(m_anim);
    if (steps == 0)
        return;
    m_time += dt;
    const float stepTime = m_sprite->GetAnimStepTime(m_anim, m_step);
    if (stepTime > m_time)
        return;
    m_time -= stepTime;
    if (m_step + 1 < steps)
    {
        ++m_step;
        m_frame = m_sprite->GetAnimStepFrame(m_anim, m_step);
    }
    else if (m_sprite->IsAnimLooping(m_anim))
    {
        m_step = 0;
        m_frame = m_sprite->GetAnimStepFrame(m_anim, 0);
    }
    else if (!m_finished)
    {
        // Stays on the last frame and keeps playing; reported once.
        m_finished = true;
        if (m_listener)
            m_listener->OnAnimFinished(m_anim, *this);
    }
}

} // namespace Korva
