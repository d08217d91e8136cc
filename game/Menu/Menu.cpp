#include "game/Menu/Menu.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/Image.h"
#include "engine/Display/ImageResource.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/GameApplication.h"
#include "game/Menu/CreditsPanel.h"
#include "game/Menu/InstructionsPanel.h"
#include "game/Menu/MenuResources.h"
#include "game/Menu/OptionsPanel.h"
#include "game/SoundPlayer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

using namespace Korva;

namespace
{
// Taken while the program is loaded, before main: the origin of the start-up
// time the menu logs with its first frame.
const std::chrono::steady_clock::time_point g_processStart = std::chrono::steady_clock::now();

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr const char* kHints[cMenu::kButtonCount] = {
    "start playing the game", "create your own levels", "get help on how to play the game",
    "change the game settings", "quit the game"};
const cColor kHintColor(240, 240, 0, 255);

std::unique_ptr<cMenu> g_menu;
} // namespace

cMenu* cMenu::s_instance = nullptr;

cMenu::cMenu(cGUI& gui)
    : cWidget(gui), m_background(FindImageResource("ImgMenuBackground")),
      m_logo(FindImageResource("ImgZeltra")), m_panels(FindSpriteResource("SprMenuPanels"))
{
    if (s_instance)
        KORVA_THROW(cException, "An instance of cMenu already exists.");
    s_instance = this;
    SetSize(cPoint(800, 600));
    SetBackgroundFill(false);
    SetBorder(false);
    for (int k = 0; k < kButtonCount; ++k)
    {
        auto button = std::make_unique<cButton>(gui);
        button->SetSize(cPoint(400, 40));
        button->SetBackgroundFill(false);
        button->SetBorder(false);
        button->SetBevel(false);
        button->SetHoverSound(FindSoundResource("SndButtonHover"));
        button->SetPressSound(FindSoundResource("SndButtonPressed"));
        button->AddListener(static_cast<cButtonListener*>(this));
        button->AddListener(static_cast<cWidgetListener*>(this));
        m_buttons[static_cast<size_t>(k)] = std::move(button);
    }
    m_instructions = std::make_unique<cInstructionsPanel>(gui, *this);
    m_options = std::make_unique<cOptionsPanel>(gui, *this, cApplicationSettings::Get());
    m_reset = std::make_unique<cResetProgressPanel>(gui, *this, cApplicationSettings::Get());
    m_credits = std::make_unique<cCreditsPanel>(gui, *this);
    // Children are placed with their top-left corner at the button's centre
    // line: the buttons' y in the layout is their middle.
    for (int k = 0; k < kButtonCount; ++k)
        AddChild(cPoint(kButtonX, kButtonTop + kButtonStep * k - 20),
                 m_buttons[static_cast<size_t>(k)].get());
}

cMenu::~cMenu()
{
    if (cMenuPanel* panel = PanelOf(m_shown))
        panel->OnLeave();
    Deactivate();
    RemoveAllChildren();
    s_instance = nullptr;
}

cMenu& cMenu::Get()
{
    if (!g_menu)
    {
        cGUI* gui = cGameApplication::Get().GetGUI();
        if (!gui)
            KORVA_THROW(cException, "The menu needs the GUI.");
        g_menu = std::make_unique<cMenu>(*gui);
        cGameApplication::Get().SetScreen(eScreen::Menu, g_menu.get());
    }
    return *g_menu;
}

void cMenu::Destroy()
{
    if (g_menu)
        cGameApplication::Get().SetScreen(eScreen::Menu, nullptr);
    g_menu.reset();
}

void cMenu::Activate()
{
    m_random.Seed(m_fixedSeed.value_or(cRandom::TimeSeed()));
    if (!m_listening)
        if (cInputDevice* input = m_gui.GetInputDevice())
        {
            input->AddListener(this);
            m_listening = true;
        }
    constexpr float kSpeedRanges[6][2] = {{0.15f, 0.3f}, {0.15f, 0.3f}, {0.2f, 0.5f},
                                          {0.5f, 1.5f},  {0.5f, 1.0f},  {1.0f, 2.0f}};
    for (size_t i = 0; i < m_waves.size(); ++i)
    {
        m_waves[i] = m_random.RandomFloat(0.0f, kTwoPi);
        m_waveSpeeds[i] = m_random.RandomFloat(kSpeedRanges[i][0], kSpeedRanges[i][1]);
    }
    if (cWidget* panel = PanelWidget(m_shown))
    {
        PanelOf(m_shown)->OnLeave();
        RemoveChild(panel);
    }
    m_shown = ePanel::None;
    m_requested = eChange::None;
    m_fly = 0.0f;
    m_slide = kHalfPi;
    for (ButtonRecord& record : m_records)
        record = ButtonRecord{};
    m_hint = cHint();
    for (int k = 0; k < kButtonCount; ++k)
        if (m_buttons[static_cast<size_t>(k)]->GetParent() != this)
            AddChild(cPoint(0, 0), m_buttons[static_cast<size_t>(k)].get());
    PlaceButtons();
    cSoundPlayer::Get().SetMusic(kMusicMenu);
}

void cMenu::Deactivate()
{
    if (!m_listening)
        return;
    m_listening = false;
    if (cInputDevice* input = m_gui.GetInputDevice())
        input->RemoveListener(this);
}

void cMenu::ShowHint(const std::string& text, cWidget* owner)
{
    m_hint.Show(text.c_str(), owner);
}

void cMenu::HideHint(cWidget* owner)
{
    m_hint.Hide(owner);
}

void cMenu::Request(eChange change)
{
    if (m_requested != eChange::None || change == eChange::None)
        return;
    m_requested = change;
    if (m_shown == ePanel::None)
    {
        // Buttons 1, 3 and 5 fly to one side, 2 and 4 to the other.
        const bool odd = m_random.RandomInt(1, 1000) >= 500;
        for (size_t k = 0; k < m_records.size(); ++k)
            m_records[k].left = (k % 2 == 0) ? odd : !odd;
        m_fly = 0.0f;
    }
    m_hint.HideAny();
}

int32_t cMenu::GetButtonX(int k) const
{
    const float c = std::cos(m_fly);
    return static_cast<int32_t>(std::lround(
        m_records[static_cast<size_t>(k)].left ? -450.0f + 650.0f * c : 850.0f - 650.0f * c));
}

void cMenu::PlaceButtons()
{
    for (int k = 0; k < kButtonCount; ++k)
        m_buttons[static_cast<size_t>(k)]->SetPosition(
            cPoint(GetButtonX(k), kButtonTop + kButtonStep * k - 20));
}

cWidget* cMenu::PanelWidget(ePanel panel) const
{
    // Every panel is a widget as well.
    return dynamic_cast<cWidget*>(PanelOf(panel));
}

cMenuPanel* cMenu::PanelOf(ePanel panel) const
{
    switch (panel)
    {
    case ePanel::Instructions:
        return m_instructions.get();
    case ePanel::Options:
        return m_options.get();
    case ePanel::ResetProgress:
        return m_reset.get();
    case ePanel::Credits:
        return m_credits.get();
    default:
        return nullptr;
    }
}

void cMenu::PlaceShownPanel()
{
    if (cWidget* panel = PanelWidget(m_shown))
        panel->SetPosition(cPoint(
            0, 610 - static_cast<int32_t>(std::lround(panel->GetHeight() * std::cos(m_slide)))));
}

void cMenu::CompleteChange()
{
    if (cWidget* panel = PanelWidget(m_shown))
    {
        PanelOf(m_shown)->OnLeave();
        RemoveChild(panel);
    }
    m_shown = ePanel::None;
    ePanel next = ePanel::None;
    switch (m_requested)
    {
    case eChange::Instructions:
        next = ePanel::Instructions;
        break;
    case eChange::Options:
        next = ePanel::Options;
        break;
    case eChange::ResetProgress:
        next = ePanel::ResetProgress;
        break;
    case eChange::Credits:
        next = ePanel::Credits;
        break;
    default:
        break;
    }
    if (cWidget* panel = PanelWidget(next))
    {
        PanelOf(next)->OnEnter();
        AddChild(cPoint(0, 610), panel);
        m_shown = next;
        PlaceShownPanel();
    }
    else
        PlaceButtons();
    m_requested = eChange::None;
}

void cMenu::UpdateChange(float dt)
{
    const float step = kChangeSpeed * dt;
    if (m_requested != eChange::None)
    {
        if (m_fly < kHalfPi)
            m_fly = std::min(kHalfPi, m_fly + step);
        else
            m_slide = std::min(kHalfPi, m_slide + step);
        if (m_fly >= kHalfPi && m_slide >= kHalfPi)
            CompleteChange();
    }
    else
    {
        // Without a panel the slide phase stays out of view, so the next
        // request does not wait for it to come back.
        if (m_shown == ePanel::None)
            m_fly = std::max(0.0f, m_fly - step);
        else
            m_slide = std::max(0.0f, m_slide - step);
    }
    PlaceShownPanel();
    PlaceButtons();
}

void cMenu::Update(float dt)
{
    cWidget::Update(dt);
    for (size_t i = 0; i < m_waves.size(); ++i)
        m_waves[i] = std::fmod(m_waves[i] + m_waveSpeeds[i] * dt, kTwoPi);
    for (ButtonRecord& record : m_records)
    {
        if (record.hovered)
        {
            record.a = std::min(1.0f, record.a + 3.0f * dt);
            record.b = std::min(1.0f, record.b + 5.0f * dt);
        }
        else
        {
            record.a = std::max(0.7f, record.a - 3.0f * dt);
            record.b = std::max(0.654f, record.b - 3.0f * dt);
        }
    }
    UpdateChange(dt);
    m_hint.Update(dt);
}

void cMenu::DrawBackground(int32_t left, int32_t top) const
{
    cImage* image = m_background ? m_background->GetImage() : nullptr;
    if (image && image->GetWidth() > 0 && image->GetHeight() > 0)
    {
        const int32_t w = image->GetWidth();
        const int32_t h = image->GetHeight();
        const auto dx = static_cast<int32_t>(40.0f * std::sin(m_waves[0]));
        const auto dy = static_cast<int32_t>(40.0f * std::sin(m_waves[1]));
        const int32_t startX = ((dx % w) + w) % w - w;
        const int32_t startY = ((dy % h) + h) % h - h;
        for (int32_t y = startY; y < 600; y += h)
            for (int32_t x = startX; x < 800; x += w)
                image->DrawImage(cRect(left + x, top + y, w, h), cRect(0, 0, w, h), 255);
    }
    cImage* logo = m_logo ? m_logo->GetImage() : nullptr;
    if (logo)
    {
        const float sway = 8.0f * std::sin(m_waves[2]) + 4.0f * std::sin(m_waves[3]);
        const float bob = 5.0f * std::sin(m_waves[4]) + 2.0f * std::sin(m_waves[5]);
        const int32_t w = logo->GetWidth();
        const int32_t h = logo->GetHeight();
        logo->DrawImage(cRect(left + 400 - w / 2 + static_cast<int32_t>(sway),
                              top + 30 + static_cast<int32_t>(bob), w, h),
                        cRect(0, 0, w, h), 255);
    }
}

void cMenu::DrawButton(int k, int32_t left, int32_t top) const
{
    cRenderDevice* device = m_gui.GetRenderDevice();
    const cSprite* sprite = GetSprite(m_panels);
    const ButtonRecord& record = m_records[static_cast<size_t>(k)];
    const int32_t x = left + GetButtonX(k);
    const int32_t y = top + kButtonTop + kButtonStep * k;
    if (device)
        device->FillRect(cRect(x + 50, y - 18, 300, 36), cColor(0, 0, 0, 110));
    if (!sprite)
        return;
    const auto has = [&](int32_t frame) { return frame < sprite->GetFrameCount(); };
    if (has(4))
        sprite->DrawFrame(x + 50, y - 18, 4, static_cast<int32_t>(160.0f * record.a));
    if (has(1))
    {
        sprite->DrawFrame(x + 30, y - 20, 0, 255);
        sprite->DrawFrame(x + 350, y - 20, 1, 255);
    }
    if (has(5 + k))
        sprite->DrawFrame(x + 200, y, 5 + k,
                          cColor(255, 255, 255, static_cast<int32_t>(255.0f * record.a)));
    if (has(3))
    {
        const auto bright = static_cast<int32_t>(255.0f * record.a);
        const auto glow = static_cast<int32_t>(255.0f * (record.b - 0.654f) / 0.346f);
        for (int32_t ox : {17, 383})
        {
            sprite->DrawFrame(x + ox, y, 2, cColor(bright, bright, bright, 255));
            if (glow > 0)
                sprite->DrawFrame(x + ox, y, 3, glow);
        }
    }
}

void cMenu::Draw(int x, int y, bool drawChildren)
{
    if (!m_drawn)
    {
        // How long a player waits for the menu; see scripts/startup-time.sh.
        m_drawn = true;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - g_processStart);
        cLog::Get().WriteDefault("First menu frame: " + std::to_string(ms.count()) + " ms\n");
    }
    const int32_t left = x + GetPosition().x;
    const int32_t top = y + GetPosition().y;
    DrawBackground(left, top);
    for (int k = 0; k < kButtonCount; ++k)
        DrawButton(k, left, top);
    m_font.DrawText(cPoint(left + 5, top + 580), cGameApplication::kVersion, kHintColor,
                    kAlignLeft);
    const bool hints = cApplicationSettings::Get().GetOptions().IsShowHints();
    const cPoint centre = GetHintCentre();
    const cPoint at(left + centre.x, top + centre.y);
    const bool overPanel = IsHintOverPanel();
    if (!overPanel)
        m_hint.Draw(&m_font, at, hints);
    if (drawChildren)
        DrawChildren(x, y);
    if (overPanel)
        m_hint.Draw(&m_font, at, hints);
}

bool cMenu::IsHintOverPanel() const
{
    cWidget* panel = PanelWidget(m_shown);
    return panel && m_hint.GetOwner() == panel && PanelOf(m_shown)->GetHintCentre();
}

cPoint cMenu::GetHintCentre() const
{
    // A panel may have its hint drawn over itself; else it is the menu's line.
    if (IsHintOverPanel())
    {
        const cPoint centre = *PanelOf(m_shown)->GetHintCentre();
        const cPoint panel = PanelWidget(m_shown)->GetPosition();
        return cPoint(panel.x + centre.x, panel.y + centre.y);
    }
    return cPoint(400, 580);
}

void cMenu::OnMouseEnter(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    if (m_requested != eChange::None)
        return;
    for (int k = 0; k < kButtonCount; ++k)
        if (widget == m_buttons[static_cast<size_t>(k)].get())
        {
            m_records[static_cast<size_t>(k)].hovered = true;
            m_hint.Show(kHints[k], widget);
        }
}

void cMenu::OnMouseLeave(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    for (int k = 0; k < kButtonCount; ++k)
        if (widget == m_buttons[static_cast<size_t>(k)].get())
        {
            m_records[static_cast<size_t>(k)].hovered = false;
            m_hint.Hide(widget);
        }
}

void cMenu::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    m_hint.HideAny();
    // Buttons that have flown out are not clickable in spirit; a click that
    // reaches one while a change runs is ignored.
    if (m_requested != eChange::None || m_shown != ePanel::None)
        return;
    cGameApplication& app = cGameApplication::Get();
    if (button == m_buttons[kPlay].get())
        app.RequestLevelSelector();
    else if (button == m_buttons[kEditor].get())
    {
        // Without an editor screen there is nothing to switch to.
        if (app.GetScreen(eScreen::Editor))
            app.RequestEditor();
    }
    else if (button == m_buttons[kInstructions].get())
        RequestInstructionsPanel();
    else if (button == m_buttons[kOptions].get())
        RequestOptionsPanel();
    else if (button == m_buttons[kQuit].get())
        app.RequestQuit();
}

void cMenu::OnInputEvent(const cInputEvent& event)
{
    if (event.GetClass() != kInputClassKeyboard || event.GetKind() != kKeyPressed)
        return;
    if (AsKeyboardEvent(event).GetKey() == kKeyEscape && m_shown == ePanel::None &&
        m_requested == eChange::None)
    {
        cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        cGameApplication::Get().RequestQuit();
    }
}
