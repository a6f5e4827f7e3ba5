#pragma once
#include "Pellicot/DialColors.hpp"
#include "Pellicot/DialFace.hpp"

namespace Pellicot {

// The editor's main dial, in four colours: 68 x 84 frames, 200 points of drag for the range.
struct MediumDial : DialSettings<SmallDialColor> {
    static constexpr int imageCount = 51;
    static constexpr CGFloat knobMinDrag = 6;
    static constexpr float knobDragScaleFactor = 0.005f;

    using DialSettings::DialSettings;

    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
