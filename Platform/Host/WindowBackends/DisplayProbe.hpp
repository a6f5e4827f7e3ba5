#pragma once
#include <optional>
#include <string>

namespace WindowBackends {

// Whether the X display `display` (as DISPLAY names it) answers: it connects to the server and
// sends the opening request; a server that takes the connection but sends nothing back within
// `timeoutSeconds` would hang the window system's own connect for ever. Returns why the display
// cannot be used in that case; nullopt when it answered, or when it could not be reached at all
// (which the window system reports at once by itself).
std::optional<std::string> unansweredDisplay(const std::string& display, double timeoutSeconds);

}  // namespace WindowBackends
