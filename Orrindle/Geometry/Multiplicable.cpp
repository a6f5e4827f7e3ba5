#include "Orrindle/Geometry/Multiplicable.hpp"

namespace Orrindle {

CoreGraphics::CGRect multiply(const CoreGraphics::CGRect& v, CGFloat f) {
    return {v.origin.x * f, v.origin.y * f, v.size.width * f, v.size.height * f};
}
CoreGraphics::CGSize multiply(CoreGraphics::CGSize v, CGFloat f) { return {v.width * f, v.height * f}; }
CoreGraphics::CGPoint multiply(CoreGraphics::CGPoint v, CGFloat f) { return {v.x * f, v.y * f}; }

}  // namespace Orrindle
