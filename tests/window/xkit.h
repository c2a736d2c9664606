// Drives real programs on a real X server for tests: starts Xvfb, starts a
// program on it, types keys through XTest, reads the screen, finds and answers
// windows by title, and collects exit codes. Every wait has a timeout, and
// the destructors kill what was started on every path out of a test.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using XDisplay = struct _XDisplay;  // Xlib's Display, without Xlib's macros
using XWindowId = unsigned long;    // Xlib's Window
using XKeySym = unsigned long;      // Xlib's KeySym

namespace xkit {

using Millis = std::chrono::milliseconds;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// Whether two colours are within `tolerance` in every channel.
bool Near(Rgb a, Rgb b, int tolerance = 8);

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows top to bottom
    Rgb At(int x, int y) const;
};

struct Geometry {
    int x = 0;  // top-left corner on the root window
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false;
};

// An X server for one test: a fresh Xvfb on a free display number with one
// screen of width x height x 24, or an existing server when TREVLA_TEST_DISPLAY
// names one (then nothing is started or stopped).
class XServer {
public:
    explicit XServer(int width = 640, int height = 480);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // True when the server runs and the connection, with XTest, is open.
    bool Ok() const { return display_ != nullptr; }
    // The display name (":42") to give programs.
    const std::string& Name() const { return name_; }
    XDisplay* Display() const { return display_; }

    // Keys by keysym (XK_a, XK_Return, XK_F1 from <X11/keysym.h>). False when
    // the server has no key for the keysym.
    bool PressKey(XKeySym key);
    bool ReleaseKey(XKeySym key);
    bool TapKey(XKeySym key);  // press and release
    // Switches the server's key auto-repeat off or on (back on at the end
    // when the server was given, not started).
    void SetAutoRepeat(bool on);
    // Moves the pointer to a screen position.
    void MovePointer(int x, int y);

    Screenshot Grab();
    Rgb Pixel(int x, int y);
    // Polls the screen until the pixel is near `colour`; false on timeout.
    bool WaitForPixel(int x, int y, Rgb colour, Millis timeout = Millis(5000));
    // Polls until the pixel differs from what it is now; false on timeout.
    bool WaitForChange(int x, int y, Millis timeout = Millis(5000));

    // The first viewable top-level window whose title is `title` (0 when
    // none shows up in time).
    XWindowId FindWindow(const std::string& title, Millis timeout = Millis(5000));
    std::optional<Geometry> WindowGeometry(XWindowId window);
    // How many windows exist below the root window, mapped or not.
    int CountWindows();
    // Gives the window the keyboard focus: without a window manager nobody
    // else does.
    void Focus(XWindowId window);
    void Resize(XWindowId window, int width, int height);
    // Takes the window off the screen and puts it back, as a window manager
    // does when it minimizes and restores it.
    void Iconify(XWindowId window);
    void Restore(XWindowId window);
    // Asks the window to close, as a window manager's close button does.
    void RequestClose(XWindowId window);
    // Waits until a window manager runs on the server (it has set the root
    // window's _NET_SUPPORTING_WM_CHECK); false on timeout.
    bool WaitForWindowManager(Millis timeout = Millis(10000));
    // Finds a window by title (a message box by its caption), focuses it and
    // taps `key` (XK_Return for OK, XK_y / XK_n or XK_Return / XK_Escape for
    // Yes/No, as the box understands them). False when it does not show up.
    bool AnswerWindow(const std::string& title, XKeySym key, Millis timeout = Millis(5000));

private:
    bool Key(XKeySym key, bool press);

    std::string name_;
    XDisplay* display_ = nullptr;
    pid_t server_ = -1;
    bool repeatSwitchedOff_ = false;
};

// A program started on an X server in its own process group, with its
// standard output captured line by line (standard error passes through to the
// test's output). The destructor kills the whole group (SIGKILL), so helper
// processes of the program (message boxes) go with it.
class Program {
public:
    // Runs `path` with `args` in `workDir`, with DISPLAY set to the server,
    // LIBGL_ALWAYS_SOFTWARE=1, SDL_AUDIODRIVER=dummy and WAYLAND_DISPLAY
    // removed. `env` adds "NAME=value" entries, or removes "NAME".
    Program(const XServer& server,
            const std::string& path,
            const std::vector<std::string>& args,
            const std::string& workDir,
            const std::vector<std::string>& env = {});
    // Runs without any X server (DISPLAY removed) unless `env` sets one.
    Program(const std::string& path,
            const std::vector<std::string>& args,
            const std::string& workDir,
            const std::vector<std::string>& env = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    pid_t Pid() const { return pid_; }
    bool Started() const { return pid_ > 0; }

    // Waits for an output line containing `text`, searching from the line
    // after the last one matched; false on timeout.
    bool WaitForLine(const std::string& text, Millis timeout = Millis(5000));
    // Every output line so far.
    const std::vector<std::string>& Lines();
    // How many lines so far contain `text`.
    int CountLines(const std::string& text);

    // Sends a signal to the program itself (not its group).
    void Signal(int signal);
    // The exit code once the program has ended (128 + n after signal n);
    // nullopt when it is still running after `timeout`.
    std::optional<int> WaitExit(Millis timeout = Millis(5000));

private:
    void Start(const std::string& path,
               const std::vector<std::string>& args,
               const std::string& workDir,
               const std::vector<std::string>& env);
    void ReadOutput();
    void KillGroup();

    pid_t pid_ = -1;
    int output_ = -1;
    std::string partial_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::optional<int> exitCode_;
};

}  // namespace xkit
