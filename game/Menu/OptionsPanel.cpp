#include "game/Menu/OptionsPanel.h"

#include "engine/Core/Exception.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/GameApplication.h"
#include "game/Menu/MenuResources.h"
#include "game/Menu/PanelButton.h"
#include "game/Options.h"
#include "game/SoundPlayer.h"

#include <algorithm>

using namespace Korva;

namespace
{
constexpr const char* kSprite = "SprOptionsPanels";
const cRect kMusicSlider(346, 44, 184, 28);
const cRect kSoundSlider(346, 114, 184, 28);

struct ToggleSpec
{
    cRect rect;
    const char* hint;
};
// Music, sound, full screen, hints, 16 bit, 32 bit: drawn by the panel.
const ToggleSpec kToggles[] = {
    {cRect(270, 20, 165, 20), "toggle music on/off"},
    {cRect(270, 90, 165, 20), "toggle sound on/off"},
    {cRect(270, 160, 120, 20), "toggle window/fullscreen mode"},
    {cRect(400, 160, 130, 20), "toggle hints (like this) on/off"},
    {cRect(270, 190, 120, 20), "use 16 bit graphics in fullscreen mode"},
    {cRect(410, 190, 120, 20), "use 32 bit graphics in fullscreen mode"},
};
struct SpriteButtonSpec
{
    cRect rect;
    int32_t frame;
};
const SpriteButtonSpec kSpriteButtons[] = {
    {cRect(272, 230, 256, 28), 31}, {cRect(272, 272, 256, 27), 34}, {cRect(272, 300, 256, 27), 37},
    {cRect(310, 350, 80, 28), 40},  {cRect(410, 350, 80, 28), 43},
};

void LogIgnored(const cException&)
{
    // The exception has written its message to the log.
}
} // namespace

// --- cApplicationSettings ---

cApplicationSettings& cApplicationSettings::Get()
{
    static cApplicationSettings settings;
    return settings;
}

cOptions& cApplicationSettings::GetOptions()
{
    return cGameApplication::Get().GetOptions();
}

void cApplicationSettings::ApplySound()
{
    const cOptions& options = GetOptions();
    cSoundPlayer& player = cSoundPlayer::Get();
    player.SetMusicEnabled(options.IsMusicEnabled());
    player.SetSoundEnabled(options.IsSoundEnabled());
    player.SetMusicVolume(static_cast<float>(options.GetMusicVolume()) * 0.125f);
    player.SetSoundVolume(static_cast<float>(options.GetSoundVolume()) * 0.125f);
}

void cApplicationSettings::SetDisplayMode(bool fullScreen, int32_t bitDepth)
{
    cGameApplication::Get().SetDisplayMode(fullScreen, bitDepth);
}

void cApplicationSettings::WriteOptions()
{
    cFileSystem* fileSystem = cGameApplication::Get().GetUserFileSystem();
    if (!fileSystem)
        return;
    try
    {
        GetOptions().Write(*fileSystem);
    }
    catch (const cException& e)
    {
        // The settings stay in force; the file is written again at the end.
        LogIgnored(e);
    }
}

void cApplicationSettings::ResetProgress()
{
    cGameApplication::Get().ResetProgress();
}

void cApplicationSettings::OpenHomepage()
{
    cGameApplication::Get().OpenHomepage();
}

// --- cOptionsPanel ---

cOptionsPanel::cOptionsPanel(cGUI& gui, cOptionsPanelHost& host, cSettings& settings)
    : cWidget(gui), m_host(host), m_settings(settings), m_sprite(FindSpriteResource(kSprite))
{
    SetSize(cPoint(800, 400));
    SetBackgroundFill(false);
    SetBorder(false);
    for (int i = 0; i < 6; ++i)
    {
        auto button = std::make_unique<cButton>(gui);
        button->SetSize(cPoint(kToggles[i].rect.width, kToggles[i].rect.height));
        button->SetBackgroundFill(false);
        button->SetBorder(false);
        button->SetBevel(false);
        button->SetHoverSound(FindSoundResource("SndButtonHover"));
        button->SetPressSound(FindSoundResource("SndButtonPressed"));
        button->AddListener(static_cast<cButtonListener*>(this));
        button->AddListener(static_cast<cWidgetListener*>(this));
        AddChild(cPoint(kToggles[i].rect.x, kToggles[i].rect.y), button.get());
        m_controls[static_cast<size_t>(i)] = std::move(button);
    }
    for (int i = 0; i < 5; ++i)
        m_controls[static_cast<size_t>(kResetProgress + i)] =
            MakePanelButton(*this, kSpriteButtons[i].rect, kSprite, kSpriteButtons[i].frame, this);
    for (auto* slider : {&m_musicSlider, &m_soundSlider})
    {
        *slider = std::make_unique<cWidget>(gui);
        (*slider)->SetSize(cPoint(kMusicSlider.width, kMusicSlider.height));
        (*slider)->SetBackgroundFill(false);
        (*slider)->SetBorder(false);
        (*slider)->AddListener(this);
    }
    AddChild(cPoint(kMusicSlider.x, kMusicSlider.y), m_musicSlider.get());
    AddChild(cPoint(kSoundSlider.x, kSoundSlider.y), m_soundSlider.get());
}

cOptionsPanel::~cOptionsPanel()
{
    OnLeave();
    RemoveAllChildren();
}

int32_t cOptionsPanel::SliderValue(int32_t x)
{
    return std::clamp(x / kSliderStep + 1, 1, kSliderSteps);
}

void cOptionsPanel::OnEnter()
{
    if (!m_entered)
        if (cInputDevice* input = m_gui.GetInputDevice())
            input->AddListener(this);
    m_entered = true;
    const cOptions& options = m_settings.GetOptions();
    m_musicOn = m_entryMusicOn = options.IsMusicEnabled();
    m_musicVolume = m_entryMusicVolume = options.GetMusicVolume();
    m_soundOn = m_entrySoundOn = options.IsSoundEnabled();
    m_soundVolume = m_entrySoundVolume = options.GetSoundVolume();
    m_fullScreen = options.IsFullScreen();
    m_hintsOn = options.IsShowHints();
    m_bitDepth = options.GetBitDepth();
    m_dragMusic = m_dragSound = false;
}

void cOptionsPanel::OnLeave()
{
    m_dragMusic = m_dragSound = false;
    if (!m_entered)
        return;
    m_entered = false;
    if (cInputDevice* input = m_gui.GetInputDevice())
        input->RemoveListener(this);
}

void cOptionsPanel::ApplySound()
{
    cOptions& options = m_settings.GetOptions();
    options.SetMusicEnabled(m_musicOn);
    options.SetMusicVolume(m_musicVolume);
    options.SetSoundEnabled(m_soundOn);
    options.SetSoundVolume(m_soundVolume);
    m_settings.ApplySound();
}

void cOptionsPanel::Ok()
{
    ApplySound();
    m_settings.GetOptions().SetShowHints(m_hintsOn);
    m_settings.SetDisplayMode(m_fullScreen, m_bitDepth);
    m_settings.WriteOptions();
    m_host.RequestBackToButtons();
}

void cOptionsPanel::Cancel()
{
    m_musicOn = m_entryMusicOn;
    m_musicVolume = m_entryMusicVolume;
    m_soundOn = m_entrySoundOn;
    m_soundVolume = m_entrySoundVolume;
    ApplySound();
    m_host.RequestBackToButtons();
}

void cOptionsPanel::SetSlider(cWidget* slider, int32_t x, bool tick)
{
    int32_t& value = slider == m_musicSlider.get() ? m_musicVolume : m_soundVolume;
    const int32_t v = SliderValue(x);
    if (v == value && tick)
        return;
    value = v;
    ApplySound();
    if (tick)
        cSoundPlayer::Get().PlaySound(kSndButtonHover);
}

void cOptionsPanel::OnMouseDown(const cMouseEvent& event, cWidget* widget)
{
    if (widget != m_musicSlider.get() && widget != m_soundSlider.get())
        return;
    (widget == m_musicSlider.get() ? m_dragMusic : m_dragSound) = true;
    SetSlider(widget, event.GetX(), false);
}

void cOptionsPanel::OnMouseMove(const cMouseEvent& event, cWidget* widget)
{
    if ((widget == m_musicSlider.get() && m_dragMusic) ||
        (widget == m_soundSlider.get() && m_dragSound))
        SetSlider(widget, event.GetX(), true);
}

void cOptionsPanel::OnMouseUp(const cMouseEvent& event, cWidget* widget)
{
    (void)event, (void)widget;
    m_dragMusic = m_dragSound = false;
}

void cOptionsPanel::OnMouseUp(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseUp(event, handled);
    m_dragMusic = m_dragSound = false;
}

void cOptionsPanel::OnMouseEnter(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    for (int i = 0; i < 6; ++i)
        if (widget == m_controls[static_cast<size_t>(i)].get())
            m_host.ShowHint(kToggles[i].hint, this);
    if (widget == m_musicSlider.get())
        m_host.ShowHint("change music volume", this);
    else if (widget == m_soundSlider.get())
        m_host.ShowHint("change sound volume", this);
}

void cOptionsPanel::OnMouseLeave(const cMouseEvent& event, cWidget* widget)
{
    (void)event, (void)widget;
    m_host.HideHint(this);
}

void cOptionsPanel::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    const auto is = [&](int control) { return button == m_controls[control].get(); };
    if (is(kMusicToggle))
    {
        m_musicOn = !m_musicOn;
        ApplySound();
    }
    else if (is(kSoundToggle))
    {
        m_soundOn = !m_soundOn;
        ApplySound();
    }
    else if (is(kFullScreenToggle))
        m_fullScreen = !m_fullScreen;
    else if (is(kHintsToggle))
        m_hintsOn = !m_hintsOn;
    else if (is(kBits16))
        m_bitDepth = 16;
    else if (is(kBits32))
        m_bitDepth = 32;
    else if (is(kResetProgress))
        m_host.RequestResetProgressPanel();
    else if (is(kCredits))
        m_host.RequestCreditsPanel();
    else if (is(kHomepage))
        m_settings.OpenHomepage();
    else if (is(kOk))
        Ok();
    else if (is(kCancel))
        Cancel();
}

void cOptionsPanel::OnInputEvent(const cInputEvent& event)
{
    if (event.GetClass() == kInputClassMouse && event.GetKind() == kMouseReleased)
    {
        // A release outside the panel ends a drag as well.
        m_dragMusic = m_dragSound = false;
        return;
    }
    if (event.GetClass() != kInputClassKeyboard || event.GetKind() != kKeyPressed)
        return;
    if (AsKeyboardEvent(event).GetKey() == kKeyEscape)
    {
        cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        Cancel();
    }
}

void cOptionsPanel::DrawCheck(int32_t x, int32_t y, bool on, int32_t label) const
{
    const cSprite* sprite = GetSprite(m_sprite);
    if (!sprite || sprite->GetFrameCount() <= label)
        return;
    sprite->DrawFrame(x, y, on ? 3 : 2, 255);
    sprite->DrawFrame(x + 25, y, label, 255);
}

void cOptionsPanel::Draw(int x, int y, bool drawChildren)
{
    const int32_t left = x + GetPosition().x;
    const int32_t top = y + GetPosition().y;
    const cSprite* sprite = GetSprite(m_sprite);
    if (sprite && sprite->GetFrameCount() > 15)
    {
        sprite->DrawFrame(left + 250, top, 1, 255);
        DrawCheck(left + 270, top + 20, m_musicOn, 8);
        DrawCheck(left + 270, top + 90, m_soundOn, 9);
        DrawCheck(left + 270, top + 160, m_fullScreen, 10);
        DrawCheck(left + 400, top + 160, m_hintsOn, 11);
        sprite->DrawFrame(left + 270, top + 190, m_bitDepth == 16 ? 5 : 4, 255);
        sprite->DrawFrame(left + 295, top + 190, 12, 255);
        sprite->DrawFrame(left + 410, top + 190, m_bitDepth == 32 ? 5 : 4, 255);
        sprite->DrawFrame(left + 435, top + 190, 13, 255);
        const std::pair<const cRect*, int32_t> sliders[] = {{&kMusicSlider, m_musicVolume},
                                                            {&kSoundSlider, m_soundVolume}};
        for (const auto& [rect, value] : sliders)
        {
            sprite->DrawFrame(left + 270, top + rect->y + 4, 14, 255);
            for (int32_t i = 0; i < kSliderSteps; ++i)
                sprite->DrawFrame(left + rect->x + kSliderStep * i, top + rect->y,
                                  i < value ? 7 : 6, 255);
        }
    }
    else if (cRenderDevice* device = m_gui.GetRenderDevice())
        device->FillRect(cRect(left + 250, top, 300, 360), cColor(0, 0, 0, 160));
    if (drawChildren)
        DrawChildren(x, y);
}

// --- cResetProgressPanel ---

cResetProgressPanel::cResetProgressPanel(cGUI& gui, cMenuPanelHost& host, cSettings& settings)
    : cWidget(gui), m_host(host), m_settings(settings),
      m_sprite(FindSpriteResource("SprResetLevelsPanels"))
{
    SetSize(cPoint(800, 400));
    SetBackgroundFill(false);
    SetBorder(false);
    m_yes = MakePanelButton(*this, cRect(310, 230, 80, 28), "SprResetLevelsPanels", 1, this);
    m_no = MakePanelButton(*this, cRect(410, 230, 80, 28), "SprResetLevelsPanels", 4, this);
}

cResetProgressPanel::~cResetProgressPanel()
{
    OnLeave();
    RemoveAllChildren();
}

void cResetProgressPanel::OnEnter()
{
    if (!m_entered)
        if (cInputDevice* input = m_gui.GetInputDevice())
            input->AddListener(this);
    m_entered = true;
}

void cResetProgressPanel::OnLeave()
{
    if (!m_entered)
        return;
    m_entered = false;
    if (cInputDevice* input = m_gui.GetInputDevice())
        input->RemoveListener(this);
}

void cResetProgressPanel::Draw(int x, int y, bool drawChildren)
{
    const int32_t left = x + GetPosition().x;
    const int32_t top = y + GetPosition().y;
    if (cRenderDevice* device = m_gui.GetRenderDevice())
    {
        device->FillRect(cRect(left, top, 800, 400), cColor(0, 0, 0, 128));
        device->FillRect(cRect(left + 250, top + 90, 300, 150), cColor(0, 0, 0, 160));
    }
    if (const cSprite* sprite = GetSprite(m_sprite); sprite && sprite->GetFrameCount() > 0)
        sprite->DrawFrame(left + 270, top + 110, 0, 255);
    if (drawChildren)
        DrawChildren(x, y);
}

void cResetProgressPanel::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (button == m_yes.get())
    {
        m_settings.ResetProgress();
        m_host.RequestOptionsPanel();
    }
    else if (button == m_no.get())
        m_host.RequestOptionsPanel();
}

void cResetProgressPanel::OnInputEvent(const cInputEvent& event)
{
    // Esc answers No: nothing is erased by accident.
    if (event.GetClass() == kInputClassKeyboard && event.GetKind() == kKeyPressed &&
        AsKeyboardEvent(event).GetKey() == kKeyEscape)
    {
        cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        m_host.RequestOptionsPanel();
    }
}
