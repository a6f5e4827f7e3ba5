#pragma once
#include "SwiftUI/Button.hpp"
#include "SwiftUI/Font.hpp"

namespace Orrindle {

// The body the kit's SwiftUI button styles share, modifiers in this order: `font`; the control
// text colour (highlighted while pressed) at `textOpacity`; height 24, centred; the
// "kvu-button" bezel (pressed: "kvu-button-down") behind, centred; -2 points on the leading and
// trailing edges.
SwiftUI::AnyView kitButtonBody(const SwiftUI::ButtonStyleConfiguration& configuration, const SwiftUI::Font& font,
                               double textOpacity);

}  // namespace Orrindle
