#pragma once
#include <functional>

#include "CoreGraphics/Geometry.hpp"
#include "SwiftUI/SwiftUI.hpp"

namespace Orrindle {

// A few modifiers whose effect depends on the system version, or that bundle a platform
// modifier with fixed settings. Every view gets one through backport(view).
class Backport {
public:
    explicit Backport(SwiftUI::AnyView content) : content(std::move(content)) {}

    // Escape (pressed or repeating) runs `action` and is handled; every other key goes on to
    // the handlers around.
    SwiftUI::AnyView onEscapePressed(std::function<void()> action) const;
    // From macOS 26: soft scroll edges on every side; before, the content as it is.
    SwiftUI::AnyView removeScrollViewEdgeEffect() const;
    // Before macOS 26: the content in a frame `width` wide; from 26 on, as it is.
    SwiftUI::AnyView setWidthPreTahoe(CoreGraphics::CGFloat width) const;
    SwiftUI::AnyView alternatingRowBackgrounds(bool enabled) const;
    // A background of `color` half as large again as the content, about its centre.
    SwiftUI::AnyView popoverBackground(const SwiftUI::Color& color) const;

    SwiftUI::AnyView content;
};

template <class V>
Backport backport(const V& view) {
    return Backport(SwiftUI::AnyView(view));
}

}  // namespace Orrindle
