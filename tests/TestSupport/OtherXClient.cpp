#include "TestSupport/OtherXClient.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "TestSupport/Eventually.hpp"

namespace TestSupport {

OtherXClient::OtherXClient() {
    display_ = XOpenDisplay(nullptr);
    if (!display_) return;
    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display_, screen);
    window_ = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, unsigned(DisplayWidth(display_, screen)),
                            unsigned(DisplayHeight(display_, screen)), 0, CopyFromParent, InputOutput, CopyFromParent,
                            CWBackPixel, &attributes);
    XStoreName(display_, window_, "another program");
    XSync(display_, False);
}

OtherXClient::~OtherXClient() {
    if (!display_) return;
    XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

void OtherXClient::takeFocus() {
    XMapRaised(display_, window_);
    // A window takes the focus only once it is shown.
    eventually([&] {
        XWindowAttributes a{};
        XGetWindowAttributes(display_, window_, &a);
        return a.map_state == IsViewable;
    });
    giveFocusTo(window_);
}

void OtherXClient::giveFocusTo(Window window) {
    XRaiseWindow(display_, window);
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

OtherXClient::Window OtherXClient::focus() const {
    ::Window focused = 0;
    int revert = 0;
    XGetInputFocus(display_, &focused, &revert);
    return focused;
}

std::vector<OtherXClient::Window> OtherXClient::stacking() const {
    std::vector<Window> windows;
    const Atom managed = XInternAtom(display_, "_NET_CLIENT_LIST_STACKING", True);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (managed != None &&
        XGetWindowProperty(display_, DefaultRootWindow(display_), managed, 0, 4096, False, XA_WINDOW, &type, &format, &items,
                           &after, &data) == Success &&
        data && format == 32) {
        const auto* list = reinterpret_cast<const unsigned long*>(data);
        windows.assign(list, list + items);
    }
    if (data) XFree(data);
    if (!windows.empty()) return windows;
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
        windows.assign(children, children + count);
        if (children) XFree(children);
    }
    return windows;
}

bool OtherXClient::isAbove(Window window, Window other) const {
    const auto order = stacking();
    std::ptrdiff_t a = -1, b = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == window) a = std::ptrdiff_t(i);
        if (order[i] == other) b = std::ptrdiff_t(i);
    }
    return a >= 0 && b >= 0 && a > b;
}

pid_t OtherXClient::processOf(Window window) const {
    const Atom wmPid = XInternAtom(display_, "_NET_WM_PID", True);
    if (wmPid == None || window == 0) return 0;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, wmPid, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data) != Success ||
        !data)
        return 0;
    const pid_t pid = items == 1 && format == 32 ? pid_t(*reinterpret_cast<unsigned long*>(data)) : 0;
    XFree(data);
    return pid;
}

OtherXClient::Window OtherXClient::windowOf(pid_t pid, const std::string& title) const {
    for (Window w : stacking())
        if (isShown(w) && processOf(w) == pid && (title.empty() || titleOf(w) == title)) return w;
    return 0;
}

bool OtherXClient::isShown(Window window) const {
    XWindowAttributes a{};
    return XGetWindowAttributes(display_, window, &a) && a.map_state == IsViewable;
}

std::string OtherXClient::titleOf(Window window) const {
    // The desktop's UTF-8 title, which SDL sets with the older one.
    const Atom title = XInternAtom(display_, "_NET_WM_NAME", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display_, window, title, 0, 1024, False, AnyPropertyType, &type, &format, &items, &after, &data) ==
            Success &&
        data && format == 8)
        text.assign(reinterpret_cast<const char*>(data), items);
    if (data) XFree(data);
    return text;
}

}  // namespace TestSupport
