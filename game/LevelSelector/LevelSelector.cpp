#include "game/LevelSelector/LevelSelector.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/Campaign.h"
#include "game/Game/CampaignResource.h"
#include "game/Game/Screen/Game.h"
#include "game/GameApplication.h"
#include "game/Menu/PanelButton.h"
#include "game/Menu/Popup.h"
#include "game/SoundPlayer.h"

using namespace Korva;

namespace
{
constexpr const char* kSprite = "SprLevelSelectorPanels";
const cColor kHintColor(240, 240, 0, 255);

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

// --- cLevelSelector ---

cLevelSelector* cLevelSelector::s_instance = nullptr;

cLevelSelector::cLevelSelector(cGUI& gui, cLevelSelectorHost& host, const cCampaign* campaign)
    : cWidget(gui), m_host(host), m_campaign(campaign)
{
    if (s_instance)
        KORVA_THROW(cException, "An instance of cLevelSelector already exists.");
    s_instance = this;
    SetSize(cPoint(800, 600));
    SetBackgroundFill(false);
    SetBorder(false);

    m_gamePanel = std::make_unique<cPopup>(cPoint(510, 440), gui);
    m_gamePanel->SetTitle("game levels");
    AddChild(cPoint(400 - 255, 100), m_gamePanel.get());
    m_icons = std::make_unique<cLevelIconList>(gui, *this, campaign);
    m_gamePanel->AddChild(cPoint(20, 45), m_icons.get());

    m_back = MakePanelButton(*this, cRect(10, 562, 80, 28), kSprite, 6, this);
    m_play = MakePanelButton(*this, cRect(710, 562, 80, 28), kSprite, 9, this);

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
    m_gamePanel->RemoveAllChildren();
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
    m_random.Seed(cRandom::TimeSeed());
    m_bands.Seed(m_random);
    if (!m_listening)
        if (cInputDevice* input = m_gui.GetInputDevice())
        {
            input->AddListener(this);
            m_listening = true;
        }
    cSoundPlayer::Get().SetMusic(kMusicGame);
}

void cLevelSelector::Deactivate()
{
    if (!m_listening)
        return;
    m_listening = false;
    if (cInputDevice* input = m_gui.GetInputDevice())
        input->RemoveListener(this);
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

void cLevelSelector::ClearSelection()
{
    m_gameLevelSelected = false;
    m_campaignAlias.clear();
    m_levelIndex = 0;
    m_icons->ClearSelected();
}

void cLevelSelector::PlaySelection()
{
    if (m_gameLevelSelected)
        m_host.PlayCampaignLevel(m_campaignAlias, m_levelIndex);
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
    if (drawChildren)
        DrawChildren(x, y);
    m_hint.Draw(&m_font, cPoint(left + 400, top + 580), m_host.GetShowHints());
}

void cLevelSelector::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (button == m_back.get())
        m_host.RequestMenu();
    else if (button == m_play.get())
        PlaySelection();
}

void cLevelSelector::OnInputEvent(const cInputEvent& event)
{
    if (event.GetClass() == kInputClassKeyboard && event.GetKind() == kKeyPressed &&
        AsKeyboardEvent(event).GetKey() == kKeyEscape)
    {
        cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        m_host.RequestMenu();
    }
}
