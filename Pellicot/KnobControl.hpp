#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"

namespace Pellicot {

// A rotary control: shows one frame of an image sequence for the parameter's value, changes
// the value by vertical dragging (up raises it) and resets it to the default on a double click
// or an Option-click. The caller draws the frames.
struct KnobControl {
    std::shared_ptr<AudioParameter> param;
    CGFloat knobMinDrag;        // points the pointer moves before a drag starts
    float knobDragScaleFactor;  // travel (0 to 1) per point
    int imageCount;             // frames in the sequence, at least 1
    std::function<SwiftUI::AnyView(int frame)> content;  // 1-based frame number

    // Vertical pointer position of the previous drag event; absent outside a drag.
    SwiftUI::State<std::optional<CGFloat>> lastDragValue{std::nullopt};
    // The unrounded value the drag accumulates, so an indexed parameter steps only after a
    // step's worth of travel; absent outside a drag.
    SwiftUI::State<std::optional<float>> continuousDragValue{std::nullopt};
    SwiftUI::State<int> imageIndex{1};

    KnobControl(std::shared_ptr<AudioParameter> param, CGFloat knobMinDrag, float knobDragScaleFactor, int imageCount,
                std::function<SwiftUI::AnyView(int)> content);

    SwiftUI::AnyView body() const;

    // The gesture's steps. A cancelled drag ends like one released.
    void dragChanged(CGFloat y) const;
    void dragEnded() const;
    void reset() const;

    // The frame (1...imageCount) that shows `value`. A position that is not a number (a range
    // with equal bounds) shows the first frame.
    static int frame(const AudioParameter& param, float value, int imageCount);
};

}  // namespace Pellicot
