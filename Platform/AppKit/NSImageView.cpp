#include "AppKit/NSImageView.hpp"

#include <algorithm>

#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

void NSImageView::setImage(NSImage::Ptr image) {
    if (auto c = cell()) c->setImage(std::move(image));
    invalidateIntrinsicContentSize();
    setNeedsDisplay(true);
}

void NSImageView::setImageScaling(NSImageScaling scaling) {
    scaling_ = scaling;
    setNeedsDisplay(true);
}

CGSize NSImageView::intrinsicContentSize() const {
    auto img = image();
    return img ? img->size() : CGSize{NSViewNoIntrinsicMetric, NSViewNoIntrinsicMetric};
}

void NSImageView::draw(CGRect) {
    auto img = image();
    if (!img || !CoreGraphics::CGContext::current()) return;
    const CGRect b = bounds();
    const CGSize s = img->size();
    CGRect dest = b;
    if (scaling_ != NSImageScaling::scaleAxesIndependently && s.width > 0 && s.height > 0) {
        CGFloat f = 1;
        if (scaling_ != NSImageScaling::scaleNone) {
            f = std::min(b.width() / s.width, b.height() / s.height);
            if (scaling_ == NSImageScaling::scaleProportionallyDown) f = std::min<CGFloat>(f, 1);
        }
        dest = {b.midX() - s.width * f / 2, b.midY() - s.height * f / 2, s.width * f, s.height * f};
    }
    img->draw(dest, {}, CompositingOperation::sourceOver, isEnabled() ? 1.0 : 0.5, true);
}

}  // namespace AppKit
