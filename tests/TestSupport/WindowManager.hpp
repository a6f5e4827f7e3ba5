#pragma once
#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdlib>
#include <string>
#include <vector>

// For the real-window tests that need a window manager: declares `var`, openbox managing the
// display. Where it cannot start the test is skipped, or fails where a display was promised
// (VZ_REQUIRE_DISPLAY: CI installs it).
#define VZ_WINDOW_MANAGER(var)                                                                           \
    TestSupport::WindowManager var;                                                                     \
    if (!var.running()) {                                                                               \
        if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << var.problem();                                 \
        GTEST_SKIP() << var.problem();                                                                  \
    }

namespace TestSupport {

// A window manager on $DISPLAY, started as bench/idle_cpu.sh starts it (openbox, its theme from the
// system's folders whatever XDG folders the test set) and ended with the object; and the
// desktop's tools a task bar or a person acts through (xdotool, wmctrl).
class WindowManager {
public:
    // Waits until it manages the screen.
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    bool running() const { return problem_.empty(); }
    // Why it is not running.
    const std::string& problem() const { return problem_; }

    // Runs a tool found on PATH with its arguments ("xdotool", "windowmap", "123"); true when
    // it ended well within `seconds`.
    static bool run(const std::vector<std::string>& command, double seconds = 10);

private:
    pid_t pid_ = -1;
    std::string problem_;
};

}  // namespace TestSupport
