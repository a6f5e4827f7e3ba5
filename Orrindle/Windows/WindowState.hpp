#pragma once
#include <memory>

#include "AppKit/NSWindow.hpp"
#include "Observation/Observation.hpp"

namespace Orrindle {

// Tells a window's SwiftUI content which window it is in: a window controller puts one into
// its root view's environment. The window is held weakly, so content and window make no
// cycle; reading it is observed, so content shown before the window is set follows it.
class WindowState {
public:
    std::shared_ptr<AppKit::NSWindow> parentWindow() const { return parentWindow_.get().lock(); }
    void setParentWindow(const std::shared_ptr<AppKit::NSWindow>& window) { parentWindow_.set(window); }

private:
    Observation::Observed<std::weak_ptr<AppKit::NSWindow>> parentWindow_;
};

}  // namespace Orrindle
