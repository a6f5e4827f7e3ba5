#pragma once
#include "Pellicot/KitGeometry.hpp"
#include "Pellicot/PelliFont.hpp"
#include "SwiftUI/View.hpp"

namespace Pellicot {

// Sets the environment font of its content to one of the kit's faces at a size in points.
struct CustomFontModifier {
    PelliFont font;
    CGFloat size;

    SwiftUI::AnyView body(const SwiftUI::AnyView& content) const;
};

// `content` in the kit face `font` at `size` points.
SwiftUI::AnyView pelliFont(const SwiftUI::AnyView& content, PelliFont font, CGFloat size);
SwiftUI::AnyView rocketFont(const SwiftUI::AnyView& content, CGFloat size);

}  // namespace Pellicot
