#pragma once
#include "Pellicot/DialColors.hpp"
#include "Pellicot/DialFace.hpp"

namespace Pellicot {

// A grey dial with 56 x 64 frames and a Dosis label.
struct ChaosDial : DialSettings<ModernDialColor> {
    static constexpr int imageCount = 51;
    static constexpr CGFloat knobMinDrag = 6;
    static constexpr float knobDragScaleFactor = 0.005f;

    using DialSettings::DialSettings;

    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
