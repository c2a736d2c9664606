#include "xkit.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

namespace xkit {
namespace {

using Clock = std::chrono::steady_clock;

// Polls `done` every few milliseconds until it holds or the time is up.
bool PollUntil(Millis timeout, const std::function<bool()>& done) {
    const auto end = Clock::now() + timeout;
    while (true) {
        if (done()) {
            return true;
        }
        if (Clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(Millis(5));
    }
}

// Windows vanish while we look at them; such errors are expected.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// The child side of a fork: dies with the test process, even on SIGKILL.
void DieWithParent() {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1) {
        _exit(127);
    }
}

// Starts Xvfb with -displayfd, which picks a free display number itself.
pid_t StartXvfb(int width, int height, std::string* name) {
    int fds[2];
    if (pipe(fds) != 0) {
        return -1;
    }
    pid_t pid = fork();
    if (pid == 0) {
        DieWithParent();
        setpgid(0, 0);
        close(fds[0]);
        int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, 0);
        dup2(devNull, 1);
        dup2(devNull, 2);
        std::string fd = std::to_string(fds[1]);
        std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb",
               "Xvfb",
               "-displayfd",
               fd.c_str(),
               "-screen",
               "0",
               screen.c_str(),
               "-nolisten",
               "tcp",
               "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return -1;
    }
    std::string number;
    pollfd waitFor{fds[0], POLLIN, 0};
    const auto end = Clock::now() + Millis(10000);
    while (Clock::now() < end && number.find('\n') == std::string::npos) {
        if (poll(&waitFor, 1, 100) > 0) {
            char buffer[32];
            ssize_t n = read(fds[0], buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            number.append(buffer, static_cast<std::size_t>(n));
        }
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return -1;
    }
    *name = ":" + number.substr(0, number.find('\n'));
    return pid;
}

std::string WindowTitle(Display* display, Window window) {
    Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display,
                           window,
                           netName,
                           0,
                           1024,
                           False,
                           utf8,
                           &type,
                           &format,
                           &count,
                           &after,
                           &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

// Depth-first over the window tree: programs' windows may be reparented.
Window FindByTitle(Display* display, Window parent, const std::string& title) {
    Window root = 0;
    Window parentOut = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &parentOut, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && WindowTitle(display, children[i]) == title) {
            found = children[i];
        } else {
            found = FindByTitle(display, children[i], title);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

std::uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1) == 0) {
        ++shift;
    }
    unsigned long value = (pixel & mask) >> shift;
    unsigned long max = mask >> shift;
    return static_cast<std::uint8_t>(value * 255 / max);
}

}  // namespace

bool Near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

Rgb Screenshot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return {};
    }
    return pixels[static_cast<std::size_t>(y) * width + x];
}

// ---------------------------------------------------------------------------

XServer::XServer(int width, int height) {
    if (const char* given = std::getenv("TREVLA_TEST_DISPLAY"); given != nullptr && *given) {
        name_ = given;
    } else {
        server_ = StartXvfb(width, height, &name_);
        if (server_ < 0) {
            return;
        }
    }
    XSetErrorHandler(IgnoreXError);
    // The server may take a moment to accept connections.
    PollUntil(Millis(10000), [this] {
        display_ = XOpenDisplay(name_.c_str());
        return display_ != nullptr;
    });
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (display_ != nullptr && !XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

XServer::~XServer() {
    if (display_ != nullptr && repeatSwitchedOff_) {
        XAutoRepeatOn(display_);
    }
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
    if (server_ > 0) {
        kill(server_, SIGTERM);
        bool ended =
            PollUntil(Millis(3000), [this] { return waitpid(server_, nullptr, WNOHANG) != 0; });
        if (!ended) {
            kill(server_, SIGKILL);
            waitpid(server_, nullptr, 0);
        }
    }
}

bool XServer::Key(XKeySym key, bool press) {
    if (display_ == nullptr) {
        return false;
    }
    KeyCode code = XKeysymToKeycode(display_, key);
    if (code == 0) {
        return false;
    }
    XTestFakeKeyEvent(display_, code, press ? True : False, CurrentTime);
    XSync(display_, False);
    return true;
}

bool XServer::PressKey(XKeySym key) { return Key(key, true); }
bool XServer::ReleaseKey(XKeySym key) { return Key(key, false); }

bool XServer::TapKey(XKeySym key) {
    if (!Key(key, true)) {
        return false;
    }
    std::this_thread::sleep_for(Millis(20));
    return Key(key, false);
}

void XServer::SetAutoRepeat(bool on) {
    if (display_ == nullptr) {
        return;
    }
    if (on) {
        XAutoRepeatOn(display_);
    } else {
        XAutoRepeatOff(display_);
    }
    repeatSwitchedOff_ = !on;
    XSync(display_, False);
}

void XServer::MovePointer(int x, int y) {
    if (display_ != nullptr) {
        XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
        XSync(display_, False);
    }
}

Screenshot XServer::Grab() {
    Screenshot shot;
    if (display_ == nullptr) {
        return shot;
    }
    Window root = DefaultRootWindow(display_);
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, root, &attributes);
    XImage* image = XGetImage(display_,
                              root,
                              0,
                              0,
                              static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height),
                              AllPlanes,
                              ZPixmap);
    if (image == nullptr) {
        return shot;
    }
    shot.width = attributes.width;
    shot.height = attributes.height;
    shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            shot.pixels[static_cast<std::size_t>(y) * shot.width + x] =
                Rgb{Channel(pixel, image->red_mask),
                    Channel(pixel, image->green_mask),
                    Channel(pixel, image->blue_mask)};
        }
    }
    XDestroyImage(image);
    return shot;
}

Rgb XServer::Pixel(int x, int y) {
    if (display_ == nullptr) {
        return {};
    }
    XImage* image =
        XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {};
    }
    unsigned long pixel = XGetPixel(image, 0, 0);
    Rgb colour{Channel(pixel, image->red_mask),
               Channel(pixel, image->green_mask),
               Channel(pixel, image->blue_mask)};
    XDestroyImage(image);
    return colour;
}

bool XServer::WaitForPixel(int x, int y, Rgb colour, Millis timeout) {
    return PollUntil(timeout, [&] { return Near(Pixel(x, y), colour); });
}

bool XServer::WaitForChange(int x, int y, Millis timeout) {
    const Rgb before = Pixel(x, y);
    return PollUntil(timeout, [&] { return !(Pixel(x, y) == before); });
}

XWindowId XServer::FindWindow(const std::string& title, Millis timeout) {
    Window found = 0;
    if (display_ == nullptr) {
        return 0;
    }
    PollUntil(timeout, [&] {
        found = FindByTitle(display_, DefaultRootWindow(display_), title);
        return found != 0;
    });
    return found;
}

bool XServer::WaitForWindowManager(Millis timeout) {
    if (display_ == nullptr) return false;
    const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    return PollUntil(timeout, [&] {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        const bool set = XGetWindowProperty(display_,
                                            DefaultRootWindow(display_),
                                            check,
                                            0,
                                            1,
                                            False,
                                            AnyPropertyType,
                                            &type,
                                            &format,
                                            &count,
                                            &after,
                                            &data) == Success &&
                         count == 1;
        if (data != nullptr) XFree(data);
        return set;
    });
}

std::optional<Geometry> XServer::WindowGeometry(XWindowId window) {
    XWindowAttributes attributes;
    if (display_ == nullptr || XGetWindowAttributes(display_, window, &attributes) == 0) {
        return std::nullopt;
    }
    Geometry geometry;
    Window child = 0;
    XTranslateCoordinates(
        display_, window, DefaultRootWindow(display_), 0, 0, &geometry.x, &geometry.y, &child);
    geometry.width = attributes.width;
    geometry.height = attributes.height;
    geometry.viewable = attributes.map_state == IsViewable;
    return geometry;
}

int XServer::CountWindows() {
    if (display_ == nullptr) {
        return 0;
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    if (children != nullptr) {
        XFree(children);
    }
    return static_cast<int>(count);
}

void XServer::Focus(XWindowId window) {
    if (display_ != nullptr) {
        XRaiseWindow(display_, window);
        XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
        XSync(display_, False);
    }
}

void XServer::Resize(XWindowId window, int width, int height) {
    if (display_ != nullptr) {
        XResizeWindow(
            display_, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XSync(display_, False);
    }
}

void XServer::Iconify(XWindowId window) {
    if (display_ != nullptr) {
        XUnmapWindow(display_, window);
        XSync(display_, False);
    }
}

void XServer::Restore(XWindowId window) {
    if (display_ != nullptr) {
        XMapWindow(display_, window);
        XSync(display_, False);
    }
}

void XServer::RequestClose(XWindowId window) {
    if (display_ == nullptr) {
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

bool XServer::AnswerWindow(const std::string& title, XKeySym key, Millis timeout) {
    XWindowId window = FindWindow(title, timeout);
    if (window == 0) {
        return false;
    }
    Focus(window);
    // Give the box a moment to see its focus before the key arrives.
    std::this_thread::sleep_for(Millis(100));
    return TapKey(key);
}

// ---------------------------------------------------------------------------

Program::Program(const XServer& server,
                 const std::string& path,
                 const std::vector<std::string>& args,
                 const std::string& workDir,
                 const std::vector<std::string>& env) {
    std::vector<std::string> all{"DISPLAY=" + server.Name()};
    all.insert(all.end(), env.begin(), env.end());
    Start(path, args, workDir, all);
}

Program::Program(const std::string& path,
                 const std::vector<std::string>& args,
                 const std::string& workDir,
                 const std::vector<std::string>& env) {
    std::vector<std::string> all{"DISPLAY"};
    all.insert(all.end(), env.begin(), env.end());
    Start(path, args, workDir, all);
}

void Program::Start(const std::string& path,
                    const std::vector<std::string>& args,
                    const std::string& workDir,
                    const std::vector<std::string>& env) {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    pid_t pid = fork();
    if (pid == 0) {
        DieWithParent();
        setpgid(0, 0);
        close(fds[0]);
        dup2(fds[1], 1);
        close(fds[1]);
        int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, 0);
        if (chdir(workDir.c_str()) != 0) {
            _exit(126);
        }
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
        for (const std::string& entry : env) {
            auto equals = entry.find('=');
            if (equals == std::string::npos) {
                unsetenv(entry.c_str());
            } else {
                setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
            }
        }
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    setpgid(pid, pid);  // also here, so the group exists before we may kill it
    pid_ = pid;
    output_ = fds[0];
    fcntl(output_, F_SETFL, fcntl(output_, F_GETFL) | O_NONBLOCK);
}

Program::~Program() {
    KillGroup();
    if (pid_ > 0 && !exitCode_) {
        waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0) {
        close(output_);
    }
}

void Program::KillGroup() {
    // While the leader is unreaped its group id cannot be reused.
    if (pid_ > 0 && !exitCode_) {
        kill(-pid_, SIGKILL);
    }
}

void Program::ReadOutput() {
    if (output_ < 0) {
        return;
    }
    char buffer[4096];
    while (true) {
        ssize_t n = read(output_, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        partial_.append(buffer, static_cast<std::size_t>(n));
    }
    std::size_t end;
    while ((end = partial_.find('\n')) != std::string::npos) {
        lines_.push_back(partial_.substr(0, end));
        partial_.erase(0, end + 1);
    }
}

bool Program::WaitForLine(const std::string& text, Millis timeout) {
    return PollUntil(timeout, [&] {
        ReadOutput();
        for (std::size_t i = next_; i < lines_.size(); ++i) {
            if (lines_[i].find(text) != std::string::npos) {
                next_ = i + 1;
                return true;
            }
        }
        return false;
    });
}

const std::vector<std::string>& Program::Lines() {
    ReadOutput();
    return lines_;
}

int Program::CountLines(const std::string& text) {
    int count = 0;
    for (const std::string& line : Lines()) {
        count += line.find(text) != std::string::npos ? 1 : 0;
    }
    return count;
}

void Program::Signal(int signal) {
    if (pid_ > 0 && !exitCode_) {
        kill(pid_, signal);
    }
}

std::optional<int> Program::WaitExit(Millis timeout) {
    if (exitCode_ || pid_ <= 0) {
        return exitCode_;
    }
    siginfo_t info{};
    bool ended = PollUntil(timeout, [&] {
        info.si_pid = 0;
        // Look without reaping, so that helpers left in the group can still
        // be killed by its id.
        return waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == pid_;
    });
    if (!ended) {
        return std::nullopt;
    }
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    exitCode_ = info.si_code == CLD_EXITED ? info.si_status : 128 + info.si_status;
    ReadOutput();
    return exitCode_;
}

}  // namespace xkit
