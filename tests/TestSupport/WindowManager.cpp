#include "TestSupport/WindowManager.hpp"

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>

#include "TestSupport/Eventually.hpp"
#include "TestSupport/SpawnProcess.hpp"

namespace TestSupport {

namespace {

// The window a window's _NET_SUPPORTING_WM_CHECK names; 0 when none (or the window is gone).
Window supportingWindow(Display* display, Window window) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return 0;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(display, window, check, 0, 1, False, AnyPropertyType, &type, &format, &items, &after, &data) == Success &&
        data && items == 1 && format == 32)
        named = Window(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return named;
}

// Whether a running window manager manages the screen: the root names its check window, which
// names itself (a manager gone leaves the root's name behind, naming nothing).
bool managed(Display* display) {
    auto* previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Window named = supportingWindow(display, DefaultRootWindow(display));
    const bool found = named != 0 && supportingWindow(display, named) == named;
    XSync(display, False);
    XSetErrorHandler(previous);
    return found;
}

// Whether the manager takes windows in: a window of ours, mapped, is put in a frame of its
// own. One that has only just named itself may still drop what it is asked meanwhile, so the
// window is mapped again until it is framed.
bool takesWindowsIn(Display* display) {
    const Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    auto framed = [&] {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, probe, &root, &parent, &children, &count)) return false;
        if (children) XFree(children);
        return parent != root;
    };
    bool taken = false;
    for (int attempt = 0; attempt < 20 && !taken; ++attempt) {
        XMapWindow(display, probe);
        XSync(display, False);
        taken = eventually(framed, 0.5);
    }
    XDestroyWindow(display, probe);
    XSync(display, False);
    return taken;
}

}  // namespace

WindowManager::WindowManager() {
    if (!std::getenv("DISPLAY")) {
        problem_ = "no X display";
        return;
    }
    pid_ = spawnProcess({"openbox", "--sm-disable"}, {{"XDG_DATA_DIRS", "/usr/local/share:/usr/share"}, {"XDG_CONFIG_DIRS", "/etc/xdg"}});
    if (pid_ < 0) {
        problem_ = "openbox is not installed (tools/install-deps.sh installs it)";
        return;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        problem_ = "the X display cannot be opened";
        return;
    }
    if (!eventually([&] { return managed(display); })) problem_ = "openbox did not take the display";
    else if (!takesWindowsIn(display)) problem_ = "openbox takes no windows in";
    XCloseDisplay(display);
}

WindowManager::~WindowManager() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
}

bool WindowManager::run(const std::vector<std::string>& command, double seconds) {
    const pid_t pid = spawnProcess(command);
    if (pid < 0) return false;
    int status = 0;
    if (!eventually([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, seconds)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace TestSupport
