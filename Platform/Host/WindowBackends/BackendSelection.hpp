#pragma once
#include <string>

namespace AppKit {
class WindowBackend;
}

namespace WindowBackends {

enum class Kind { headless, sdl };

// The back end to use: VZ_WINDOW_BACKEND=headless|sdl forces one; otherwise SDL when a
// display is set (DISPLAY or WAYLAND_DISPLAY) and SDL starts, else headless. Installs it as
// the application's window back end and returns it; it lives until the process ends.
// Throws std::runtime_error with a clear message when SDL is forced and cannot run, or
// when the variable names no back end.
AppKit::WindowBackend& installWindowBackend();
// The same with the choice made by the caller.
AppKit::WindowBackend& installWindowBackend(Kind kind);

Kind installedKind();
// Why the last automatic choice drew offscreen though a display was set ("" otherwise).
const std::string& fallbackReason();

}  // namespace WindowBackends
