#include "game/LevelSelector/LevelSelector.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/Campaign.h"
#include "game/Game/CampaignResource.h"
#include "game/Game/Screen/Game.h"
#include "game/GameApplication.h"
#include "game/LevelSelector/LoadFailedPopup.h"
#include "game/LevelSelector/SlidingPanel.h"
#include "game/Menu/MenuResources.h"
#include "game/Menu/PanelButton.h"
#include "game/SoundPlayer.h"

#include <cmath>
#include <exception>
#include <numbers>

using namespace Korva;

namespace
{
constexpr const char* kSprite = "SprLevelSelectorPanels";
constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;
// The panels travel between y = 100 (shown) and 650 (below the screen).
constexpr float kSlideBase = 650.0f;
constexpr float kSlideReach = 550.0f;
constexpr int32_t kTabButtonOffset = 430;
// The one popup: a user level that could not be played.
constexpr int kPopupLoadFailed = 1;

std::unique_ptr<cLevelSelector> g_selector;

cCampaign* FindCampaign(const std::string& alias)
{
    auto* resource = dynamic_cast<cCampaignResource*>(cResManager::Get().Find(alias));
    return resource ? resource->GetCampaign() : nullptr;
}
} // namespace

// --- cApplicationSelectorHost ---

bool cApplicationSelectorHost::IsLevelCompleted(const std::string& alias) const
{
    return cGameApplication::Get().IsLevelCompleted(alias);
}

bool cApplicationSelectorHost::GetShowHints() const
{
    return cGameApplication::Get().GetOptions().IsShowHints();
}

void cApplicationSelectorHost::PlayCampaignLevel(const std::string& campaignAlias, int32_t index)
{
    const cCampaign* campaign = FindCampaign(campaignAlias);
    if (!campaign)
        return;
    // A level that cannot be loaded leaves the selector shown; the reason
    // is in the log.
    if (cGame::Get().StartCampaignLevel(*campaign, index))
        cGameApplication::Get().RequestScreen(eScreen::Game);
}

void cApplicationSelectorHost::RequestMenu()
{
    cGameApplication::Get().RequestMenu();
}

cFileSystem* cApplicationSelectorHost::GetUserLevelFileSystem()
{
    return cGameApplication::Get().GetUserFileSystem();
}

std::string cApplicationSelectorHost::GetUserLevelsFolder() const
{
    return cGameApplication::kUserLevelsFolder;
}

void cApplicationSelectorHost::PlayUserLevel(const std::string& file)
{
    cGameApplication::Get().RequestUserLevel(file);
}

// --- cLevelSelector ---

cLevelSelector* cLevelSelector::s_instance = nullptr;

cLevelSelector::cLevelSelector(cGUI& gui, cLevelSelectorHost& host, const cCampaign* campaign)
    : cWidget(gui), m_host(host), m_campaign(campaign), m_popups(*this, *this, cPoint(400, 300)),
      m_panels(FindSpriteResource(kSprite))
{
    if (s_instance)
        KORVA_THROW(cException, "An instance of cLevelSelector already exists.");
    s_instance = this;
    SetSize(cPoint(800, 600));
    SetBackgroundFill(false);
    SetBorder(false);

    m_gamePanel = std::make_unique<cSlidingPanel>(gui, "game levels");
    AddChild(cPoint(400 - 255, static_cast<int32_t>(m_gamePanelY)), m_gamePanel.get());
    m_icons = std::make_unique<cLevelIconList>(gui, *this, campaign);
    m_gamePanel->AddChild(cPoint(20, 45), m_icons.get());
    m_userPanel = std::make_unique<cSlidingPanel>(gui, "user levels");
    AddChild(cPoint(400 - 255, static_cast<int32_t>(m_userPanelY)), m_userPanel.get());
    m_userLevels = std::make_unique<cUserLevelList>(gui, *this);
    m_userPanel->AddChild(cPoint(20, 45), m_userLevels.get());

    m_back = MakePanelButton(*this, cRect(10, 562, 80, 28), kSprite, 6, this);
    m_play = MakePanelButton(*this, cRect(710, 562, 80, 28), kSprite, 9, this);
    m_toUserLevels = MakePanelButton(*this, cRect(300, 0, 200, 28), kSprite, 12, this);
    m_toGameLevels = MakePanelButton(*this, cRect(300, 0, 200, 28), kSprite, 15, this);
    m_loadFailed = std::make_unique<cLoadFailedPopup>(gui, this);
    PlacePanels();

    // The first level not yet completed is selected.
    const int32_t count = campaign ? campaign->GetLevelCount() : 0;
    for (int32_t i = 0; i < count; ++i)
        if (!m_host.IsLevelCompleted(campaign->GetLevelAlias(i)))
        {
            SelectLevel(i);
            break;
        }
}

cLevelSelector::~cLevelSelector()
{
    Deactivate();
    m_popups.Dismiss();
    m_gamePanel->RemoveAllChildren();
    m_userPanel->RemoveAllChildren();
    RemoveAllChildren();
    s_instance = nullptr;
}

cLevelSelector& cLevelSelector::Get()
{
    if (!g_selector)
    {
        cGUI* gui = cGameApplication::Get().GetGUI();
        if (!gui)
            KORVA_THROW(cException, "The level selector needs the GUI.");
        static cApplicationSelectorHost host;
        const cCampaign* campaign = FindCampaign(kCampaignAlias);
        if (!campaign)
            cLog::Get().WriteDefault(std::string("Missing campaign: '") + kCampaignAlias + "'.\n");
        g_selector = std::make_unique<cLevelSelector>(*gui, host, campaign);
        cGameApplication::Get().SetScreen(eScreen::LevelSelector, g_selector.get());
    }
    return *g_selector;
}

void cLevelSelector::Destroy()
{
    if (g_selector)
        cGameApplication::Get().SetScreen(eScreen::LevelSelector, nullptr);
    g_selector.reset();
}

void cLevelSelector::Activate()
{
    m_random.Seed(m_fixedSeed.value_or(cRandom::TimeSeed()));
    m_bands.Seed(m_random);
    m_popups.Activate();
    cSoundPlayer::Get().SetMusic(kMusicGame);
    RefreshUserLevels();
}

void cLevelSelector::RefreshUserLevels()
{
    cFileSystem* fileSystem = m_host.GetUserLevelFileSystem();
    m_userLevels->SetEntries(fileSystem
                                 ? ReadUserLevelEntries(*fileSystem, m_host.GetUserLevelsFolder())
                                 : std::vector<sUserLevelEntry>());
    // A selected file that has gone away is no longer selected.
    if (m_userLevelSelected && m_userLevels->Find(m_userLevelFile) < 0)
        ClearSelection();
}

void cLevelSelector::Deactivate()
{
    m_popups.Deactivate();
}

void cLevelSelector::SelectLevel(int32_t index)
{
    ClearSelection();
    if (!m_campaign || index < 0 || index >= m_campaign->GetLevelCount())
        return;
    m_gameLevelSelected = true;
    m_campaignAlias = kCampaignAlias;
    m_levelIndex = index;
    m_icons->SetSelected(index);
}

void cLevelSelector::SelectUserLevel(const std::string& file)
{
    ClearSelection();
    const int32_t row = m_userLevels->Find(file);
    if (row < 0)
        return;
    m_userLevelSelected = true;
    m_userLevelFile = file;
    m_userLevels->SetSelected(row);
}

void cLevelSelector::ClearSelection()
{
    m_gameLevelSelected = false;
    m_campaignAlias.clear();
    m_levelIndex = 0;
    m_icons->ClearSelected();
    m_userLevelSelected = false;
    m_userLevelFile.clear();
    m_userLevels->ClearSelected();
}

void cLevelSelector::PlaySelection()
{
    m_popups.Dismiss();
    if (m_gameLevelSelected)
        m_host.PlayCampaignLevel(m_campaignAlias, m_levelIndex);
    else if (m_userLevelSelected)
    {
        const std::string file = m_userLevelFile;
        try
        {
            m_host.PlayUserLevel(file);
        }
        catch (const cException& error)
        {
            m_loadFailed->SetMessage(file, error.GetMessage());
            m_popups.Open(kPopupLoadFailed);
        }
        catch (const std::exception& error)
        {
            cLog::Get().WriteDefault("Couldn't play user level '" + file + "': " + error.what() +
                                     "\n");
            m_loadFailed->SetMessage(file, "");
            m_popups.Open(kPopupLoadFailed);
        }
    }
}

void cLevelSelector::StartTabSwitch()
{
    m_switching = true;
    m_phase = 0.0f;
    m_phaseSpeed = kSwitchSpeed;
    m_hint.HideAny();
}

void cLevelSelector::UpdateSwitch(float dt)
{
    if (!m_switching)
        return;
    float& shown = m_gameTab ? m_gamePanelY : m_userPanelY;
    float& other = m_gameTab ? m_userPanelY : m_gamePanelY;
    m_phase += m_phaseSpeed * dt;
    if (m_phaseSpeed > 0.0f)
    {
        // The shown panel slides down and out.
        if (m_phase >= kHalfPi)
        {
            m_phase = kHalfPi;
            m_phaseSpeed = -m_phaseSpeed;
        }
        shown = kSlideBase - kSlideReach * std::cos(m_phase);
        return;
    }
    // Then the other one slides up and in.
    if (m_phase <= 0.0f)
        m_phase = 0.0f;
    other = kSlideBase - kSlideReach * std::cos(m_phase);
    if (m_phase <= 0.0f)
    {
        other = kShownY;
        m_switching = false;
        m_gameTab = !m_gameTab;
    }
}

void cLevelSelector::PlacePanels()
{
    const auto gameY = static_cast<int32_t>(std::lround(m_gamePanelY));
    const auto userY = static_cast<int32_t>(std::lround(m_userPanelY));
    m_gamePanel->SetPosition(cPoint(400 - 255, gameY));
    m_userPanel->SetPosition(cPoint(400 - 255, userY));
    m_toUserLevels->SetPosition(cPoint(300, gameY + kTabButtonOffset));
    m_toGameLevels->SetPosition(cPoint(300, userY + kTabButtonOffset));
}

bool cLevelSelector::IsLevelCompleted(const std::string& alias) const
{
    return m_host.IsLevelCompleted(alias);
}

void cLevelSelector::ShowHint(const std::string& text, cWidget* owner)
{
    m_hint.Show(text.c_str(), owner);
}

void cLevelSelector::HideHint(cWidget* owner)
{
    m_hint.Hide(owner);
}

void cLevelSelector::Update(float dt)
{
    UpdateSwitch(dt);
    PlacePanels();
    cWidget::Update(dt);
    m_bands.Update(dt);
    m_hint.Update(dt);
}

void cLevelSelector::Draw(int x, int y, bool drawChildren)
{
    const int32_t left = x + GetPosition().x;
    const int32_t top = y + GetPosition().y;
    if (cRenderDevice* device = m_gui.GetRenderDevice())
    {
        device->FillRect(cRect(left, top, 800, 600), cColor(10, 12, 24, 255));
        m_bands.Draw(*device, left, top, 255);
    }
    // Frame 0 is the screen's title, its hot spot at its top centre.
    if (const cSprite* panels = GetSprite(m_panels); panels && panels->GetFrameCount() > 0)
        panels->DrawFrame(left + 400, top + 30, 0, 255);
    if (drawChildren)
        DrawChildren(x, y);
    m_hint.Draw(&m_font, cPoint(left + 400, top + 580), m_host.GetShowHints());
}

void cLevelSelector::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (button == &m_loadFailed->GetOkButton())
        m_popups.Close();
    else if (button == m_back.get())
        m_host.RequestMenu();
    else if (button == m_play.get())
        PlaySelection();
    else if ((button == m_toUserLevels.get() && m_gameTab) ||
             (button == m_toGameLevels.get() && !m_gameTab))
        StartTabSwitch();
}

cPopup* cLevelSelector::PreparePopup(int kind)
{
    return kind == kPopupLoadFailed ? m_loadFailed.get() : nullptr;
}

bool cLevelSelector::OnPopupEnter(int kind)
{
    (void)kind;
    m_popups.Close();
    return true;
}

void cLevelSelector::PlayPopupSound()
{
    cSoundPlayer::Get().PlaySound(kSndButtonPressed);
}

void cLevelSelector::OnScreenKey(const cKeyboardEvent& event)
{
    // Esc on an open message went to it (the host closed it); here it leaves.
    if (event.GetKey() == kKeyEscape)
    {
        cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        m_host.RequestMenu();
    }
}
