#include "AppKit/NSBezierPath.hpp"

#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

NSBezierPath::Ptr NSBezierPath::withCGPath(CoreGraphics::CGPath path) {
    auto p = Runtime::make<NSBezierPath>();
    p->path_ = std::move(path);
    return p;
}

void NSBezierPath::fill() const {
    if (auto* ctx = CoreGraphics::CGContext::current()) ctx->fill(path_);
}

void NSBezierPath::stroke() const {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    ctx->saveGState();
    ctx->setLineWidth(lineWidth_);
    ctx->stroke(path_);
    ctx->restoreGState();
}

}  // namespace AppKit
