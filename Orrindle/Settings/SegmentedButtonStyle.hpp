#pragma once
#include "SwiftUI/Button.hpp"

namespace Orrindle {

// The look of one segment of PobbleSegmentedControl: the title in the medium system font of 12
// points, padded 16 points at the sides and 6 above and below, at least as wide as the kit's tab
// image, over that image at its own size, centred. Pressed: "Grey 50%" on "kvu-window-tab-down" (also when selected);
// selected: "Grey 85%" on "kvu-window-tab-selected"; else "Grey 70%" on "kvu-window-tab".
struct SegmentedButtonStyle final : SwiftUI::ButtonStyle {
    explicit SegmentedButtonStyle(bool isSelected) : isSelected(isSelected) {}
    SwiftUI::AnyView makeBody(const Configuration& configuration) const override;

    bool isSelected;
};

}  // namespace Orrindle
