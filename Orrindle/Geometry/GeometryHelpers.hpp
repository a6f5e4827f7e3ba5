#pragma once
#include <optional>
#include <utility>

#include "CoreGraphics/Geometry.hpp"

// Size, point and rectangle helpers the kit's drawing and layout code shares. Rectangles are
// placed on the device pixel grid of a scale factor (pixels per point); the kit rounds to the
// nearest whole value with halves away from zero.
namespace Orrindle {

using CoreGraphics::CGFloat;
using CoreGraphics::CGPoint;
using CoreGraphics::CGRect;
using CoreGraphics::CGSize;
using NSEdgeInsets = CoreGraphics::EdgeInsets;

// Per component, the receiver's value when it is smaller, else the other's.
CGSize componentwiseMin(CGSize receiver, CGSize other);
CGPoint componentwiseMin(CGPoint receiver, CGPoint other);
// Per component, the receiver's value unless the other's is smaller or equal.
CGSize componentwiseMax(CGSize receiver, CGSize other);
CGPoint componentwiseMax(CGPoint receiver, CGPoint other);

// Width and height both differ from 0 (NaN differs from 0). For a rectangle, its stored size.
bool hasNonZeroDimensions(CGSize size);
bool hasNonZeroDimensions(const CGRect& rect);
// The size less the insets on each side.
CGSize inset(CGSize size, const NSEdgeInsets& insets);

CGPoint midPoint(const CGRect& rect);
CGPoint maxPoint(const CGRect& rect);

// Snapped outwards to the pixel grid of `scale`; unchanged when the scale is not positive.
CGRect integral(const CGRect& rect, CGFloat scale);

// The rectangle's size centred in `outer`, in outer's own coordinate space (outer's origin is
// not added, as for a subview placed in its superview's bounds), on the pixel grid of `scale`.
// A scale that is not positive places it without rounding.
CGRect center(const CGRect& rect, const CGRect& outer, CGFloat scale);
// Centred horizontally on outer's middle (outer's origin counts), kept within `xRange` when
// given, then made integral in points; y and size unchanged.
CGRect centerX(const CGRect& rect, const CGRect& outer, CGFloat scale,
               std::optional<std::pair<CGFloat, CGFloat>> xRange = std::nullopt);
// Centred vertically on outer's middle, then made integral in points; x and size unchanged.
CGRect centerY(const CGRect& rect, const CGRect& outer, CGFloat scale);

// Less the insets, made integral. In a flipped (y-down) space the top inset moves the origin,
// otherwise the bottom one does.
CGRect inset(const CGRect& rect, const NSEdgeInsets& insets, bool flipped);
// The mirror of inset: grown by the insets, made integral.
CGRect outset(const CGRect& rect, const NSEdgeInsets& insets, bool flipped);

// The rectangle moved, keeping its size, so that it ends within `bounds` on the far sides
// without starting before bounds' origin: one larger than the bounds sits at their origin and
// sticks out on the far side. Not snapped.
CGRect fit(const CGRect& rect, const CGRect& bounds);

}  // namespace Orrindle
