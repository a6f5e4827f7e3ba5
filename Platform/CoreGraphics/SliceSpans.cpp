#include "CoreGraphics/SliceSpans.hpp"

#include <algorithm>

namespace CoreGraphics {

std::vector<SliceSpan> sliceSpans(bool sliced, CGFloat own, CGFloat low, CGFloat high, CGFloat start, CGFloat length,
                                  const std::function<CGFloat(CGFloat)>& snap) {
    if (!sliced) return {{0, own, start, length}};
    CGFloat lo = low, hi = high;
    if (lo + hi > length && lo + hi > 0) {
        lo = low * length / (low + high);
        hi = length - lo;
    }
    const CGFloat end = start + length;
    const CGFloat a = std::clamp(snap(start + lo), start, end), b = std::clamp(snap(end - hi), a, end);
    std::vector<SliceSpan> out;
    for (SliceSpan s : {SliceSpan{0, low, start, a - start}, SliceSpan{low, own - low - high, a, b - a}, SliceSpan{own - high, high, b, end - b}})
        if (s.srcLength > 0 && s.dstLength > 0) out.push_back(s);
    return out;
}

}  // namespace CoreGraphics
