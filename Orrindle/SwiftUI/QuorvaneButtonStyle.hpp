#pragma once
#include "SwiftUI/Button.hpp"

namespace Orrindle {

// SwiftUI buttons on the kit's push-button bezel: bold rounded 12-point label in the control
// text colour (the highlighted one while pressed), 24 points high on "kvu-button" (pressed:
// "kvu-button-down"); the button takes 2 points less room on each side than its bezel. The
// label's width is the caller's. It has no disabled look of its own.
struct QuorvaneButtonStyle final : SwiftUI::ButtonStyle {
    SwiftUI::AnyView makeBody(const Configuration& configuration) const override;
};

}  // namespace Orrindle
