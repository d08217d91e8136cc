#include "game/GameApplication.h"

#include "engine/Core/Core.h"
#include "engine/Core/Log.h"
#include "engine/Display/GL/RenderDeviceGL.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/Image.h"
#include "engine/Display/SDL/DisplaySDL.h"
#include "engine/Display/SpriteResource.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/KeyCodes.h"
#include "engine/Input/SDL/InputDeviceSDL.h"
#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Resource/ResManager.h"
#include "engine/Resource/Resource.h"
#include "engine/Sound/Ogg/SoundLoaderOgg.h"
#include "engine/Sound/SDL/SoundDeviceSDL.h"
#include "engine/Sound/SoundInstance.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/SoundSystem.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"
#include "game/CommandLine.h"
#include "game/Editor/Editor.h"
#include "game/Game/GameResourceHandler.h"
#include "game/Game/Screen/Game.h"
#include "game/Homepage.h"
#include "game/InitDelay.h"
#include "game/LevelSelector/LevelSelector.h"
#include "game/Menu/Intro.h"
#include "game/Menu/Menu.h"
#include "game/Screen.h"
#include "game/SoundPlayer.h"
#include "game/UserLevels.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

using namespace Korva;

namespace
{
// The one application object; the process entry finds it through
// cApplication::Get.
cGameApplication g_application;

// Set by SIGINT or SIGTERM: the game then quits the normal way, saving what
// it keeps. The handler is reset to the default by the first signal, so a
// second Ctrl+C ends a game that does not react.
volatile std::sig_atomic_t g_quitSignal = 0;

extern "C" void OnQuitSignal(int)
{
    g_quitSignal = 1;
}

void InstallQuitSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    // Installed before the window exists, so SDL keeps its own hands off.
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // Past a file-size limit a write fails like one on a full disk, which the
    // game reports and survives; the signal would end it without saving.
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);
}

constexpr int32_t kScreenWidth = 800;
constexpr int32_t kScreenHeight = 600;
constexpr float kMaxTimeStep = 0.1f;

size_t ScreenIndex(eScreen screen)
{
    return static_cast<size_t>(screen);
}

void Log(const std::string& text)
{
    cLog::Get().WriteDefault(text);
}
} // namespace

cGameApplication::cGameApplication() = default;

cGameApplication::~cGameApplication() = default;

cGameApplication& cGameApplication::Get()
{
    return g_application;
}

int cGameApplication::Main(int argc, char** argv)
{
    // Answered before anything is created: no window, no per-user folder.
    const std::vector<std::string> arguments(argv, argv + argc);
    const cCommandLine commandLine = ParseCommandLine(arguments);
    switch (commandLine.action)
    {
    case eCommandLineAction::ShowHelp:
        std::fputs(GetUsageText(GetProgramName(arguments)).c_str(), stdout);
        return 0;
    case eCommandLineAction::ShowVersion:
        std::printf("Zeltra %s\n", kVersion);
        return 0;
    case eCommandLineAction::Fail:
        std::fprintf(stderr, "%s\n", commandLine.error.c_str());
        return 1;
    case eCommandLineAction::Run:
        break;
    }

    try
    {
        StartUp(argc, argv);
        if (!m_loop.IsQuitRequested())
            m_loop.Run(*this);
    }
    catch (...)
    {
        // Whatever went wrong, the player's settings and progress are kept
        // and every subsystem is taken down in order before the error is
        // shown.
        ShutDown();
        throw;
    }
    ShutDown();
    if (m_saveError)
        throw *m_saveError;
    return 0;
}

void cGameApplication::StartUp(int argc, char** argv)
{
    InstallQuitSignals();

    m_userFileSystem = cFileSystemManager::Get().CreateFileSystem(0);
    PrepareUserFolders(*m_userFileSystem);
    cLog::Get().AddLogFile(*m_userFileSystem, kLogPath);
    m_logAttached = true;

    Log("--- Starting game ---\n");
    Log(std::string("Version: Zeltra ") + kVersion + "\n");
    Delay(std::vector<std::string>(argv, argv + argc));

    m_options.Read(*m_userFileSystem);
    m_optionsRead = true;
    m_progressLoaded = m_progress.Load(*m_userFileSystem);
    m_progressRead = true;

    CreateDisplay();
    CreateInput();
    CreateSound();

    m_gui = std::make_unique<cGUI>(m_display.get(), m_renderDevice.get(), m_input.get());
    m_gui->SetTimeStepClamp(true, 0.0f, kMaxTimeStep);

    LoadResources();

    ApplySoundOptions();

    m_gui->SetFixedTimeStep(true, 0.0f);
    CoreUpdate();
    m_gui->SetFixedTimeStep(false, 0.0f);

    RunIntro();

    if (auto* cursor = dynamic_cast<cSpriteResource*>(cResManager::Get().Find("SprMouse")))
        m_gui->SetCursorSprite(cursor->GetSprite());

    // The four screens (menu, level selector, game, editor) are created here
    // in this order and register themselves with SetScreen; a screen that is
    // not registered is simply not shown.
    cMenu::Get();
    cLevelSelector::Get();
    cGame::Get();
    cEditor::Get();

    m_loop.ShowFirstScreen(eScreen::Menu, *this);
    m_gui->SetFixedTimeStep(true, 0.0f);
    CoreUpdate();
    m_gui->SetFixedTimeStep(false, 0.0f);
}

void cGameApplication::Delay(const std::vector<std::string>& arguments)
{
    const int delay = ParseInitDelay(arguments);
    if (delay < 1)
        return;
    Log("Delaying for " + std::to_string(delay) + "ms... ");
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    Log("Done\n");
}

void cGameApplication::CreateDisplay()
{
    cDisplayMode mode;
    mode.width = kScreenWidth;
    mode.height = kScreenHeight;
    mode.bitDepth = m_options.GetBitDepth();
    mode.fullScreen = m_options.IsFullScreen();
    // The core found no desktop to measure: say what is missing, rather
    // than that a window failed or, worse, open one nobody can see.
    if (cCore::Get().GetDesktopWidth() <= 0)
        KORVA_THROW(cException, "No display found: Zeltra needs a graphical desktop (X11 or "
                                "Wayland; is DISPLAY set?).");
    m_display = std::make_unique<cDisplaySDL>();
    // The size the player left the window at, if it still fits this
    // desktop; else the largest whole multiple of 800 x 600 that does.
    m_display->SetWindowedSize(cPoint(m_options.GetWindowWidth(), m_options.GetWindowHeight()));
    m_display->Create(mode, true);
    m_display->AddListener(this);

    m_renderSystem = std::make_unique<cRenderSystemGL>();
    m_renderDevice = m_renderSystem->CreateRenderDevice(*m_display);
    m_renderDevice->AddListener(this);
    for (int i = 0; i < 3; ++i)
    {
        m_renderDevice->Clear(cColor(0, 0, 0, 255));
        m_renderDevice->Present();
    }
}

void cGameApplication::CreateInput()
{
    m_input = std::make_unique<cInputDeviceSDL>(m_display.get());
    m_input->AddListener(this);
}

void cGameApplication::CreateSound()
{
    cSoundSystem::Get().AddLoader(std::make_unique<cSoundLoaderWav>());
    cSoundSystem::Get().AddLoader(std::make_unique<cSoundLoaderOgg>());

    m_mixer = std::make_unique<cSoundMixerQuick>();
    m_mixer->SetFrequency(44100);
    m_soundDevice = std::make_unique<cSoundDeviceSDL>();
    try
    {
        m_soundDevice->Init(kSampleFormat16, 44100, 2, m_mixer.get());
        m_soundDevice->Start();
        m_soundRunning = true;
    }
    catch (const cException&)
    {
        cLog::Get().Write(3, "Couldn't initialize the sound system.\nRunning without sound.\n");
    }
}

void cGameApplication::LoadResources()
{
    cResManager& manager = cResManager::Get();
    // The engine's handler for images, sprites and sounds comes first, then
    // the game's for campaigns and levels.
    manager.AddTypeHandler(std::make_unique<cBuiltInResourceHandler>());
    manager.AddTypeHandler(std::make_unique<cGameResourceHandler>());
    for (const char* list :
         {"/Resources/Images.res", "/Resources/Sprites.res", "/Resources/Sounds.res",
          "/Resources/Campaigns.res", "/Resources/Levels.res"})
        manager.LoadList(list);
}

bool cGameApplication::LoadResource(cResource& resource, double& totalMs)
{
    Log("Loading " + resource.GetAlias() + "... ");
    const double start = cCore::Get().GetTime();
    try
    {
        resource.Load();
    }
    catch (const cException&)
    {
        // A broken or missing file: the game goes on without it.
        Log("Failed\n");
        return false;
    }
    const auto ms = static_cast<int64_t>((cCore::Get().GetTime() - start) * 1000.0);
    totalMs += static_cast<double>(ms);
    Log("Done (" + std::to_string(ms) + "ms)\n");
    return true;
}

std::unique_ptr<cImage> cGameApplication::LoadLoadingImage()
{
    try
    {
        return std::make_unique<cImage>(kLoadingImage);
    }
    catch (const cException&)
    {
        // Logged; the progress bar is drawn without its caption.
        return nullptr;
    }
}

void cGameApplication::DrawLoadingOverlay(int32_t alpha, float progress)
{
    if (!m_renderDevice)
        return;
    m_renderDevice->FillRect(cRect(0, 567, kScreenWidth, 3), cColor(0, 0, 0, alpha));
    m_renderDevice->FillRect(cRect(0, 568, kScreenWidth, 1), cColor(255, 255, 255, alpha));
    const auto width = static_cast<int32_t>(static_cast<float>(kScreenWidth) * progress);
    if (width > 0)
        m_renderDevice->FillRect(cRect(0, 570, width, 30), cColor(85, 90, 95, alpha));
}

void cGameApplication::DrawShutter(const cScreenTransition& shutter)
{
    if (!m_renderDevice)
        return;
    for (const auto& band : shutter.GetBands())
        m_renderDevice->FillRect(cRect(0, band.y, kScreenWidth, band.height), cColor(0, 0, 0, 255));
}

void cGameApplication::RunIntro()
{
    Log("--- Starting intro ---\n");
    m_loop.SetLoading(true);
    cResManager& manager = cResManager::Get();
    const int32_t counted = manager.CountAtLevel(0);

    // The intro screen (the animated logo) becomes the GUI's content once
    // everything is loaded; until then the loading bar shows on the empty
    // root.
    cIntro intro(*m_gui);
    std::unique_ptr<cImage> image = LoadLoadingImage();
    cScreenTransition& shutter = m_loop.GetShutter();
    shutter.StartOpening();

    enum class ePhase
    {
        Opening,
        Loading,
        Starting,
        Running
    };
    ePhase phase = ePhase::Opening;
    int32_t next = 0;
    int32_t loaded = 0;
    double totalMs = 0.0;
    float fade = 1.0f;
    double previous = cCore::Get().GetTime();

    while (!m_loop.IsQuitNow())
    {
        // The intro's own clock: the GUI does not update before the intro
        // screen starts.
        const double now = cCore::Get().GetTime();
        const float dt = std::clamp(static_cast<float>(now - previous), 0.0f, kMaxTimeStep);
        previous = now;

        if (phase == ePhase::Opening)
        {
            shutter.Update(dt);
            if (shutter.IsDone())
                phase = ePhase::Loading;
        }
        else if (phase == ePhase::Loading)
        {
            // One resource per pass keeps the bar and the window alive. A
            // quit request skips the rest.
            if (next < manager.GetCount() && !m_loop.IsQuitRequested())
            {
                cResource* resource = manager.GetResource(next++);
                if (resource->GetLevel() == 0)
                {
                    LoadResource(*resource, totalMs);
                    ++loaded;
                }
            }
            else
            {
                Log("Total load time: " + std::to_string(static_cast<int64_t>(totalMs)) + "ms\n");
                phase = ePhase::Starting;
            }
        }
        else if (phase == ePhase::Starting)
        {
            if (m_loop.IsActive() || m_loop.IsQuitRequested())
            {
                m_loop.SetLoading(false);
                m_gui->SetUpdateEnabled(true);
                m_gui->GetRoot().AddChild(cPoint(0, 0), &intro);
                intro.Start();
                phase = ePhase::Running;
            }
        }
        else
        {
            shutter.Update(dt);
            fade = std::max(0.0f, fade - 2.0f * dt);
            const bool finished = intro.IsFinished();
            if (!shutter.IsClosing() && (finished || m_loop.IsQuitRequested()))
                shutter.StartClosing();
            else if (shutter.IsClosing() && shutter.IsDone())
                break;
        }

        if (m_loop.IsActive() && m_renderDevice)
        {
            m_renderDevice->Clear(cColor(0, 0, 0, 255));
            m_gui->Draw();
            if (fade > 0.0f)
            {
                const auto alpha = static_cast<int32_t>(255.0f * fade);
                DrawLoadingOverlay(alpha, counted > 0 ? static_cast<float>(loaded) /
                                                            static_cast<float>(counted)
                                                      : 1.0f);
                if (image)
                    image->DrawImage(cRect(400 - image->GetWidth() / 2, 580, image->GetWidth(),
                                           image->GetHeight()),
                                     cRect(0, 0, image->GetWidth(), image->GetHeight()), alpha);
            }
            DrawShutter(shutter);
            m_renderDevice->Present();
        }
        CoreUpdate();
    }

    if (intro.GetParent())
        m_gui->GetRoot().RemoveChild(&intro);
    image.reset();
    m_loop.SetLoaderPending(false);
    m_loop.SetLoading(false);
}

void cGameApplication::RunLoader()
{
    Log("--- Starting loader ---\n");
    cResManager& manager = cResManager::Get();
    const int32_t counted = manager.CountAtLevel(0);
    std::unique_ptr<cImage> image = LoadLoadingImage();
    const eScreen active = m_loop.GetActiveScreen();
    cScreen* screen = GetScreen(active);
    if (screen && m_gui)
        m_gui->GetRoot().RemoveChild(&screen->GetScreenWidget());
    if (m_gui)
        m_gui->SetFixedTimeStep(true, 0.0f);

    int32_t loaded = 0;
    double totalMs = 0.0;
    for (int32_t next = 0; loaded < counted && next < manager.GetCount(); ++next)
    {
        cResource* resource = manager.GetResource(next);
        if (resource->GetLevel() != 0)
            continue;
        LoadResource(*resource, totalMs);
        ++loaded;
        if (m_renderDevice)
        {
            m_renderDevice->Clear(cColor(0, 0, 0, 255));
            DrawLoadingOverlay(255, static_cast<float>(loaded) / static_cast<float>(counted));
            if (image)
                image->DrawImage(
                    cRect(400 - image->GetWidth() / 2, 580, image->GetWidth(), image->GetHeight()),
                    cRect(0, 0, image->GetWidth(), image->GetHeight()), 255);
            m_renderDevice->Present();
        }
        CoreUpdate();
    }
    Log("Total load time: " + std::to_string(static_cast<int64_t>(totalMs)) + "ms\n");

    if (m_gui)
    {
        m_gui->SetFixedTimeStep(false, 0.0f);
        if (screen)
            m_gui->GetRoot().AddChild(cPoint(0, 0), &screen->GetScreenWidget());
    }
}

void cGameApplication::ShutDown()
{
    // The window's size goes into the options when the player chose one;
    // the default size is worked out again at the next start.
    if (m_display)
    {
        const cPoint size = m_display->GetWindowedSize();
        if (size == m_display->GetDefaultWindowedSize())
            m_options.SetWindowSize(0, 0);
        else
            m_options.SetWindowSize(size.x, size.y);
    }
    SaveFilesAtExit();

    // Screens leave the GUI before anything they use goes away; they are
    // destroyed (editor, game, level selector, menu) by their owners.
    const eScreen active = m_loop.GetActiveScreen();
    if (cScreen* screen = GetScreen(active); screen && m_gui)
        m_gui->GetRoot().RemoveChild(&screen->GetScreenWidget());
    m_screens.fill(nullptr);
    cEditor::Destroy();
    cGame::Destroy();
    cLevelSelector::Destroy();
    cMenu::Destroy();
    cSoundPlayer::Destroy();

    // Resources first: images give their textures back to a device that
    // still exists.
    if (cResManager* manager = cResManager::GetIfExists())
        manager->ReleaseAll();

    m_gui.reset();
    if (m_soundDevice && m_soundRunning)
        m_soundDevice->Stop();
    m_soundRunning = false;
    m_soundDevice.reset();
    m_mixer.reset();
    if (m_input)
        m_input->RemoveListener(this);
    m_input.reset();
    if (m_renderDevice)
        m_renderDevice->RemoveListener(this);
    m_renderDevice.reset();
    m_renderSystem.reset();
    if (m_display)
        m_display->RemoveListener(this);
    m_display.reset();

    if (m_logAttached && m_userFileSystem)
        cLog::Get().RemoveLogFile(*m_userFileSystem, kLogPath);
    m_logAttached = false;
    if (m_userFileSystem)
        cFileSystemManager::Get().RemoveFileSystem(m_userFileSystem);
    m_userFileSystem = nullptr;
}

void cGameApplication::SaveFilesAtExit()
{
    if (!m_userFileSystem)
        return;
    if (m_optionsRead)
    {
        try
        {
            m_options.Write(*m_userFileSystem);
        }
        catch (const cException& e)
        {
            if (!m_saveError)
                m_saveError = e;
        }
    }
    // A progress file that exists but could not be read is left alone unless
    // the player made new progress: a read error must not cost the old file.
    if (m_progressRead &&
        (m_progressLoaded || m_progressChanged || !m_userFileSystem->Exists(cProgress::kPath)))
    {
        try
        {
            m_progress.Save(*m_userFileSystem);
        }
        catch (const cException& e)
        {
            if (!m_saveError)
                m_saveError = e;
        }
    }
}

bool cGameApplication::SaveProgress()
{
    if (!m_userFileSystem)
        return false;
    try
    {
        m_progress.Save(*m_userFileSystem);
        return true;
    }
    catch (const cException&)
    {
        // The exception has logged the file and the reason.
        return false;
    }
}

bool cGameApplication::MarkLevelCompleted(const std::string& alias)
{
    m_progress.Add(alias);
    m_progressChanged = true;
    return SaveProgress();
}

bool cGameApplication::ResetProgress()
{
    m_progress.Clear();
    m_progressChanged = true;
    return SaveProgress();
}

void cGameApplication::RequestUserLevel(const std::string& name)
{
    // Only a plain file name of the folder: nothing outside it is opened.
    if (name.empty() || name.find_first_of("/\\") != std::string::npos || name == "." ||
        name == "..")
        KORVA_THROW(cException, "Invalid level file name: '" + name + "'.");
    if (!m_userFileSystem)
        KORVA_THROW(cException, "There is no user folder to play levels from.");
    cGame::Get().StartFromFile(*m_userFileSystem, std::string(kUserLevelsFolder) + "/" + name);
    RequestScreen(eScreen::Game);
}

void cGameApplication::SetScreen(eScreen screen, cScreen* object)
{
    if (screen != eScreen::None)
        m_screens[ScreenIndex(screen)] = object;
}

void cGameApplication::RequestEditor()
{
    if (cEditor* editor = cEditor::GetIfExists())
        editor->NewLevel();
    RequestScreen(eScreen::Editor);
}

void cGameApplication::RequestTestPlay(const cLevel& level)
{
    if (cGame* game = cGame::GetIfExists())
    {
        game->StartEditorTest(level);
        RequestScreen(eScreen::Game);
    }
}

cScreen* cGameApplication::GetScreen(eScreen screen) const
{
    return screen == eScreen::None ? nullptr : m_screens[ScreenIndex(screen)];
}

cDisplay* cGameApplication::GetDisplay() const
{
    return m_display.get();
}

void cGameApplication::SetDisplayMode(bool fullScreen, int32_t bitDepth)
{
    bitDepth = bitDepth == 16 ? 16 : 32;
    if (fullScreen == m_options.IsFullScreen() && bitDepth == m_options.GetBitDepth())
        return;
    PauseSound();
    m_options.SetFullScreen(fullScreen);
    m_options.SetBitDepth(bitDepth);
    if (m_display)
    {
        cDisplayMode mode = m_display->GetMode();
        mode.width = kScreenWidth;
        mode.height = kScreenHeight;
        mode.bitDepth = bitDepth;
        mode.fullScreen = fullScreen;
        m_display->Reset(mode, true);
        cCore::Get().Update();
    }
    ResumeSound();
}

void cGameApplication::OpenHomepage()
{
    if (m_options.IsFullScreen())
        SetDisplayMode(false, m_options.GetBitDepth());
    cCore::Get().OpenURL(Homepage::ReadAddress(cFileSystemManager::Get().GetDefault()));
}

void cGameApplication::OnEvent(const cEvent& event)
{
    if (event.GetType() == kEventQuitRequest)
        RequestQuit();
}

void cGameApplication::OnDisplayEvent(const cEvent& event)
{
    switch (event.GetType())
    {
    case kDisplayEventClose:
        cCore::Get().PostEvent(cEvent(kEventQuitRequest));
        break;
    case kDisplayEventFocusLost:
        m_loop.OnFocusLost(*this);
        break;
    case kDisplayEventFocusGained:
        m_loop.OnFocusGained(*this);
        break;
    case kDisplayEventPaint:
        m_loop.OnRepaint(*this);
        break;
    default:
        break;
    }
}

void cGameApplication::OnDeviceEvent(const cEvent& event)
{
    if (event.GetType() == kDeviceEventRestored)
        m_loop.OnDeviceRestored();
}

void cGameApplication::OnInputEvent(const cInputEvent& event)
{
    if (event.GetClass() != kInputClassKeyboard || event.GetKind() != kKeyPressed || !m_input)
        return;
    // Alt+Enter toggles full screen.
    const cKeyboardEvent& key = AsKeyboardEvent(event);
    if (key.GetKey() == kKeyEnter &&
        (m_input->IsKeyDown(kKeyLeftAlt) || m_input->IsKeyDown(kKeyRightAlt)))
        SetDisplayMode(!m_options.IsFullScreen(), m_options.GetBitDepth());
}

float cGameApplication::GetFrameTime()
{
    return m_gui ? m_gui->GetLastTimeStep() : 0.0f;
}

void cGameApplication::BeginFrame()
{
    cSoundPlayer::Get().ClearFrameFlags();
}

void cGameApplication::ApplySoundOptions()
{
    cSoundPlayer& player = cSoundPlayer::Get();
    player.SetMusicEnabled(m_options.IsMusicEnabled());
    player.SetSoundEnabled(m_options.IsSoundEnabled());
    player.SetMusicVolume(static_cast<float>(m_options.GetMusicVolume()) * 0.125f);
    player.SetSoundVolume(static_cast<float>(m_options.GetSoundVolume()) * 0.125f);
}

void cGameApplication::ActivateScreen(eScreen screen)
{
    cScreen* object = GetScreen(screen);
    if (!object || !m_gui)
        return;
    m_gui->GetRoot().AddChild(cPoint(0, 0), &object->GetScreenWidget());
    object->Activate();
}

void cGameApplication::DeactivateScreen(eScreen screen)
{
    cScreen* object = GetScreen(screen);
    if (!object || !m_gui)
        return;
    object->Deactivate();
    m_gui->GetRoot().RemoveChild(&object->GetScreenWidget());
}

void cGameApplication::DrawFrame(const cScreenTransition* shutter)
{
    if (!m_renderDevice || !m_gui)
        return;
    m_gui->Draw();
    if (shutter)
        DrawShutter(*shutter);
    m_renderDevice->Present();
}

void cGameApplication::SetGuiUpdates(bool enabled)
{
    if (m_gui)
        m_gui->SetUpdateEnabled(enabled);
}

void cGameApplication::PauseSound()
{
    cSoundPlayer::Get().PauseAll();
}

void cGameApplication::ResumeSound()
{
    cSoundPlayer::Get().ResumeAll();
}

void cGameApplication::CoreUpdate()
{
    cCore::Get().Update();
    if (g_quitSignal && !m_signalHandled)
    {
        m_signalHandled = true;
        Log("Quit signal received.\n");
        RequestQuit();
    }
}

void cGameApplication::Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
