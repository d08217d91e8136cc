#pragma once

#include "engine/Gui/Widget.h"
#include "engine/Input/InputDeviceEvent.h"
#include "game/Game/Random.h"
#include "game/LevelSelector/BackgroundBands.h"

#include <array>
#include <chrono>
#include <optional>

namespace Korva
{
class cImageResource;
class cSpriteResource;
} // namespace Korva

// The animated title shown once after loading: three emblem bricks fly
// together, flash on arrival and the letters of the name appear one after
// another. A key or a mouse button skips it; otherwise it lasts seven
// seconds.
class cIntro : public Korva::cWidget, public Korva::cInputListener
{
public:
    static constexpr float kDuration = 7.0f;
    static constexpr float kPieceSpeed = 1000.0f;
    static constexpr int kLetters = 7;

    explicit cIntro(Korva::cGUI& gui);
    ~cIntro() override;

    // Starts the animation and listens to the input device until finished.
    void Start();
    // A fixed seed for the following starts instead of one from the clock
    // (pictures of the intro).
    void SetFixedSeed(std::optional<uint32_t> seed) { m_fixedSeed = seed; }
    bool IsRunning() const { return m_running; }
    bool IsFinished() const { return m_finished; }
    float GetRemainingTime() const { return m_remaining; }
    float GetPieceX() const { return m_piece1; }
    float GetPiece2Y() const { return m_piece2; }
    float GetPiece3Y() const { return m_piece3; }
    float GetFlash() const { return m_flash; }
    float GetLetterAlpha(int i) const { return m_letters[static_cast<size_t>(i)]; }

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnInputEvent(const Korva::cInputEvent& event) override;

private:
    void Finish();
    void StopListening();

    cRandom m_random;
    std::optional<uint32_t> m_fixedSeed;
    std::chrono::steady_clock::time_point m_startTime;
    bool m_running = false;
    bool m_finished = false;
    bool m_listening = false;
    float m_remaining = 0.0f;
    cBackgroundBands m_bands;
    float m_fade = 0.0f;
    std::array<float, 2> m_wobble{};
    std::array<float, 2> m_wobbleSpeed{};
    std::array<float, 2> m_strip{};
    float m_alpha = 0.0f;
    float m_piece1 = -500.0f;
    float m_piece2 = -1000.0f;
    float m_piece3 = 2100.0f;
    float m_flash = 0.0f;
    float m_glow = 0.0f;
    std::array<float, kLetters> m_letters{};
    Korva::cImageResource* m_background;
    Korva::cSpriteResource* m_sprite;
};
