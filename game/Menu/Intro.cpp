#include "game/Menu/Intro.h"

#include "engine/Core/Log.h"
#include "engine/Display/Image.h"
#include "engine/Display/ImageResource.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "game/Menu/MenuResources.h"
#include "game/SoundPlayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Korva;

namespace
{
constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float kPiece1Stop = 350.0f;
constexpr float kPieceStopY = 310.0f;
constexpr float kFlashPerArrival = 150.0f;
constexpr float kLetterStart[cIntro::kLetters] = {-2600.0f, -2725.0f, -2850.0f, -2975.0f,
                                                  -3100.0f, -3225.0f, -3350.0f};

// Moves `value` toward `target` by `step`, stopping there; true on arrival.
bool Approach(float& value, float target, float step)
{
    if (value == target)
        return false;
    if (std::fabs(target - value) <= step)
    {
        value = target;
        return true;
    }
    value += value < target ? step : -step;
    return false;
}

void DrawTiled(cImageResource* resource, int32_t offsetX, int32_t offsetY, int32_t alpha)
{
    cImage* image = resource ? resource->GetImage() : nullptr;
    if (!image || image->GetWidth() <= 0 || image->GetHeight() <= 0)
        return;
    const int32_t w = image->GetWidth();
    const int32_t h = image->GetHeight();
    const int32_t startX = ((offsetX % w) + w) % w - w;
    const int32_t startY = ((offsetY % h) + h) % h - h;
    for (int32_t y = startY; y < 600; y += h)
        for (int32_t x = startX; x < 800; x += w)
            image->DrawImage(cRect(x, y, w, h), cRect(0, 0, w, h), alpha);
}
} // namespace

cIntro::cIntro(cGUI& gui)
    : cWidget(gui), m_background(FindImageResource("ImgMenuBackground")),
      m_sprite(FindSpriteResource("SprIntro"))
{
    SetSize(cPoint(800, 600));
    SetBackgroundFill(false);
    SetBorder(false);
}

cIntro::~cIntro()
{
    StopListening();
}

void cIntro::Start()
{
    m_random.Seed(m_fixedSeed.value_or(cRandom::TimeSeed()));
    m_startTime = std::chrono::steady_clock::now();
    m_running = true;
    m_finished = false;
    m_remaining = kDuration;
    m_bands.Seed(m_random);
    m_fade = 0.0f;
    for (size_t i = 0; i < 2; ++i)
    {
        m_wobble[i] = m_random.RandomFloat(0.0f, kTwoPi);
        m_wobbleSpeed[i] = m_random.RandomFloat(0.2f, 1.0f);
        m_strip[i] = m_random.RandomFloat(-100.0f, 0.0f);
    }
    m_alpha = 0.0f;
    m_piece1 = -500.0f;
    m_piece2 = -1000.0f;
    m_piece3 = 2100.0f;
    m_flash = 0.0f;
    m_glow = kHalfPi;
    std::copy(std::begin(kLetterStart), std::end(kLetterStart), m_letters.begin());
    if (!m_listening)
        if (cInputDevice* input = m_gui.GetInputDevice())
        {
            input->AddListener(this);
            m_listening = true;
        }
    cSoundPlayer::Get().PlaySound(kSndIntro);
}

void cIntro::Finish()
{
    if (m_running)
    {
        // The part of the start-up time that is the player's to skip.
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - m_startTime);
        cLog::Get().WriteDefault("Intro shown: " + std::to_string(ms.count()) + " ms\n");
    }
    m_running = false;
    m_finished = true;
    StopListening();
}

void cIntro::StopListening()
{
    if (!m_listening)
        return;
    m_listening = false;
    if (cInputDevice* input = m_gui.GetInputDevice())
        input->RemoveListener(this);
}

void cIntro::Update(float dt)
{
    cWidget::Update(dt);
    if (!m_running)
        return;
    m_remaining -= dt;
    if (m_remaining < 0.0f)
    {
        Finish();
        return;
    }
    m_bands.Update(dt);
    m_fade = std::min(kHalfPi, m_fade + 0.5f * dt);
    for (size_t i = 0; i < 2; ++i)
        m_wobble[i] = std::fmod(m_wobble[i] + m_wobbleSpeed[i] * dt, kTwoPi);

    // The strips wrap by their own length (plus a gap) so they run on
    // seamlessly.
    float wrap = 120.0f;
    if (const cSprite* sprite = GetSprite(m_sprite); sprite && sprite->GetFrameCount() > 14)
        wrap = static_cast<float>(sprite->GetFrameWidth(14) + 20);
    m_strip[0] += 100.0f * dt;
    m_strip[1] -= 80.0f * dt;
    for (float& strip : m_strip)
    {
        while (strip > 0.0f)
            strip -= wrap;
        while (strip <= -wrap)
            strip += wrap;
    }
    m_alpha = std::min(255.0f, m_alpha + 255.0f * dt);

    const float step = kPieceSpeed * dt;
    m_flash = std::max(0.0f, m_flash - 500.0f * dt);
    if (Approach(m_piece1, kPiece1Stop, step))
        m_flash += kFlashPerArrival;
    if (Approach(m_piece2, kPieceStopY, step))
        m_flash += kFlashPerArrival;
    if (Approach(m_piece3, kPieceStopY, step))
        m_flash += kFlashPerArrival;
    m_glow = std::max(0.0f, m_glow - 0.6f * dt);
    for (float& letter : m_letters)
        letter = std::min(255.0f, letter + 1000.0f * dt);
}

void cIntro::Draw(int x, int y, bool drawChildren)
{
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (device)
    {
        const int32_t left = x + GetPosition().x;
        const int32_t top = y + GetPosition().y;
        const auto alpha = static_cast<int32_t>(m_alpha);
        DrawTiled(m_background, static_cast<int32_t>(20.0f * std::sin(m_wobble[0])),
                  static_cast<int32_t>(20.0f * std::sin(m_wobble[1])), alpha);
        m_bands.Draw(*device, left, top, alpha);
        if (const cSprite* sprite = GetSprite(m_sprite); sprite && sprite->GetFrameCount() > 14)
        {
            const int32_t stripWidth = sprite->GetFrameWidth(14) + 20;
            for (int32_t sx = static_cast<int32_t>(m_strip[0]); sx < 800; sx += stripWidth)
                sprite->DrawFrame(left + sx, top + 200, 14, alpha / 2);
            for (int32_t sx = static_cast<int32_t>(m_strip[1]); sx < 800; sx += stripWidth)
                sprite->DrawFrame(left + sx, top + 420, 14, alpha / 2);
            const auto glow = static_cast<int32_t>(255.0f * std::sin(m_glow));
            if (glow > 0)
                sprite->DrawFrame(left + 350, top + 310, 6, glow);
            sprite->DrawFrame(left + static_cast<int32_t>(m_piece1), top + 310, 0, alpha);
            sprite->DrawFrame(left + 350, top + static_cast<int32_t>(m_piece2), 2, alpha);
            sprite->DrawFrame(left + 350, top + static_cast<int32_t>(m_piece3), 4, alpha);
            const auto flash = std::clamp(static_cast<int32_t>(m_flash), 0, 255);
            if (flash > 0)
            {
                sprite->DrawFrame(left + static_cast<int32_t>(m_piece1), top + 310, 1, flash);
                sprite->DrawFrame(left + 350, top + static_cast<int32_t>(m_piece2), 3, flash);
                sprite->DrawFrame(left + 350, top + static_cast<int32_t>(m_piece3), 5, flash);
            }
            for (int i = 0; i < kLetters; ++i)
            {
                const auto a = static_cast<int32_t>(m_letters[static_cast<size_t>(i)]);
                if (a > 0)
                    sprite->DrawFrame(left + 418, top + 314, 7 + i, a);
            }
        }
        // The fade from black at the start and into black at the end.
        const float tail = std::clamp(m_remaining / 0.5f, 0.0f, 1.0f);
        const float shown = std::sin(m_fade) * tail;
        const auto overlay = static_cast<int32_t>(255.0f * (1.0f - shown));
        if (overlay > 0)
            device->FillRect(cRect(left, top, 800, 600), cColor(0, 0, 0, overlay));
    }
    if (drawChildren)
        DrawChildren(x, y);
}

void cIntro::OnInputEvent(const cInputEvent& event)
{
    if (!m_running)
        return;
    if ((event.GetClass() == kInputClassKeyboard && event.GetKind() == kKeyPressed) ||
        (event.GetClass() == kInputClassMouse && event.GetKind() == kMousePressed))
        Finish();
}
