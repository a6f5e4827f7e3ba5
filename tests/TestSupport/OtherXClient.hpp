#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

struct _XDisplay;

namespace TestSupport {

// Another program on the X display, for the real-window tests: a connection of its own with a
// window that covers the screen and takes the focus, as a person switching to another program
// does; it gives the focus to a window as a window manager does when that window is clicked,
// and reads which window has the focus and how the top-level windows are stacked. Windows are
// X's ids. Xlib stays out of the header (its macros clash with everyday names).
class OtherXClient {
public:
    using Window = unsigned long;

    OtherXClient();  // on $DISPLAY
    ~OtherXClient();
    OtherXClient(const OtherXClient&) = delete;
    OtherXClient& operator=(const OtherXClient&) = delete;

    bool connected() const { return display_ != nullptr; }
    Window window() const { return window_; }

    // Its window in front of every other, with the focus.
    void takeFocus();
    // The focus to `window` (raised), as a window manager gives it on a click.
    void giveFocusTo(Window window);

    Window focus() const;
    // The top-level windows, bottom to top; under a window manager, the programs' windows it
    // manages (_NET_CLIENT_LIST_STACKING), since it puts each in a frame of its own.
    std::vector<Window> stacking() const;
    // Whether `window` is above `other` in the stacking order.
    bool isAbove(Window window, Window other) const;
    // The shown top-level window of a process (SDL names its process in _NET_WM_PID), with
    // this title when one is given; 0 when none.
    Window windowOf(pid_t pid, const std::string& title = {}) const;
    bool isShown(Window window) const;
    std::string titleOf(Window window) const;
    // The process that named itself in a window's _NET_WM_PID; 0 when none did.
    pid_t processOf(Window window) const;

private:
    _XDisplay* display_ = nullptr;
    Window window_ = 0;
};

}  // namespace TestSupport
