#pragma once
#include "Pellicot/PelliFont.hpp"
#include "SwiftUI/Button.hpp"

namespace Pellicot {

// The label on the kit's settings bezel. `font` is the face the caller set on the label; the
// display face sits 2 points lower to look centred.
struct SettingsButtonStyle final : SwiftUI::ButtonStyle {
    PelliFont font;

    explicit SettingsButtonStyle(PelliFont font) : font(font) {}
    SwiftUI::AnyView makeBody(const Configuration& configuration) const override;
};

}  // namespace Pellicot
