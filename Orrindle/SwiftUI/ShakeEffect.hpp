#pragma once
#include "CoreGraphics/Geometry.hpp"
#include "SwiftUI/GeometryEffect.hpp"

namespace Orrindle {

// Shakes its content sideways: `shakes` half-swings of `amount` points over the animation's
// progress (`animatableData`, 0 to 1).
struct ShakeEffect : SwiftUI::GeometryEffect {
    CoreGraphics::CGFloat amount;
    CoreGraphics::CGFloat shakes;
    CoreGraphics::CGFloat animatableData;

    ShakeEffect(CoreGraphics::CGFloat amount, CoreGraphics::CGFloat shakes, CoreGraphics::CGFloat animatableData)
        : amount(amount), shakes(shakes), animatableData(animatableData) {}

    SwiftUI::ProjectionTransform effectValue(CoreGraphics::CGSize size) const override;
};

}  // namespace Orrindle
