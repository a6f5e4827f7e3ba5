#include "Orrindle/Extensions/RoundedPath.hpp"

namespace Orrindle {

AppKit::NSBezierPath::Ptr roundedRectPath(const CoreGraphics::CGRect& rect, const CornerRadii& radii) {
    return AppKit::NSBezierPath::withCGPath(CoreGraphics::CGPath::roundedRect(rect, radii));
}

}  // namespace Orrindle
