#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "CoreGraphics/Geometry.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

// A display. Without a real one there is a single screen of 1440 x 900 points at scale 1;
// the SDL back end and tests may change it.
class NSScreen : public Runtime::NSObject {
    VZ_OBJECT(NSScreen, Runtime::NSObject)
public:
    static std::shared_ptr<NSScreen> main();  // null when a test removed every screen
    static std::vector<std::shared_ptr<NSScreen>> screens();
    static void setScreens(std::vector<std::shared_ptr<NSScreen>> screens);
    static std::shared_ptr<NSScreen> make(CoreGraphics::CGRect frame, CoreGraphics::CGFloat backingScaleFactor);

    CoreGraphics::CGRect frame() const { return frame_; }
    // The usable area: less the menu bar unless a test or back end sets one (menu bar and Dock).
    CoreGraphics::CGRect visibleFrame() const;
    void setVisibleFrame(CoreGraphics::CGRect visibleFrame) { visibleFrame_ = visibleFrame; }
    CoreGraphics::CGFloat backingScaleFactor() const { return scale_; }
    void setBackingScaleFactor(CoreGraphics::CGFloat scale) { scale_ = scale; }

protected:
    NSScreen() = default;

private:
    CoreGraphics::CGRect frame_;
    CoreGraphics::CGFloat scale_ = 1;
    std::optional<CoreGraphics::CGRect> visibleFrame_;
};

}  // namespace AppKit
