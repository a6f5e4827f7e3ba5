#pragma once
#include <concepts>

#include "CoreGraphics/Geometry.hpp"

namespace Orrindle {

using CoreGraphics::CGFloat;

// Every component scaled by the factor: a rectangle's origin and size, a size's width and
// height, a point's x and y.
CoreGraphics::CGRect multiply(const CoreGraphics::CGRect& value, CGFloat factor);
CoreGraphics::CGSize multiply(CoreGraphics::CGSize value, CGFloat factor);
CoreGraphics::CGPoint multiply(CoreGraphics::CGPoint value, CGFloat factor);

// A geometry value that scales by a factor.
template <class T>
concept Multiplicable = requires(const T& value, CGFloat factor) {
    { multiply(value, factor) } -> std::same_as<T>;
};

template <Multiplicable T>
T operator*(const T& value, CGFloat factor) {
    return multiply(value, factor);
}
template <Multiplicable T>
T operator*(CGFloat factor, const T& value) {
    return multiply(value, factor);
}
// Multiplied by the reciprocal, formed first.
template <Multiplicable T>
T operator/(const T& value, CGFloat divisor) {
    return multiply(value, 1.0 / divisor);
}

}  // namespace Orrindle
