#include "XDriver.h"

#include "engine/Display/ImageWriter.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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
using tClock = std::chrono::steady_clock;

Display* X(void* display)
{
    return static_cast<Display*>(display);
}

// The game's window may go away between our look-ups (it closes, or its
// full-screen switch recreates it); such a request fails quietly instead of
// ending the test run.
int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

tClock::time_point Deadline(double seconds)
{
    return tClock::now() + std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000.0));
}

unsigned long PidOf(Display* display, Window window)
{
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None)
        return 0;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    unsigned long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) == Success &&
        data)
    {
        if (type == XA_CARDINAL && format == 32 && count == 1)
            pid = *reinterpret_cast<unsigned long*>(data);
        XFree(data);
    }
    return pid;
}

// Depth-first search for a viewable window carrying the process id.
Window FindByPid(Display* display, Window parent, unsigned long pid)
{
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = count; i-- > 0 && !found;)
    {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        if (PidOf(display, children[i]) == pid)
            found = children[i];
        else
            found = FindByPid(display, children[i], pid);
    }
    if (children)
        XFree(children);
    return found;
}
} // namespace

cXDriver::cXDriver() = default;

cXDriver::~cXDriver()
{
    Stop();
    if (m_display)
        XCloseDisplay(X(m_display));
}

bool cXDriver::Connect(std::string& error)
{
    if (m_display)
        return true;
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
    {
        error = "DISPLAY is not set (run under xvfb-run)";
        return false;
    }
    // The server of a fresh xvfb-run may still be starting.
    const auto deadline = Deadline(10.0);
    while (!(m_display = XOpenDisplay(name)) && tClock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    if (!m_display)
    {
        error = std::string("cannot open X display ") + name;
        return false;
    }
    XSetErrorHandler(IgnoreXErrors);
    // Requests to the window manager are client messages to the root window.
    XSelectInput(X(m_display), DefaultRootWindow(X(m_display)), SubstructureNotifyMask);
    int event = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(X(m_display), &event, &errorBase, &major, &minor))
    {
        error = "the X server has no XTEST extension";
        return false;
    }
    return true;
}

bool cXDriver::Start(const std::string& executable, const std::string& dataHome,
                     const std::string& outputFile, std::string& error,
                     const std::vector<std::pair<std::string, std::string>>& environment,
                     const std::vector<std::string>& arguments, double windowTimeout)
{
    if (!Connect(error))
        return false;
    Stop();
    m_dataHome = dataHome;
    m_window = 0;

    // The child's environment: ours with the chosen per-user folder and
    // silent audio, plus the caller's additions.
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry)
    {
        const std::string text = *entry;
        const size_t equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    variables["XDG_DATA_HOME"] = dataHome;
    variables["SDL_AUDIODRIVER"] = "dummy";
    for (const auto& [key, value] : environment)
        variables[key] = value;
    std::vector<std::string> envText;
    for (const auto& [key, value] : variables)
        envText.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (auto& text : envText)
        envp.push_back(text.data());
    envp.push_back(nullptr);

    std::vector<std::string> argText = {executable};
    argText.insert(argText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& text : argText)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int spawned =
        posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
    {
        error = "cannot start " + executable + ": " + std::strerror(spawned);
        return false;
    }
    m_pid = pid;

    const auto deadline = Deadline(windowTimeout);
    while (tClock::now() < deadline)
    {
        if (!IsRunning())
        {
            error = "the game ended before showing its window (output in " + outputFile + ")";
            return false;
        }
        PumpEvents();
        m_window = FindWindow();
        if (m_window)
        {
            if (HasFullScreenState(m_window))
                SetFullScreen(m_window, true);
            Focus();
            return true;
        }
        Sleep(0.1);
    }
    error = "no window of the game appeared within " + std::to_string(windowTimeout) + " s";
    return false;
}

bool cXDriver::IsRunning()
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == m_pid || (done < 0 && errno == ECHILD))
    {
        m_pid = -1;
        return false;
    }
    return true;
}

bool cXDriver::WaitForExit(double timeout, int& status)
{
    status = -1;
    if (m_pid <= 0)
        return false;
    const auto deadline = Deadline(timeout);
    while (tClock::now() < deadline)
    {
        int raw = 0;
        const pid_t done = waitpid(m_pid, &raw, WNOHANG);
        if (done == m_pid)
        {
            m_pid = -1;
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
            return true;
        }
        if (done < 0)
        {
            m_pid = -1;
            return false;
        }
        Sleep(0.05);
    }
    return false;
}

void cXDriver::Stop()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    if (!WaitForExit(10.0, status) && m_pid > 0)
    {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    m_window = 0;
}

std::string cXDriver::UserFolder() const
{
    return m_dataHome + "/Quillbee Studios/Zeltra";
}

std::string cXDriver::ReadLog() const
{
    std::ifstream in(LogPath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool cXDriver::WaitForLog(const std::string& text, double timeout, size_t from)
{
    const auto deadline = Deadline(timeout);
    do
    {
        const std::string log = ReadLog();
        if (log.size() > from && log.find(text, from) != std::string::npos)
            return true;
        Sleep(0.05);
    } while (tClock::now() < deadline);
    return false;
}

unsigned long cXDriver::FindWindow()
{
    if (!m_display || m_pid <= 0)
        return 0;
    Display* display = X(m_display);
    return FindByPid(display, DefaultRootWindow(display), static_cast<unsigned long>(m_pid));
}

void cXDriver::Focus()
{
    if (!m_display || !m_window)
        return;
    // No window manager runs under Xvfb: the focus is given directly.
    XRaiseWindow(X(m_display), m_window);
    XSetInputFocus(X(m_display), m_window, RevertToParent, CurrentTime);
    Sync();
}

void cXDriver::Sync()
{
    if (m_display)
        XSync(X(m_display), False);
}

void cXDriver::WindowGeometry(int& width, int& height, double& scale, double& left, double& top)
{
    width = kLogicalWidth;
    height = kLogicalHeight;
    scale = 1.0;
    left = top = 0.0;
    if (!m_display)
        return;
    // A full-screen switch may give the game a new window.
    Window window = FindWindow();
    if (window && window != m_window)
    {
        m_window = window;
        Focus();
    }
    XWindowAttributes attributes{};
    if (!m_window || !XGetWindowAttributes(X(m_display), m_window, &attributes) ||
        attributes.width <= 0 || attributes.height <= 0)
        return;
    width = attributes.width;
    height = attributes.height;
    scale = std::min(static_cast<double>(width) / kLogicalWidth,
                     static_cast<double>(height) / kLogicalHeight);
    left = (width - kLogicalWidth * scale) / 2.0;
    top = (height - kLogicalHeight * scale) / 2.0;
}

void cXDriver::ToWindow(int x, int y, int& wx, int& wy)
{
    int width = 0, height = 0;
    double scale = 1.0, left = 0.0, top = 0.0;
    WindowGeometry(width, height, scale, left, top);
    // The centre of the logical pixel, so a scaled window maps back to it.
    wx = static_cast<int>(left + (x + 0.5) * scale);
    wy = static_cast<int>(top + (y + 0.5) * scale);
}

void cXDriver::MoveTo(int x, int y)
{
    if (!m_display)
        return;
    int wx = 0, wy = 0;
    ToWindow(x, y, wx, wy);
    Display* display = X(m_display);
    int rx = wx, ry = wy;
    Window child = 0;
    if (m_window)
        XTranslateCoordinates(display, m_window, DefaultRootWindow(display), wx, wy, &rx, &ry,
                              &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), rx, ry, CurrentTime);
    Sync();
}

void cXDriver::Press(int button)
{
    if (!m_display)
        return;
    XTestFakeButtonEvent(X(m_display), static_cast<unsigned int>(button), True, CurrentTime);
    Sync();
}

void cXDriver::Release(int button)
{
    if (!m_display)
        return;
    XTestFakeButtonEvent(X(m_display), static_cast<unsigned int>(button), False, CurrentTime);
    Sync();
}

void cXDriver::Click(int x, int y, int button, double hold)
{
    MoveTo(x, y);
    // The game sees the pointer arrive (hover, hints) before the press, as
    // it would from a hand on the mouse.
    Sleep(0.08);
    Press(button);
    Sleep(hold);
    Release(button);
    Sleep(0.06);
}

void cXDriver::DoubleClick(int x, int y)
{
    MoveTo(x, y);
    Sleep(0.08);
    for (int i = 0; i < 2; ++i)
    {
        Press(1);
        Sleep(0.03);
        Release(1);
        Sleep(0.03);
    }
    Sleep(0.06);
}

void cXDriver::Wheel(int notches)
{
    const int button = notches > 0 ? 4 : 5;
    for (int i = 0; i < std::abs(notches); ++i)
    {
        Press(button);
        Release(button);
        Sleep(0.05);
    }
}

void cXDriver::KeyDown(const std::string& key)
{
    if (!m_display)
        return;
    Focus();
    const KeySym symbol = XStringToKeysym(key.c_str());
    const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(X(m_display), symbol);
    if (code == 0)
        return;
    XTestFakeKeyEvent(X(m_display), code, True, CurrentTime);
    Sync();
}

void cXDriver::KeyUp(const std::string& key)
{
    if (!m_display)
        return;
    const KeySym symbol = XStringToKeysym(key.c_str());
    const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(X(m_display), symbol);
    if (code == 0)
        return;
    XTestFakeKeyEvent(X(m_display), code, False, CurrentTime);
    Sync();
}

void cXDriver::Key(const std::string& key)
{
    KeyDown(key);
    Sleep(0.05);
    KeyUp(key);
    Sleep(0.05);
}

void cXDriver::Type(const std::string& text)
{
    for (const char c : text)
    {
        std::string name;
        switch (c)
        {
        case ' ':
            name = "space";
            break;
        case '.':
            name = "period";
            break;
        case '_':
            name = "underscore";
            break;
        case '-':
            name = "minus";
            break;
        default:
            name = std::string(1, c);
            break;
        }
        Key(name);
    }
}

Korva::cPixelBuffer cXDriver::Grab()
{
    Korva::cPixelBuffer frame;
    if (!m_display)
        return frame;
    int width = 0, height = 0;
    double scale = 1.0, left = 0.0, top = 0.0;
    WindowGeometry(width, height, scale, left, top);
    if (!m_window)
        return frame;
    XImage* image = XGetImage(X(m_display), m_window, 0, 0, static_cast<unsigned int>(width),
                              static_cast<unsigned int>(height), AllPlanes, ZPixmap);
    if (!image)
        return frame;
    frame.Resize(kLogicalWidth, kLogicalHeight);
    const auto shift = [](unsigned long mask)
    {
        int s = 0;
        while (mask && !(mask & 1))
        {
            mask >>= 1;
            ++s;
        }
        return s;
    };
    const int rs = shift(image->red_mask), gs = shift(image->green_mask),
              bs = shift(image->blue_mask);
    for (int y = 0; y < kLogicalHeight; ++y)
    {
        const int wy = std::clamp(static_cast<int>(top + (y + 0.5) * scale), 0, height - 1);
        for (int x = 0; x < kLogicalWidth; ++x)
        {
            const int wx = std::clamp(static_cast<int>(left + (x + 0.5) * scale), 0, width - 1);
            const unsigned long pixel = XGetPixel(image, wx, wy);
            frame.SetPixel(x, y, static_cast<uint8_t>((pixel & image->red_mask) >> rs),
                           static_cast<uint8_t>((pixel & image->green_mask) >> gs),
                           static_cast<uint8_t>((pixel & image->blue_mask) >> bs), 255);
        }
    }
    XDestroyImage(image);
    return frame;
}

cXDriver::sColor cXDriver::PixelAt(const Korva::cPixelBuffer& frame, int x, int y) const
{
    if (frame.IsEmpty() || x < 0 || y < 0 || x >= frame.GetWidth() || y >= frame.GetHeight())
        return {};
    const uint8_t* p = frame.At(x, y);
    return {p[0], p[1], p[2]};
}

bool cXDriver::WaitForFrame(const std::function<bool(const Korva::cPixelBuffer&)>& test,
                            double timeout, Korva::cPixelBuffer* last)
{
    const auto deadline = Deadline(timeout);
    do
    {
        Korva::cPixelBuffer frame = Grab();
        const bool ok = !frame.IsEmpty() && test(frame);
        if (last)
            *last = std::move(frame);
        if (ok)
            return true;
        Sleep(0.1);
    } while (tClock::now() < deadline && IsRunning());
    return false;
}

bool cXDriver::WaitForStill(double timeout, double interval, int tolerance)
{
    const auto deadline = Deadline(timeout);
    Korva::cPixelBuffer before = Grab();
    do
    {
        Sleep(interval);
        Korva::cPixelBuffer after = Grab();
        if (!before.IsEmpty() && !after.IsEmpty())
        {
            bool same = true;
            for (int y = 0; y < kLogicalHeight && same; ++y)
                for (int x = 0; x < kLogicalWidth && same; ++x)
                {
                    const uint8_t* a = before.At(x, y);
                    const uint8_t* b = after.At(x, y);
                    same = std::abs(a[0] - b[0]) <= tolerance &&
                           std::abs(a[1] - b[1]) <= tolerance && std::abs(a[2] - b[2]) <= tolerance;
                }
            if (same)
                return true;
        }
        before = std::move(after);
    } while (tClock::now() < deadline && IsRunning());
    return false;
}

bool cXDriver::SaveGrab(const std::string& path)
{
    const Korva::cPixelBuffer frame = Grab();
    if (frame.IsEmpty())
        return false;
    try
    {
        Korva::SaveImage(frame, path);
        return true;
    }
    catch (...)
    {
        return false;
    }
}

void cXDriver::Sleep(double seconds)
{
    const auto deadline = Deadline(seconds);
    do
    {
        PumpEvents();
        const auto left = deadline - tClock::now();
        std::this_thread::sleep_for(
            std::min<tClock::duration>(left, std::chrono::milliseconds(10)));
    } while (tClock::now() < deadline);
    PumpEvents();
}

void cXDriver::PumpEvents()
{
    if (!m_display)
        return;
    Display* display = X(m_display);
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    while (XPending(display) > 0)
    {
        XEvent event{};
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != state ||
            event.xclient.format != 32)
            continue;
        const Window window = event.xclient.window;
        if (m_pid <= 0 || PidOf(display, window) != static_cast<unsigned long>(m_pid))
            continue;
        const long action = event.xclient.data.l[0]; // 0 remove, 1 add, 2 toggle
        if (static_cast<Atom>(event.xclient.data.l[1]) != fullScreen &&
            static_cast<Atom>(event.xclient.data.l[2]) != fullScreen)
            continue;
        const bool on = action == 1 || (action == 2 && !HasFullScreenState(window));
        SetFullScreen(window, on);
    }
}

bool cXDriver::HasFullScreenState(unsigned long window)
{
    Display* display = X(m_display);
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, state, 0, 32, False, XA_ATOM, &type, &format, &count,
                           &remaining, &data) == Success &&
        data)
    {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i)
            found = found || atoms[i] == fullScreen;
        XFree(data);
    }
    return found;
}

void cXDriver::SetFullScreen(unsigned long window, bool on)
{
    Display* display = X(m_display);
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    if (on)
    {
        XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&fullScreen), 1);
        const int screen = DefaultScreen(display);
        XMoveResizeWindow(display, window, 0, 0,
                          static_cast<unsigned int>(DisplayWidth(display, screen)),
                          static_cast<unsigned int>(DisplayHeight(display, screen)));
    }
    else
        XDeleteProperty(display, window, state); // the game sets its window size itself
    XSync(display, False);
}
