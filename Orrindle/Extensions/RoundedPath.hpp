#pragma once
#include "AppKit/NSBezierPath.hpp"
#include "CoreGraphics/Path.hpp"

namespace Orrindle {

// A radius per corner; "top" is the edge at the rectangle's minimum y (the top of a flipped
// view).
using CornerRadii = CoreGraphics::CornerRadii;

// A closed path around `rect` from (minX + topLeft, minY) clockwise on screen in a flipped
// view, each corner a quarter circle of its radius and square at radius 0. Radii are clamped
// to 0...half the shorter side, so no radius makes spikes or a self-crossing outline.
AppKit::NSBezierPath::Ptr roundedRectPath(const CoreGraphics::CGRect& rect, const CornerRadii& radii);

}  // namespace Orrindle
