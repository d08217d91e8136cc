// The scaled window on X servers of other sizes: the game screen plays a
// campaign level, and a real pointer click (XTEST, so the X server, SDL,
// the input device and its mapping all take part) on the first move's cell
// must make the same move at 1600 x 1200 (a 2x window) and at 1920 x 1080
// (full screen, 1.8x between bars) as in an 800 x 600 window.
//
// Each run needs an X server of its own size, and SDL keeps one X
// connection per process: the test starts Xvfb and runs itself again with
// DISPLAY pointing there and only the child case selected.
// ZELTRA_SCREENSHOTS=<folder> saves the whole X screen of each scaled run.
#ifdef ZELTRA_HAVE_XTEST

#include "game/Game/Screen/ScreenFixture.h"

#include "engine/Display/ImageWriter.h"
#include "engine/Display/PixelBuffer.h"
#include "engine/Display/SpriteResource.h"
#include "game/Game/Campaign.h"
#include "game/Game/CampaignResource.h"
#include "game/Game/Solver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
using namespace Korva;
using namespace ScreenTest;
namespace fs = std::filesystem;

constexpr const char* kResultVariable = "ZELTRA_SCALED_RESULT";
constexpr const char* kFullScreenVariable = "ZELTRA_SCALED_FULLSCREEN";
constexpr const char* kShotVariable = "ZELTRA_SCALED_SHOT";

// --- the child: one click in a window on the X server in DISPLAY ---

class cScaledRun
{
public:
    explicit cScaledRun(bool fullScreen)
    {
        host.options.SetFullScreen(fullScreen);
        display = std::make_unique<cDisplaySDL>();
        cDisplayMode mode;
        mode.fullScreen = fullScreen;
        display->Create(mode, true);
        cRenderSystemGL system;
        device = system.CreateRenderDevice(*display);
        input = std::make_unique<cInputDeviceSDL>(display.get());
        programFolder = std::make_unique<cFileSystemPOSIX>(ZELTRA_TEST_PROGRAM_DIR);
        cFileSystemManager::Get().SetCurrent(*programFolder);
        cResManager& manager = cResManager::Get();
        manager.AddTypeHandler(std::make_unique<cBuiltInResourceHandler>());
        manager.AddTypeHandler(std::make_unique<cGameResourceHandler>());
        for (const char* list : {"Images", "Sprites", "Sounds", "Campaigns", "Levels"})
            manager.LoadList(std::string("/Resources/") + list + ".res");
        gui = std::make_unique<cGUI>(display.get(), device.get(), input.get());
        gui->SetUpdateEnabled(false);
        if (auto* cursor = dynamic_cast<cSpriteResource*>(manager.Find("SprMouse")))
            gui->SetCursorSprite(cursor->GetSprite());
        game = std::make_unique<cGame>(*gui, host);
        game->SetSoundListener(&sounds);
        game->GetRandom().Seed(7);
        gui->GetRoot().AddChild(cPoint(0, 0), game.get());
        game->Activate();
    }
    ~cScaledRun()
    {
        gui->GetRoot().RemoveChild(game.get());
        game.reset();
        gui.reset();
        input.reset();
        cResManager::Get().ReleaseAll();
        cResManager::Destroy();
        cFileSystemManager::Get().SetCurrent(cFileSystemManager::Get().GetDefault());
        programFolder.reset();
        device.reset();
        display.reset();
    }

    void Frame()
    {
        cCore::Get().Update();
        gui->Update(1.0f / 60.0f);
        device->Clear(cColor(0, 0, 0));
        gui->Draw();
        device->Present();
    }
    bool RunToRest()
    {
        for (int i = 0; i < 600; ++i)
        {
            Frame();
            if (game->GetPuzzle().IsSettled())
                return true;
        }
        return false;
    }
    void Key(SDL_Keycode sym, SDL_Scancode scancode)
    {
        for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP})
        {
            SDL_Event e{};
            e.type = type;
            e.key.keysym.sym = sym;
            e.key.keysym.scancode = scancode;
            SDL_PushEvent(&e);
            Frame();
        }
    }

    cTempFolder folder{"scaled"};
    cTestHost host{folder};
    cSoundLog sounds;
    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDeviceGL> device;
    std::unique_ptr<cInputDeviceSDL> input;
    std::unique_ptr<cFileSystemPOSIX> programFolder;
    std::unique_ptr<cGUI> gui;
    std::unique_ptr<cGame> game;
};

// The whole X screen as a picture.
bool GrabScreen(::Display* x, cPixelBuffer& picture)
{
    const Window root = DefaultRootWindow(x);
    XWindowAttributes attributes{};
    XGetWindowAttributes(x, root, &attributes);
    XImage* image = XGetImage(x, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    picture.Resize(attributes.width, attributes.height);
    for (int y = 0; y < attributes.height; ++y)
        for (int x0 = 0; x0 < attributes.width; ++x0)
        {
            const unsigned long pixel = XGetPixel(image, x0, y);
            picture.SetPixel(x0, y, static_cast<uint8_t>((pixel >> 16) & 0xFF),
                             static_cast<uint8_t>((pixel >> 8) & 0xFF),
                             static_cast<uint8_t>(pixel & 0xFF), 255);
        }
    XDestroyImage(image);
    return true;
}

TEST(ScaledWindowChild, OneClickOnTheFirstMovesCell)
{
    const char* resultPath = std::getenv(kResultVariable);
    if (!resultPath)
        GTEST_SKIP() << "started by ScaledWindow.* on an X server of its own";
    const char* fullScreenText = std::getenv(kFullScreenVariable);
    const bool fullScreen = fullScreenText && std::string(fullScreenText) == "1";
    ::Display* x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    ASSERT_TRUE(XTestQueryExtension(x, &eventBase, &errorBase, &major, &minor));

    cScaledRun run(fullScreen);
    auto* campaignResource = dynamic_cast<cCampaignResource*>(cResManager::Get().Find("CmpZeltra"));
    ASSERT_NE(campaignResource, nullptr);
    ASSERT_TRUE(run.game->StartCampaignLevel(*campaignResource->GetCampaign(), 0));
    cSolver::sOptions options;
    options.maxSeconds = 20.0;
    const cSolver::sResult solution = cSolver::Solve(run.game->GetPuzzle().GetLevel(), options);
    ASSERT_TRUE(solution.solved);
    ASSERT_FALSE(solution.moves.empty());
    const cMove move = solution.moves.front();
    ASSERT_FALSE(move.item) << "the first move of the first level puts a piece";

    run.Key(SDLK_RETURN, SDL_SCANCODE_RETURN); // closes the level info
    ASSERT_EQ(run.game->GetPopup(), cGame::kPopupNone);
    ASSERT_TRUE(run.RunToRest());
    cPiecePanel& panel = run.game->GetPuzzle().GetPiecePanel();
    const int wanted = (move.rotation + panel.GetStartTurn(panel.GetCurrentIndex())) % 6;
    for (int turn = 0; panel.GetRotation() != wanted && turn < 6; ++turn)
        run.Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
    ASSERT_EQ(panel.GetRotation(), wanted);
    // Let a switch to full screen settle before measuring the window.
    for (int i = 0; i < 30; ++i)
        run.Frame();

    int32_t cx = 0, cy = 0;
    run.game->GetPuzzle().GetBoard().CellCentre(move.x, move.y, cx, cy);
    const cPoint target(run.game->GetOriginX() + cx, run.game->GetOriginY() + cy);
    // The window pixel in the middle of the target pixel, worked out here
    // rather than by the mapping under test.
    const cPoint size = run.display->GetWindowSize();
    const cRect frame = run.display->GetLetterbox().GetFrame();
    const cPoint inWindow(frame.x + (2 * target.x + 1) * frame.width / (2 * 800),
                          frame.y + (2 * target.y + 1) * frame.height / (2 * 600));
    int windowX = 0, windowY = 0;
    SDL_GetWindowPosition(run.display->GetWindow(), &windowX, &windowY);

    XTestFakeMotionEvent(x, -1, windowX + inWindow.x, windowY + inWindow.y, CurrentTime);
    XFlush(x);
    for (int i = 0; i < 200 && run.gui->GetMousePosition() != target; ++i)
    {
        SDL_Delay(5);
        run.Frame();
    }
    const cPoint pointer = run.gui->GetMousePosition();
    // The picture shows the piece's preview under the pointer, before the click.
    if (const char* shot = std::getenv(kShotVariable); shot && *shot)
    {
        run.Frame();
        run.Frame();
        XSync(x, False);
        cPixelBuffer picture;
        ASSERT_TRUE(GrabScreen(x, picture));
        SaveImage(picture, shot);
    }
    const size_t before = run.game->GetPuzzle().GetHistorySize();
    XTestFakeButtonEvent(x, 1, True, CurrentTime);
    XTestFakeButtonEvent(x, 1, False, CurrentTime);
    XFlush(x);
    for (int i = 0; i < 200 && run.game->GetPuzzle().GetHistorySize() == before; ++i)
    {
        SDL_Delay(5);
        run.Frame();
    }
    ASSERT_TRUE(run.RunToRest());

    std::ostringstream board;
    const cBoard& cells = run.game->GetPuzzle().GetBoard();
    for (int y = 0; y < cells.GetHeight(); ++y)
        for (int x0 = 0; x0 < cells.GetWidth(); ++x0)
            board << cells.GetBrickCode(x0, y) << (x0 + 1 < cells.GetWidth() ? "," : ";");
    std::ofstream result(resultPath);
    result << "window " << size.x << "x" << size.y << "\n"
           << "frame " << frame.x << " " << frame.y << " " << frame.width << " " << frame.height
           << "\n"
           << "pointer " << pointer.x << " " << pointer.y << "\n"
           << "target " << target.x << " " << target.y << "\n"
           << "history " << run.game->GetPuzzle().GetHistorySize() - before << "\n"
           << "board " << board.str() << "\n";

    XCloseDisplay(x);
}

// --- the parent: an X server per size, the child on it ---

struct cXServer
{
    pid_t pid = 0;
    int number = 0;
};

pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& variables)
{
    std::vector<std::string> strings = arguments;
    std::vector<char*> argv;
    for (std::string& argument : strings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = variables;
    for (char** e = environ; *e; ++e)
    {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const std::string& v : variables)
            replaced = replaced || v.substr(0, v.find('=')) == name;
        if (!replaced)
            environment.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return 0;
    return pid;
}

// Waits for the process; false (and the process killed) after `seconds`.
bool Wait(pid_t pid, int seconds, int& status)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end)
    {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return false;
}

cXServer StartXServer(const std::string& screen)
{
    for (int number = 70 + static_cast<int>(::getpid() % 50); number < 400; ++number)
    {
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
        if (fs::exists(socket) || fs::exists(lock))
            continue;
        const pid_t pid = Spawn({"Xvfb", ":" + std::to_string(number), "-screen", "0",
                                 screen + "x24", "-nolisten", "tcp"},
                                {});
        if (pid == 0)
            return {};
        for (int i = 0; i < 500; ++i)
        {
            if (fs::exists(socket))
                return {pid, number};
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid)
                break; // taken meanwhile: try the next number
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (::waitpid(pid, nullptr, WNOHANG) == 0)
        {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
            return {};
        }
    }
    return {};
}

std::map<std::string, std::string> RunChild(const std::string& screen, bool fullScreen,
                                            const std::string& shot)
{
    const cXServer server = StartXServer(screen);
    EXPECT_NE(server.pid, 0) << "no X server at " << screen;
    if (server.pid == 0)
        return {};
    cTempFolder folder("scaled_parent");
    const std::string resultPath = folder.File("result.txt");
    const pid_t child = Spawn({fs::read_symlink("/proc/self/exe").string(),
                               "--gtest_filter=ScaledWindowChild.OneClickOnTheFirstMovesCell"},
                              {"DISPLAY=:" + std::to_string(server.number),
                               std::string(kResultVariable) + "=" + resultPath,
                               std::string(kFullScreenVariable) + "=" + (fullScreen ? "1" : "0"),
                               std::string(kShotVariable) + "=" + shot});
    int status = 0;
    const bool ended = child != 0 && Wait(child, 120, status);
    ::kill(server.pid, SIGTERM);
    int serverStatus = 0;
    Wait(server.pid, 10, serverStatus);
    EXPECT_TRUE(ended) << screen << ": the run did not end";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << screen << ": the run failed";

    std::map<std::string, std::string> values;
    std::ifstream result(resultPath);
    std::string line;
    while (std::getline(result, line))
    {
        const size_t space = line.find(' ');
        if (space != std::string::npos)
            values[line.substr(0, space)] = line.substr(space + 1);
    }
    return values;
}

bool HaveXvfb()
{
    for (const char* folder : {"/usr/bin", "/usr/local/bin", "/bin"})
        if (fs::exists(fs::path(folder) / "Xvfb"))
            return true;
    return false;
}

TEST(ScaledWindow, AClickOnACellMakesTheSameMoveAt2xAndInFullHdFullScreen)
{
    if (!HaveXvfb())
        GTEST_SKIP() << "Xvfb is not installed";
    const char* shots = std::getenv("ZELTRA_SCREENSHOTS");
    auto shotPath = [&](const std::string& name)
    { return shots ? (fs::path(shots) / name).string() : std::string(); };

    auto reference = RunChild("800x600", false, "");
    ASSERT_EQ(reference["window"], "800x600");
    EXPECT_EQ(reference["frame"], "0 0 800 600");
    EXPECT_EQ(reference["history"], "1") << "the click made one move";
    EXPECT_EQ(reference["pointer"], reference["target"]);
    ASSERT_FALSE(reference["board"].empty());

    // 1600 x 1200 fits a 2x window exactly; pixels are doubled.
    auto doubled = RunChild("1600x1200", false, shotPath("scaled-1600x1200.png"));
    EXPECT_EQ(doubled["window"], "1600x1200");
    EXPECT_EQ(doubled["frame"], "0 0 1600 1200");
    EXPECT_EQ(doubled["pointer"], reference["pointer"]);
    EXPECT_EQ(doubled["history"], "1");
    EXPECT_EQ(doubled["board"], reference["board"]);

    // Full HD fits only a 1x window; full screen shows the frame 1.8x
    // between black bars, in the desktop's own mode.
    auto wide = RunChild("1920x1080", true, shotPath("scaled-1920x1080.png"));
    EXPECT_EQ(wide["window"], "1920x1080");
    EXPECT_EQ(wide["frame"], "240 0 1440 1080");
    EXPECT_EQ(wide["pointer"], reference["pointer"]);
    EXPECT_EQ(wide["history"], "1");
    EXPECT_EQ(wide["board"], reference["board"]);
}

} // namespace

#endif // ZELTRA_HAVE_XTEST
