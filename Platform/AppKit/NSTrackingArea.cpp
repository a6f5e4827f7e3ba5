#include "AppKit/NSTrackingArea.hpp"

#include "AppKit/NSResponder.hpp"

namespace AppKit {

std::shared_ptr<NSTrackingArea> NSTrackingArea::make(CoreGraphics::CGRect rect, Options options,
                                                     const std::shared_ptr<NSResponder>& owner) {
    auto area = Runtime::make<NSTrackingArea>();
    area->rect_ = rect;
    area->options_ = options;
    area->owner_ = owner;
    return area;
}

}  // namespace AppKit
