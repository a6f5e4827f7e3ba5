#pragma once
#include "SwiftUI/Button.hpp"
#include "SwiftUI/Color.hpp"

namespace Pellicot {

// The label on the kit's modern bezel, 27 points high; on, it is lit and the label takes
// `color`. The label keeps the font around it.
struct ModernButtonStyle final : SwiftUI::ButtonStyle {
    bool isOn;
    SwiftUI::Color color;

    ModernButtonStyle(bool isOn, SwiftUI::Color color) : isOn(isOn), color(std::move(color)) {}
    SwiftUI::AnyView makeBody(const Configuration& configuration) const override;
};

}  // namespace Pellicot
