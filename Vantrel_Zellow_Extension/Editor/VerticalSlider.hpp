#pragma once
#include <memory>
#include <optional>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace Vantrel_Zellow_Extension {

// A handle dragged up and down a track of fixed height, over the parameter's value as text.
// The value is placed as a percentage; a drag over the whole track sweeps the whole range.
// A double click or an Option-click resets to the default.
struct VerticalSlider {
    using CGFloat = Pellicot::CGFloat;

    SwiftUI::Environment<Settings> settings;
    SwiftUI::EnvironmentValue<bool> isEnabled{&SwiftUI::EnvironmentValues::isEnabled};
    std::shared_ptr<Pellicot::AudioParameter> param;
    // Vertical pointer position of the previous drag event; absent outside a drag.
    SwiftUI::State<std::optional<CGFloat>> lastDragValue{std::nullopt};
    // The handle's offset from the middle of the track, y down.
    SwiftUI::State<CGFloat> thumbYOffset{0};
    CGFloat trackHeight;

    VerticalSlider(std::shared_ptr<Pellicot::AudioParameter> param, CGFloat trackHeight)
        : param(std::move(param)), trackHeight(trackHeight) {}

    SwiftUI::AnyView body() const;

    // Where the handle sits for a value (taken as 0...100) on a track of height h.
    static CGFloat thumbOffset(float value, CGFloat trackHeight);
    // The change of value a vertical movement of `delta` points stands for.
    float pixelsToValue(float delta) const;
    // The gesture's steps. A cancelled drag ends like one released.
    void dragChanged(CGFloat y) const;
    void dragEnded() const;
    void reset() const;
};

}  // namespace Vantrel_Zellow_Extension
