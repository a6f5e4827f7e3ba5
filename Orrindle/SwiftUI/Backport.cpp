#include "Orrindle/SwiftUI/Backport.hpp"

#include "Foundation/ProcessInfo.hpp"

namespace Orrindle {

namespace {
bool isTahoeOrLater() { return Foundation::ProcessInfo::processInfo().isOperatingSystemAtLeast({26, 0, 0}); }
}  // namespace

SwiftUI::AnyView Backport::onEscapePressed(std::function<void()> action) const {
    return content.onKeyPress(SwiftUI::KeyPressPhases::down() | SwiftUI::KeyPressPhases::repeat(),
                              [action = std::move(action)](const SwiftUI::KeyPress& press) {
                                  if (press.key != SwiftUI::KeyEquivalent::escape()) return SwiftUI::KeyPressResult::ignored;
                                  if (action) action();
                                  return SwiftUI::KeyPressResult::handled;
                              });
}

SwiftUI::AnyView Backport::removeScrollViewEdgeEffect() const {
    if (isTahoeOrLater()) return content.scrollEdgeEffectStyle(SwiftUI::ScrollEdgeEffectStyle::soft, SwiftUI::Edges::all());
    return content;
}

SwiftUI::AnyView Backport::setWidthPreTahoe(CoreGraphics::CGFloat width) const {
    if (isTahoeOrLater()) return content;
    return content.frame({.width = width});
}

SwiftUI::AnyView Backport::alternatingRowBackgrounds(bool enabled) const {
    return content.alternatingRowBackgrounds(enabled ? SwiftUI::AlternatingRowBackgroundBehavior::enabled
                                                     : SwiftUI::AlternatingRowBackgroundBehavior::disabled);
}

SwiftUI::AnyView Backport::popoverBackground(const SwiftUI::Color& color) const {
    return content.background(SwiftUI::AnyView(color).scaleEffect(1.5), SwiftUI::Alignment::center());
}

}  // namespace Orrindle
