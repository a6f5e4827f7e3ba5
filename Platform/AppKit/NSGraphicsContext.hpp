#pragma once
#include <memory>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/DisplayList.hpp"

namespace AppKit {

// The drawing destination of the view being drawn: a view over the current recording
// context of this thread.
class NSGraphicsContext {
public:
    // The context of the drawing pass running now; null outside one.
    static std::shared_ptr<NSGraphicsContext> current();

    CoreGraphics::CGContext& cgContext() const { return *context_; }
    // Whether the focused view's coordinates run y-down.
    bool isFlipped() const { return context_->isFlipped(); }
    void saveGraphicsState() { context_->saveGState(); }
    void restoreGraphicsState() { context_->restoreGState(); }
    CoreGraphics::CompositingOperation compositingOperation() const { return context_->compositingOperation(); }
    void setCompositingOperation(CoreGraphics::CompositingOperation op) { context_->setCompositingOperation(op); }

    explicit NSGraphicsContext(CoreGraphics::CGContext* context) : context_(context) {}

private:
    CoreGraphics::CGContext* context_;
};

}  // namespace AppKit
