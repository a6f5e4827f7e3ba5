#include "AppKit/NSBox.hpp"

#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

void NSBox::setBoxType(BoxType type) {
    type_ = type;
    setNeedsDisplay(true);
}

void NSBox::draw(CGRect) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const CGRect b = bounds();
    ctx->saveGState();
    if (type_ == BoxType::separator) {
        ctx->setFillColor(NSColor::secondaryLabelColor()->cgColor());
        ctx->fill(b.width() >= b.height() ? CGRect{b.minX(), b.midY() - 0.5, b.width(), 1}
                                          : CGRect{b.midX() - 0.5, b.minY(), 1, b.height()});
    } else {
        ctx->setStrokeColor(NSColor::secondaryLabelColor()->cgColor());
        ctx->stroke(b.insetBy(0.5, 0.5));
    }
    ctx->restoreGState();
}

}  // namespace AppKit
