#pragma once

namespace AppKit {

class NSView;

// Gives the subviews of `view` that do not translate autoresizing masks the frames their
// active constraints ask for. Resolved: required equalities between a subview and `view` or
// a sibling, fixed sizes, and sizes that are multiples of another size. Each axis of a
// subview needs two independent equations (for example leading and trailing, or top and
// height); with only a size it keeps its position, with only a position it keeps its size
// (or takes its intrinsic size). Inequalities and optional priorities are not solved.
void resolveConstraintLayout(NSView& view);

}  // namespace AppKit
