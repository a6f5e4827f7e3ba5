#include "SwiftUI/GeometryEffect.hpp"

namespace SwiftUI {

AnyView GeometryEffect::body(const AnyView& content) const {
    const auto t = effectValue({}).affine;
    return modifiers::offset(content, t.tx, t.ty);
}

}  // namespace SwiftUI
