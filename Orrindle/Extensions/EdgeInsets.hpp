#pragma once
#include "CoreGraphics/Geometry.hpp"

// Sums and the inverse of edge insets (equality is the insets' own ==).
namespace Orrindle {

inline CoreGraphics::CGFloat width(const CoreGraphics::EdgeInsets& i) { return i.left + i.right; }
inline CoreGraphics::CGFloat height(const CoreGraphics::EdgeInsets& i) { return i.top + i.bottom; }
inline CoreGraphics::CGSize size(const CoreGraphics::EdgeInsets& i) { return {width(i), height(i)}; }
inline CoreGraphics::EdgeInsets inverse(const CoreGraphics::EdgeInsets& i) { return {-i.top, -i.left, -i.bottom, -i.right}; }

}  // namespace Orrindle
