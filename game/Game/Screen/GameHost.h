#pragma once

#include <string>

class cOptions;

// What the game screen asks of the program around it: the options, the
// progress file, the other screens and the web browser. The application
// provides the real one; tests provide their own.
class cGameHost
{
public:
    virtual ~cGameHost() = default;
    virtual cOptions& GetOptions() = 0;
    // Switches between window and full screen with the current colour depth.
    virtual void ToggleFullScreen() = 0;
    // Records a campaign level as completed and saves the progress.
    virtual void MarkLevelCompleted(const std::string& alias) = 0;
    virtual bool IsLevelCompleted(const std::string& alias) const = 0;
    virtual void RequestLevelSelector() = 0;
    virtual void RequestMenu() = 0;
    // Back to the editor with the level it was testing.
    virtual void RequestEditor() = 0;
    virtual void OpenHomepage() = 0;
    // The game goes on to level `index` of its campaign: the level selector
    // selects it too, so Play there starts where the player is.
    virtual void SelectCampaignLevel(int index) = 0;
};

// The host that is the game application.
class cApplicationGameHost : public cGameHost
{
public:
    cOptions& GetOptions() override;
    void ToggleFullScreen() override;
    void MarkLevelCompleted(const std::string& alias) override;
    bool IsLevelCompleted(const std::string& alias) const override;
    void RequestLevelSelector() override;
    void RequestMenu() override;
    void RequestEditor() override;
    void OpenHomepage() override;
    void SelectCampaignLevel(int index) override;
};
