#pragma once
#include "SwiftUI/Button.hpp"

namespace Vantrel_Zellow_Extension {

// The editor's small bezel with the label in the values colour; pressed, the bezel sinks.
struct VantrelButtonStyle final : SwiftUI::ButtonStyle {
    SwiftUI::AnyView makeBody(const Configuration& configuration) const override;
};

}  // namespace Vantrel_Zellow_Extension
