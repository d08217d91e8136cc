#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/Button.h"
#include "engine/Gui/Hint.h"
#include "engine/Gui/Widget.h"
#include "engine/Input/InputDeviceEvent.h"
#include "game/Game/Random.h"
#include "game/LevelSelector/BackgroundBands.h"
#include "game/LevelSelector/LevelIconList.h"
#include "game/LevelSelector/UserLevelList.h"
#include "game/Menu/PopupHost.h"
#include "game/Screen.h"

#include <memory>
#include <optional>
#include <string>

namespace Korva
{
class cFileSystem;
class cSpriteResource;
} // namespace Korva

class cCampaign;
class cLoadFailedPopup;
class cSlidingPanel;

// What the selector asks of the program around it.
class cLevelSelectorHost
{
public:
    virtual ~cLevelSelectorHost() = default;
    virtual bool IsLevelCompleted(const std::string& alias) const = 0;
    virtual bool GetShowHints() const = 0;
    virtual void PlayCampaignLevel(const std::string& campaignAlias, int32_t index) = 0;
    virtual void RequestMenu() = 0;
    // Where the player's own levels are: a file system (null for none) and
    // a folder in it.
    virtual Korva::cFileSystem* GetUserLevelFileSystem() = 0;
    virtual std::string GetUserLevelsFolder() const = 0;
    // Plays a file of that folder; a file that cannot be loaded raises its
    // exception and nothing changes.
    virtual void PlayUserLevel(const std::string& file) = 0;
};

// The host that is the game application: plays levels on the game screen.
class cApplicationSelectorHost : public cLevelSelectorHost
{
public:
    bool IsLevelCompleted(const std::string& alias) const override;
    bool GetShowHints() const override;
    void PlayCampaignLevel(const std::string& campaignAlias, int32_t index) override;
    void RequestMenu() override;
    Korva::cFileSystem* GetUserLevelFileSystem() override;
    std::string GetUserLevelsFolder() const override;
    void PlayUserLevel(const std::string& file) override;
};

// The screen on which the player picks a level: the campaign's levels as
// an icon grid on one tab, the levels made in the editor as a list on the
// other, Back to the menu and Play. The tabs' panels slide down and up when
// the player switches between them.
class cLevelSelector : public Korva::cWidget,
                       public Korva::cButtonListener,
                       public cLevelIconListHost,
                       public cUserLevelListHost,
                       public cPopupOwner,
                       public cScreen
{
public:
    static constexpr const char* kCampaignAlias = "CmpZeltra";
    static constexpr float kSwitchSpeed = 5.0f;
    static constexpr float kShownY = 100.0f;
    static constexpr float kHiddenY = 600.0f;

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
    // Also reads the user levels again, so a level saved in the editor
    // shows up.
    void Activate() override;
    void Deactivate() override;
    // A fixed seed for the bands of the following activations instead of
    // one from the clock (pictures of the selector).
    void SetFixedSeed(std::optional<uint32_t> seed) { m_fixedSeed = seed; }

    // --- selection ---
    void SelectLevel(int32_t index) override;
    void SelectUserLevel(const std::string& file) override;
    void ClearSelection() override;
    // A user level that fails to load shows why in a popup; the selector
    // stays.
    void PlaySelection() override;
    bool IsGameLevelSelected() const { return m_gameLevelSelected; }
    int32_t GetSelectedIndex() const { return m_levelIndex; }
    const std::string& GetSelectedCampaign() const { return m_campaignAlias; }
    bool IsUserLevelSelected() const { return m_userLevelSelected; }
    const std::string& GetSelectedUserLevel() const { return m_userLevelFile; }
    void RefreshUserLevels();

    // --- tabs ---
    // Starts sliding the shown tab's panel out and the other one in; asked
    // again during a switch it starts over.
    void StartTabSwitch();
    bool IsGameTabShown() const { return m_gameTab; }
    bool IsSwitching() const { return m_switching; }
    float GetGamePanelY() const { return m_gamePanelY; }
    float GetUserPanelY() const { return m_userPanelY; }

    bool IsLevelCompleted(const std::string& alias) const override;
    void ShowHint(const std::string& text, Korva::cWidget* owner) override;
    void HideHint(Korva::cWidget* owner) override;

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;

    // --- cPopupOwner: the load-failed message and the keys ---
    cPopup* PreparePopup(int kind) override;
    bool OnPopupEnter(int kind) override;
    void PlayPopupSound() override;
    void OnScreenKey(const Korva::cKeyboardEvent& event) override;

    cLevelIconList& GetIconList() { return *m_icons; }
    cUserLevelList& GetUserLevelList() { return *m_userLevels; }
    cLoadFailedPopup& GetLoadFailedPopup() { return *m_loadFailed; }
    Korva::cButton& GetPlayButton() { return *m_play; }
    Korva::cButton& GetBackButton() { return *m_back; }
    Korva::cButton& GetToUserLevelsButton() { return *m_toUserLevels; }
    Korva::cButton& GetToGameLevelsButton() { return *m_toGameLevels; }
    const Korva::cHint& GetHint() const { return m_hint; }

private:
    void UpdateSwitch(float dt);
    void PlacePanels();

    static cLevelSelector* s_instance;

    cLevelSelectorHost& m_host;
    const cCampaign* m_campaign;
    bool m_gameLevelSelected = false;
    std::string m_campaignAlias;
    int32_t m_levelIndex = 0;
    bool m_userLevelSelected = false;
    std::string m_userLevelFile;
    bool m_gameTab = true;
    bool m_switching = false;
    float m_phase = 0.0f;
    float m_phaseSpeed = 0.0f;
    float m_gamePanelY = kShownY;
    float m_userPanelY = kHiddenY;
    cRandom m_random;
    std::optional<uint32_t> m_fixedSeed;
    cBackgroundBands m_bands;
    Korva::cHint m_hint;

    std::unique_ptr<cSlidingPanel> m_gamePanel;
    std::unique_ptr<cLevelIconList> m_icons;
    std::unique_ptr<cSlidingPanel> m_userPanel;
    std::unique_ptr<cUserLevelList> m_userLevels;
    std::unique_ptr<Korva::cButton> m_back;
    std::unique_ptr<Korva::cButton> m_play;
    std::unique_ptr<Korva::cButton> m_toUserLevels;
    std::unique_ptr<Korva::cButton> m_toGameLevels;
    std::unique_ptr<cLoadFailedPopup> m_loadFailed;
    // After the popup, so it is gone before it.
    cPopupHost m_popups;
    Korva::cSpriteResource* m_panels;
    Korva::cHeadlineFont m_font;
};
