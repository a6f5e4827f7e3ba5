#pragma once
#include <memory>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"
#include "Vantrel_Zellow_Extension/Editor/PresetActions.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace Vantrel_Zellow_Extension {

// The whole editor: header with the preset menu, the six global dials and the sixteen-step
// grid, laid out at 640 x 480 and drawn scaled to fit the window, centred in it.
struct MainView {
    static constexpr Pellicot::CGFloat width = 640, height = 480;

    SwiftUI::Environment<Settings> settings;
    // What the step-count button shows; follows the step-count parameter.
    SwiftUI::State<int> stepCount{16};
    // The header's tab parameter: a placeholder without values, so no tabs show.
    SwiftUI::State<std::shared_ptr<Pellicot::AudioParameter>> fakeTabParam{Pellicot::AudioParameter::dummyParam()};
    // Where the randomising presets draw from.
    RandomSource random;

    explicit MainView(RandomSource random = systemRandomSource()) : random(std::move(random)) {}

    SwiftUI::AnyView body() const;

    // The scale the 640 x 480 picture is drawn at in a window of this size.
    static Pellicot::CGFloat scale(Pellicot::CGSize size);

    void applyPreset(const ParameterPreset& preset) const;
    void resetStepPattern() const;
    void resetStepsToDefaults() const;

private:
    PresetActions actions() const { return PresetActions(settings.get(), random); }
    SwiftUI::AnyView content() const;
    SwiftUI::AnyView presetMenu() const;
    SwiftUI::AnyView dialRow() const;
    SwiftUI::AnyView stepGrid() const;
};

}  // namespace Vantrel_Zellow_Extension
