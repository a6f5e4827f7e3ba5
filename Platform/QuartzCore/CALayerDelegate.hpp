#pragma once
#include "CoreGraphics/Geometry.hpp"

namespace Runtime {
class NSObject;
}

namespace QuartzCore {

class CALayer;

// What a layer asks of the object that looks after it.
class CALayerDelegate {
public:
    virtual ~CALayerDelegate() = default;
    // The layer moved to a window (the platform's NSWindow) or screen of `newScale`: true lets
    // it take that scale as its contentsScale.
    virtual bool layerShouldInheritContentsScale(CALayer& layer, CoreGraphics::CGFloat newScale, Runtime::NSObject* window) {
        (void)layer, (void)newScale, (void)window;
        return false;
    }
};

}  // namespace QuartzCore
