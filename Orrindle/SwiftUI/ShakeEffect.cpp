#include "Orrindle/SwiftUI/ShakeEffect.hpp"

#include <cmath>

namespace Orrindle {

SwiftUI::ProjectionTransform ShakeEffect::effectValue(CoreGraphics::CGSize) const {
    const CoreGraphics::CGFloat x = amount * std::sin(animatableData * CoreGraphics::pi * shakes);
    return SwiftUI::ProjectionTransform(CoreGraphics::CGAffineTransform::translation(x, 0));
}

}  // namespace Orrindle
