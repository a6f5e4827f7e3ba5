#include "AppKit/NSScreen.hpp"

#include <algorithm>

namespace AppKit {

namespace {
std::vector<std::shared_ptr<NSScreen>>& allScreens() {
    static std::vector<std::shared_ptr<NSScreen>> s = {NSScreen::make({0, 0, 1440, 900}, 1)};
    return s;
}
}  // namespace

std::shared_ptr<NSScreen> NSScreen::make(CoreGraphics::CGRect frame, CoreGraphics::CGFloat backingScaleFactor) {
    auto s = Runtime::make<NSScreen>();
    s->frame_ = frame;
    s->scale_ = backingScaleFactor;
    return s;
}

std::shared_ptr<NSScreen> NSScreen::main() {
    auto& s = allScreens();
    return s.empty() ? nullptr : s.front();
}

std::vector<std::shared_ptr<NSScreen>> NSScreen::screens() { return allScreens(); }

void NSScreen::setScreens(std::vector<std::shared_ptr<NSScreen>> screens) { allScreens() = std::move(screens); }

CoreGraphics::CGRect NSScreen::visibleFrame() const {
    if (visibleFrame_) return *visibleFrame_;
    constexpr CoreGraphics::CGFloat menuBar = 24;
    return {frame_.origin.x, frame_.origin.y, frame_.size.width, std::max(0.0, frame_.size.height - menuBar)};
}

}  // namespace AppKit
