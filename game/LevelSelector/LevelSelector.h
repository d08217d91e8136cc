#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/Button.h"
#include "engine/Gui/Hint.h"
#include "engine/Gui/Widget.h"
#include "engine/Input/InputDeviceEvent.h"
#include "game/Game/Random.h"
#include "game/LevelSelector/BackgroundBands.h"
#include "game/LevelSelector/LevelIconList.h"
#include "game/Screen.h"

#include <memory>
#include <string>

class cCampaign;
class cPopup;

// What the selector asks of the program around it.
class cLevelSelectorHost
{
public:
    virtual ~cLevelSelectorHost() = default;
    virtual bool IsLevelCompleted(const std::string& alias) const = 0;
    virtual bool GetShowHints() const = 0;
    virtual void PlayCampaignLevel(const std::string& campaignAlias, int32_t index) = 0;
    virtual void RequestMenu() = 0;
};

// The host that is the game application: plays levels on the game screen.
class cApplicationSelectorHost : public cLevelSelectorHost
{
public:
    bool IsLevelCompleted(const std::string& alias) const override;
    bool GetShowHints() const override;
    void PlayCampaignLevel(const std::string& campaignAlias, int32_t index) override;
    void RequestMenu() override;
};

// The screen on which the player picks a level: the campaign's levels as
// an icon grid on one tab, the user levels on the other (the tab is not
// built yet), Back to the menu and Play.
class cLevelSelector : public Korva::cWidget,
                       public Korva::cButtonListener,
                       public Korva::cInputListener,
                       public cLevelIconListHost,
                       public cScreen
{
public:
    static constexpr const char* kCampaignAlias = "CmpZeltra";
    static constexpr float kSwitchSpeed = 5.0f;

    // Only one selector may exist. `campaign` may be null (an empty grid).
    cLevelSelector(Korva::cGUI& gui, cLevelSelectorHost& host, const cCampaign* campaign);
    ~cLevelSelector() override;

    // The selector of the running application, created on first use with
    // the application's GUI and the campaign "CmpZeltra", and registered.
    static cLevelSelector& Get();
    static cLevelSelector* GetIfExists() { return s_instance; }
    static void Destroy();

    // --- cScreen ---
    Korva::cWidget& GetScreenWidget() override { return *this; }
    void Activate() override;
    void Deactivate() override;

    // --- selection ---
    void SelectLevel(int32_t index) override;
    void ClearSelection() override;
    void PlaySelection() override;
    bool IsGameLevelSelected() const { return m_gameLevelSelected; }
    int32_t GetSelectedIndex() const { return m_levelIndex; }
    const std::string& GetSelectedCampaign() const { return m_campaignAlias; }

    bool IsLevelCompleted(const std::string& alias) const override;
    void ShowHint(const std::string& text, Korva::cWidget* owner) override;
    void HideHint(Korva::cWidget* owner) override;

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnInputEvent(const Korva::cInputEvent& event) override;

    cLevelIconList& GetIconList() { return *m_icons; }
    Korva::cButton& GetPlayButton() { return *m_play; }
    Korva::cButton& GetBackButton() { return *m_back; }
    const Korva::cHint& GetHint() const { return m_hint; }

private:
    static cLevelSelector* s_instance;

    cLevelSelectorHost& m_host;
    const cCampaign* m_campaign;
    bool m_gameLevelSelected = false;
    std::string m_campaignAlias;
    int32_t m_levelIndex = 0;
    cRandom m_random;
    cBackgroundBands m_bands;
    Korva::cHint m_hint;
    bool m_listening = false;

    std::unique_ptr<cPopup> m_gamePanel;
    std::unique_ptr<cLevelIconList> m_icons;
    std::unique_ptr<Korva::cButton> m_back;
    std::unique_ptr<Korva::cButton> m_play;
    Korva::cHeadlineFont m_font;
};
