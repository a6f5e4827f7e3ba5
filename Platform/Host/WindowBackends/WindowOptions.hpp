#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CoreGraphics/Geometry.hpp"

namespace WindowBackends {

// An option a program cannot use: the message names it and what would be accepted.
class OptionError : public std::runtime_error {
public:
    explicit OptionError(const std::string& message) : std::runtime_error(message) {}
};

// How a program shows its window, the same for `auhost edit` and the application:
//   --snapshot FILE.png  writes the window's picture when the run ends
//   --size WxH           the window's content size in points, each 1...8192
//   --seconds S          ends the run after S seconds (0...1000000)
struct WindowOptions {
    std::optional<std::string> snapshot;
    std::optional<CoreGraphics::CGSize> size;
    std::optional<double> seconds;

    // When arguments[i] is one of these options: reads it and its value, leaves i at the value
    // and returns true. False for any other argument. Throws OptionError for a missing or bad
    // value (another option in its place counts as missing).
    bool take(const std::vector<std::string>& arguments, std::size_t& i);

    // Offscreen, a window nobody sees would be waited on for ever: why `what` cannot be shown
    // when the installed back end draws offscreen and neither --snapshot nor --seconds (nor
    // the run itself, `endsByItself`) would end the run. nullopt when it can run.
    std::optional<std::string> offscreenProblem(const std::string& what, bool endsByItself = false) const;
};

}  // namespace WindowBackends
