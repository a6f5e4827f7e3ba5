#pragma once
#include <memory>

#include "CoreGraphics/Path.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

// A path with its own line width, drawn into the current graphics context with the context's
// fill and stroke colours (NSColor::setFill / setStroke).
class NSBezierPath : public Runtime::NSObject {
    VZ_OBJECT(NSBezierPath, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSBezierPath>;

    static Ptr make() { return withCGPath({}); }
    static Ptr withCGPath(CoreGraphics::CGPath path);
    static Ptr withRect(CoreGraphics::CGRect rect) { return withCGPath(CoreGraphics::CGPath::rect(rect)); }

    const CoreGraphics::CGPath& cgPath() const { return path_; }
    CoreGraphics::CGPath& cgPath() { return path_; }
    bool isEmpty() const { return path_.isEmpty(); }
    CoreGraphics::CGRect bounds() const { return path_.boundingBoxOfPath(); }
    bool contains(CoreGraphics::CGPoint point) const { return path_.contains(point); }

    CoreGraphics::CGFloat lineWidth() const { return lineWidth_; }
    void setLineWidth(CoreGraphics::CGFloat width) { lineWidth_ = width; }

    // Nothing outside a drawing pass.
    void fill() const;
    void stroke() const;

protected:
    NSBezierPath() = default;

private:
    CoreGraphics::CGPath path_;
    CoreGraphics::CGFloat lineWidth_ = 1;
};

}  // namespace AppKit
