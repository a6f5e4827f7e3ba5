#pragma once
#include <memory>
#include <optional>

#include "Orrindle/Settings/PobbleSliderModel.hpp"
#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"

namespace Orrindle {

// The kit's SwiftUI slider over a PobbleSliderModel: an icon button at each end and between
// them a track with a fill from its leading edge to a handle. Dragging on the track sets the
// value (with Shift held, in whole increments); a drag that starts on the handle keeps the
// handle's offset from the pointer and moves it only after 20 points of travel; an Option-click
// on the track resets the value; the icons step or jump it (the model's icon behaviour). Without
// a single value it shows a faded handle at each starting value, up to five. Its width comes
// from its container. Main thread only.
struct PobbleSlider : SwiftUI::View<PobbleSlider> {
    std::shared_ptr<PobbleSliderModel> model;
    SwiftUI::Image leftImage, rightImage;

    SwiftUI::State<CGFloat> sliderWidth{1};  // the track's measured width
    SwiftUI::State<bool> isDragging{false};
    SwiftUI::State<CGFloat> xDragOffset{0};       // grab point to the handle's centre
    SwiftUI::State<CGFloat> xDistanceDragged{0};  // travel summed over a drag's changes

    static constexpr CGFloat knobYPosition = 12;
    static constexpr int maxKnobs = 5;
    static constexpr CGFloat grabbedHandleTravel = 20;  // before a grabbed handle follows

    PobbleSlider(std::shared_ptr<PobbleSliderModel> model, SwiftUI::Image leftImage, SwiftUI::Image rightImage);
    SwiftUI::AnyView body() const;

    // The track's geometry for the current width and model (x from the track's leading edge).
    // Nothing fills and the handle sits at 0 until the track is wider than 10 points.
    CGFloat fillWidth() const;
    CGFloat knobXPosition() const;
    double knobOpacity() const;
    // Where the faded handle of starting value `index` goes; none while the model has a value,
    // with more starting values than maxKnobs, or for an index it does not have.
    std::optional<CGFloat> extraKnobXPosition(int index) const;
    // The pointer's x on the track with the grab offset added, caught to an end within 8 points
    // of it.
    CGFloat dragPosition(CGFloat x) const;

    // The track's drag, change by change and at its end (a cancelled drag ends like a release).
    void handleDragChanged(const SwiftUI::DragGesture::Value& value) const;
    void handleDragEnded(const SwiftUI::DragGesture::Value& value) const;
};

}  // namespace Orrindle
