#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "Vantrel_Zellow_Extension/Engine/ParameterPreset.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace Vantrel_Zellow_Extension {

// A whole number drawn uniformly from lower...upper, both included.
using RandomSource = std::function<int(int lower, int upper)>;
// The system's secure random source, without bias.
RandomSource systemRandomSource();

// The editor's many-parameter edits: applying a preset and the RESET button. Every change is an
// ordinary `ui` change of one parameter, in a fixed order, so the host records each of them.
// Main thread.
class PresetActions {
public:
    explicit PresetActions(std::shared_ptr<Settings> settings, RandomSource random = systemRandomSource(),
                           const std::vector<ParameterPreset>& presets = ParameterPreset::factoryPresets());

    // All values of a plain preset (entries it lacks leave their parameters alone), or fresh
    // random step delays (0...25 ms) or step velocities (0...100 %).
    void applyPreset(const ParameterPreset& preset) const;
    // With Option held now: random delays, then random velocities. Otherwise the defaults.
    void resetStepPattern() const;
    // The step count and the step pattern back to their defaults; the global dials stay.
    void resetStepsToDefaults() const;

private:
    void randomise(const std::array<Settings::Parameter, 16>& params, int upper) const;

    std::shared_ptr<Settings> settings_;
    RandomSource random_;
    const std::vector<ParameterPreset>* presets_;
};

}  // namespace Vantrel_Zellow_Extension
