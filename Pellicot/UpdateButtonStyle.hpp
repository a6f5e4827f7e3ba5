#pragma once
#include "SwiftUI/Button.hpp"

namespace Pellicot {

// A small rounded badge in the display face, dimmed while pressed.
struct UpdateButtonStyle final : SwiftUI::ButtonStyle {
    SwiftUI::AnyView makeBody(const Configuration& configuration) const override;
};

}  // namespace Pellicot
