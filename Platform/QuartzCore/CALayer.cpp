#include "QuartzCore/CALayer.hpp"

#include <algorithm>
#include <cmath>

namespace QuartzCore {

void CALayer::setContentsScale(CoreGraphics::CGFloat scale) {
    // A scale must be a positive number; anything else is refused, not stored.
    if (!(scale > 0) || !std::isfinite(scale) || scale == contentsScale_) return;
    contentsScale_ = scale;
    if (scaleObserver_) scaleObserver_();
}

void CALayer::setContents(std::shared_ptr<const CoreGraphics::CGImage> image) {
    contents_ = std::move(image);
    if (contentsObserver_) contentsObserver_();
}

void CALayer::setBackgroundColor(std::optional<CoreGraphics::CGColor> color) {
    backgroundColor_ = std::move(color);
    if (contentsObserver_) contentsObserver_();
}

void CALayer::setOpacity(float opacity) {
    if (std::isnan(opacity)) return;
    opacity_ = std::clamp(opacity, 0.0f, 1.0f);
    if (contentsObserver_) contentsObserver_();
}

void CALayer::hostScaleChanged(CoreGraphics::CGFloat scale, Runtime::NSObject* window) {
    auto delegate = delegate_.lock();
    if (!delegate || delegate->layerShouldInheritContentsScale(*this, scale, window)) setContentsScale(scale);
}

}  // namespace QuartzCore
