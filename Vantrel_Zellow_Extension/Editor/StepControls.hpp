#pragma once
#include <memory>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/View.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace Vantrel_Zellow_Extension {

// The steps the effect plays: the step count truncated toward zero. A value that is no number
// counts as every step, so nothing is locked away by a value that cannot occur.
int playedStepCount(float stepCountValue);

// A dot that lights while the effect plays its step (counted from 0).
struct StepIndicator {
    SwiftUI::Environment<Settings> settings;
    int step;

    explicit StepIndicator(int step) : step(step) {}
    SwiftUI::AnyView body() const;
};

// The delay of one step (counted from 1) on a small dial; disabled and dimmed beyond the step
// count.
struct StepDial {
    SwiftUI::Environment<Settings> settings;
    std::shared_ptr<Pellicot::AudioParameter> param;
    int step;

    StepDial(std::shared_ptr<Pellicot::AudioParameter> param, int step) : param(std::move(param)), step(step) {}
    SwiftUI::AnyView body() const;
};

// The velocity of one step (counted from 1) on a vertical slider; disabled beyond the step
// count, where its handle shows that it is.
struct StepSlider {
    SwiftUI::Environment<Settings> settings;
    std::shared_ptr<Pellicot::AudioParameter> param;
    int step;

    static constexpr Pellicot::CGFloat trackHeight = 69;

    StepSlider(std::shared_ptr<Pellicot::AudioParameter> param, int step) : param(std::move(param)), step(step) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Vantrel_Zellow_Extension
