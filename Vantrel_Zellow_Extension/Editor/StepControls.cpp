#include "Vantrel_Zellow_Extension/Editor/StepControls.hpp"

#include <cmath>

#include "Pellicot/DefaultLabelFormatter.hpp"
#include "Pellicot/TinyDial.hpp"
#include "SwiftUI/Shapes.hpp"
#include "Vantrel_Zellow_Extension/Editor/EditorAssets.hpp"
#include "Vantrel_Zellow_Extension/Editor/RestoreMainResponder.hpp"
#include "Vantrel_Zellow_Extension/Editor/VerticalSlider.hpp"

namespace Vantrel_Zellow_Extension {

namespace {

bool isOutOfRange(const Settings& settings, int step) { return step > playedStepCount(settings.stepCount->value()); }

// Disabled beyond the step count; a disabled surrounding keeps it disabled (the environment's
// flag only ever turns off further down).
SwiftUI::AnyView enabledWithin(const SwiftUI::AnyView& control, bool outOfRange) { return control.disabled(outOfRange); }

}  // namespace

int playedStepCount(float value) {
    if (!std::isfinite(value)) return 16;
    return static_cast<int>(std::trunc(std::fmax(std::fmin(value, 1e6f), -1e6f)));
}

SwiftUI::AnyView StepIndicator::body() const {
    using namespace SwiftUI;
    const bool playing = settings->currentStepIndex() == step;
    return AnyView(Circle().fill(Color(EditorColor::values()))).frame(6, 6).opacity(playing ? 1 : 0);
}

SwiftUI::AnyView StepDial::body() const {
    using namespace SwiftUI;
    const bool outOfRange = isOutOfRange(*settings, step);
    const std::weak_ptr<Settings> owner = settings.get();
    auto dial = AnyView(Pellicot::TinyDial(
        param, Pellicot::LabelDisplayOptions(Color(EditorColor::labels()), 10, 12, 12, false, false, 30),
        std::make_shared<Pellicot::DefaultLabelFormatter>(*param, 0), [owner] {
            if (auto s = owner.lock()) restoreMainResponder(*s);
        }));
    return enabledWithin(dial, outOfRange).opacity(outOfRange ? 0.3 : 1.0);
}

SwiftUI::AnyView StepSlider::body() const {
    return enabledWithin(SwiftUI::AnyView(VerticalSlider(param, trackHeight)), isOutOfRange(*settings, step));
}

}  // namespace Vantrel_Zellow_Extension
