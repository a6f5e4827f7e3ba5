#pragma once
#include <functional>
#include <vector>

#include "CoreGraphics/Geometry.hpp"

namespace CoreGraphics {

// One axis of a sliced image: (source start, source length, destination start, destination
// length) of its caps and middle, the destination measured from `start`; caps that do not fit
// shrink in proportion. `snap` puts the inner edges on the device's pixels, so that the pieces
// meet without a seam.
struct SliceSpan {
    CGFloat src, srcLength, dst, dstLength;
};
std::vector<SliceSpan> sliceSpans(bool sliced, CGFloat own, CGFloat low, CGFloat high, CGFloat start, CGFloat length,
                                  const std::function<CGFloat(CGFloat)>& snap);

}  // namespace CoreGraphics
