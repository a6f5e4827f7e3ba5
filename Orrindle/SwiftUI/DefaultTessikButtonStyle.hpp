#pragma once
#include "SwiftUI/Button.hpp"

namespace Orrindle {

// QuorvaneButtonStyle's bezel with a regular 11-point label, whose colour is shown at half
// opacity while the button is disabled. The enabled flag is the environment's where the
// button stands, read when its body is installed.
struct DefaultTessikButtonStyle final : SwiftUI::ButtonStyle {
    SwiftUI::AnyView makeBody(const Configuration& configuration) const override;
};

}  // namespace Orrindle
