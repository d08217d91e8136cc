#pragma once

#include "engine/Core/Application.h"
#include "engine/Core/Exception.h"
#include "engine/Display/Display.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Input/InputDeviceEvent.h"
#include "game/MainLoop.h"
#include "game/Options.h"
#include "game/Progress.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace Korva
{
class cDisplaySDL;
class cRenderSystemGL;
class cFileSystem;
class cGUI;
class cImage;
class cInputDevice;
class cResource;
class cSoundDevice;
class cSoundMixer;
} // namespace Korva

class cLevel;
class cScreen;

// The game's application object. `Main` builds every subsystem in a fixed
// order, runs the intro and the main loop with its screen switching, and
// takes everything down again, writing the options and the progress first.
// The one instance is a global object; `Get` returns it.
class cGameApplication : public Korva::cApplication,
                         public Korva::cDisplayListener,
                         public Korva::cRenderDeviceListener,
                         public Korva::cInputListener,
                         private cMainLoopHost
{
public:
    static constexpr const char* kVersion = "v1.21";
    static constexpr const char* kUserFolder = "/Quillbee Studios/Zeltra";
    static constexpr const char* kUserLevelsFolder = "/Quillbee Studios/Zeltra/UserLevels";
    static constexpr const char* kLogPath = "/Quillbee Studios/Zeltra/Zeltra.log";
    static constexpr const char* kLoadingImage = "/Images/Loading.tga";

    cGameApplication();
    ~cGameApplication() override;

    static cGameApplication& Get();

    int Main(int argc, char** argv) override;
    std::string GetName() const override { return "Zeltra"; }
    // A quit request from the core (the window's close button) ends the game.
    void OnEvent(const Korva::cEvent& event) override;

    // --- screens ---
    // Each request closes the shutter and shows the screen once it is
    // closed; a request while a switch is under way only changes the target.
    // Screens that take arguments store them before asking.
    void RequestScreen(eScreen screen) { m_loop.Request(screen); }
    void RequestMenu() { RequestScreen(eScreen::Menu); }
    void RequestLevelSelector() { RequestScreen(eScreen::LevelSelector); }
    // Back to the editor as it was (after a test play).
    void RequestEditorWithLevel() { RequestScreen(eScreen::Editor); }
    // The editor with a fresh level (entry from the menu).
    void RequestEditor();
    // The game screen plays the editor's level in test mode.
    void RequestTestPlay(const cLevel& level);
    // Plays the level file `name` of the user-levels folder on the game
    // screen. A file that cannot be loaded raises its exception before
    // anything changes, and no switch is asked for.
    void RequestUserLevel(const std::string& name);
    void RequestQuit() { m_loop.RequestQuit(); }
    // The screen object shown for `screen`; screens register at start-up.
    void SetScreen(eScreen screen, cScreen* object);
    cScreen* GetScreen(eScreen screen) const;

    // --- options ---
    cOptions& GetOptions() { return m_options; }
    const cOptions& GetOptions() const { return m_options; }
    // Switches window/full screen and bit depth; nothing when both are as now.
    void SetDisplayMode(bool fullScreen, int32_t bitDepth);
    // Opens the maker's homepage in the web browser (windowed first).
    void OpenHomepage();

    // --- progress ---
    bool IsLevelCompleted(const std::string& alias) const
    {
        return m_progress.IsLevelCompleted(alias);
    }
    int32_t GetCompletedLevelCount() const { return m_progress.GetCompletedLevelCount(); }
    // Records the level and saves the progress file. False when the file
    // could not be written (logged); the level stays recorded for this run
    // and the save is tried again later.
    bool MarkLevelCompleted(const std::string& alias);
    // Forgets every completed level and saves; false when saving failed.
    bool ResetProgress();

    // --- subsystems (null while they do not exist) ---
    Korva::cFileSystem* GetUserFileSystem() const { return m_userFileSystem; }
    Korva::cDisplay* GetDisplay() const;
    Korva::cRenderDevice* GetRenderDevice() const { return m_renderDevice.get(); }
    Korva::cInputDevice* GetInputDevice() const { return m_input.get(); }
    Korva::cGUI* GetGUI() const { return m_gui.get(); }
    cMainLoop& GetMainLoop() { return m_loop; }

    void OnDisplayEvent(const Korva::cEvent& event) override;
    void OnDeviceEvent(const Korva::cEvent& event) override;
    void OnInputEvent(const Korva::cInputEvent& event) override;

private:
    void StartUp(int argc, char** argv);
    void Delay(const std::vector<std::string>& arguments);
    void CreateDisplay();
    void CreateInput();
    void CreateSound();
    void LoadResources();
    // Music and sound on or off and their volumes, to the sound player.
    void ApplySoundOptions();
    void RunIntro();
    void ShutDown();
    bool SaveProgress();
    void SaveFilesAtExit();

    // One level-0 resource, with its log lines; false when it failed.
    bool LoadResource(Korva::cResource& resource, double& totalMs);
    void DrawLoadingOverlay(int32_t alpha, float progress);
    std::unique_ptr<Korva::cImage> LoadLoadingImage();
    void DrawShutter(const cScreenTransition& shutter);

    // cMainLoopHost
    float GetFrameTime() override;
    void BeginFrame() override;
    void ActivateScreen(eScreen screen) override;
    void DeactivateScreen(eScreen screen) override;
    void DrawFrame(const cScreenTransition* shutter) override;
    void SetGuiUpdates(bool enabled) override;
    void PauseSound() override;
    void ResumeSound() override;
    void RunLoader() override;
    void CoreUpdate() override;
    void Sleep(int milliseconds) override;

    cOptions m_options;
    cProgress m_progress;
    cMainLoop m_loop;
    std::array<cScreen*, 5> m_screens{};

    // Set once the files were read, so a failed start never overwrites
    // the player's files with defaults.
    bool m_optionsRead = false;
    bool m_progressRead = false;
    bool m_progressLoaded = false;
    bool m_progressChanged = false;
    bool m_signalHandled = false;
    // The first save that failed at the end; reported after shut-down.
    std::optional<Korva::cException> m_saveError;

    Korva::cFileSystem* m_userFileSystem = nullptr;
    bool m_logAttached = false;
    std::unique_ptr<Korva::cDisplaySDL> m_display;
    std::unique_ptr<Korva::cRenderSystemGL> m_renderSystem;
    std::unique_ptr<Korva::cRenderDevice> m_renderDevice;
    std::unique_ptr<Korva::cInputDevice> m_input;
    std::unique_ptr<Korva::cSoundMixer> m_mixer;
    std::unique_ptr<Korva::cSoundDevice> m_soundDevice;
    bool m_soundRunning = false;
    std::unique_ptr<Korva::cGUI> m_gui;
};
