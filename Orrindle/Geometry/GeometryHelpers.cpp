#include "Orrindle/Geometry/GeometryHelpers.hpp"

#include <algorithm>
#include <cmath>

namespace Orrindle {

namespace {

CGFloat lesser(CGFloat receiver, CGFloat other) { return receiver < other ? receiver : other; }
CGFloat greater(CGFloat receiver, CGFloat other) { return other <= receiver ? receiver : other; }

// round(scale * value) / scale, halves away from zero; the value itself for a scale that is not
// positive, where dividing by the scale would give NaN or infinity.
CGFloat onGrid(CGFloat value, CGFloat scale) { return scale > 0 ? std::round(scale * value) / scale : value; }

}  // namespace

CGSize componentwiseMin(CGSize r, CGSize o) { return {lesser(r.width, o.width), lesser(r.height, o.height)}; }
CGPoint componentwiseMin(CGPoint r, CGPoint o) { return {lesser(r.x, o.x), lesser(r.y, o.y)}; }
CGSize componentwiseMax(CGSize r, CGSize o) { return {greater(r.width, o.width), greater(r.height, o.height)}; }
CGPoint componentwiseMax(CGPoint r, CGPoint o) { return {greater(r.x, o.x), greater(r.y, o.y)}; }

bool hasNonZeroDimensions(CGSize size) { return size.width != 0 && size.height != 0; }
bool hasNonZeroDimensions(const CGRect& rect) { return hasNonZeroDimensions(rect.size); }

CGSize inset(CGSize size, const NSEdgeInsets& i) { return {size.width - i.left - i.right, size.height - i.top - i.bottom}; }

CGPoint midPoint(const CGRect& rect) { return {rect.midX(), rect.midY()}; }
CGPoint maxPoint(const CGRect& rect) { return {rect.maxX(), rect.maxY()}; }

CGRect integral(const CGRect& rect, CGFloat scale) {
    if (!(scale > 0)) return rect;
    const CGRect scaled = CGRect{rect.origin.x * scale, rect.origin.y * scale, rect.size.width * scale, rect.size.height * scale}.integral();
    const CGFloat back = 1.0 / scale;
    return {scaled.origin.x * back, scaled.origin.y * back, scaled.size.width * back, scaled.size.height * back};
}

CGRect center(const CGRect& rect, const CGRect& outer, CGFloat scale) {
    const CGFloat w = rect.size.width, h = rect.size.height;
    const CGRect placed{onGrid((outer.size.width - w) * 0.5, scale), onGrid((outer.size.height - h) * 0.5, scale), w, h};
    return integral(placed, scale);
}

CGRect centerX(const CGRect& rect, const CGRect& outer, CGFloat scale, std::optional<std::pair<CGFloat, CGFloat>> xRange) {
    CGFloat x = onGrid(outer.midX() - rect.size.width * 0.5, scale);
    if (xRange) {
        x = std::max(x, xRange->first);
        x = std::min(x, xRange->second);
    }
    return CGRect{x, rect.origin.y, rect.size.width, rect.size.height}.integral();
}

CGRect centerY(const CGRect& rect, const CGRect& outer, CGFloat scale) {
    const CGFloat y = onGrid(outer.midY() - rect.size.height * 0.5, scale);
    return CGRect{rect.origin.x, y, rect.size.width, rect.size.height}.integral();
}

CGRect inset(const CGRect& r, const NSEdgeInsets& i, bool flipped) {
    return CGRect{r.origin.x + i.left, r.origin.y + (flipped ? i.top : i.bottom), r.size.width - (i.left + i.right),
                  r.size.height - (i.top + i.bottom)}
        .integral();
}

CGRect outset(const CGRect& r, const NSEdgeInsets& i, bool flipped) {
    return CGRect{r.origin.x - i.left, r.origin.y - (flipped ? i.top : i.bottom), r.size.width + i.left + i.right,
                  r.size.height + i.top + i.bottom}
        .integral();
}

CGRect fit(const CGRect& rect, const CGRect& bounds) {
    const CGFloat w = rect.size.width, h = rect.size.height;
    const CGFloat maxX = bounds.maxX() < rect.maxX() ? bounds.maxX() : rect.maxX();
    const CGFloat maxY = bounds.maxY() < rect.maxY() ? bounds.maxY() : rect.maxY();
    CGFloat x = maxX - w, y = maxY - h;
    if (!(x > bounds.origin.x)) x = bounds.origin.x;
    if (!(y > bounds.origin.y)) y = bounds.origin.y;
    return {x, y, w, h};
}

}  // namespace Orrindle
