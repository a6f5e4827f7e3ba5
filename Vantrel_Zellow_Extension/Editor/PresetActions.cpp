#include "Vantrel_Zellow_Extension/Editor/PresetActions.hpp"

#include <algorithm>
#include <random>

#include "AppKit/NSEvent.hpp"

namespace Vantrel_Zellow_Extension {

namespace {

void write(const Settings::Parameter& param, double value) {
    param->setValue(static_cast<float>(value), Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
}

void writeEach(const std::array<Settings::Parameter, 16>& params, const std::vector<double>& values) {
    const std::size_t n = std::min(params.size(), values.size());
    for (std::size_t i = 0; i < n; ++i) write(params[i], values[i]);
}

const ParameterPreset* firstOfType(const std::vector<ParameterPreset>& presets, RandomPresetType type) {
    auto it = std::find_if(presets.begin(), presets.end(), [type](const ParameterPreset& p) { return p.randomType == type; });
    return it == presets.end() ? nullptr : &*it;
}

}  // namespace

RandomSource systemRandomSource() {
    return [](int lower, int upper) {
        thread_local std::random_device device;
        return std::uniform_int_distribution<int>(lower, upper)(device);
    };
}

PresetActions::PresetActions(std::shared_ptr<Settings> settings, RandomSource random, const std::vector<ParameterPreset>& presets)
    : settings_(std::move(settings)), random_(random ? std::move(random) : systemRandomSource()), presets_(&presets) {}

void PresetActions::applyPreset(const ParameterPreset& preset) const {
    const Settings& s = *settings_;
    switch (preset.randomType) {
    case RandomPresetType::none: {
        write(s.stepCount, preset.steps);
        write(s.delay, preset.delay);
        write(s.randomness, preset.random);
        write(s.seed, preset.seed);
        const Settings::Parameter swings[] = {s.swingOneFour, s.swingOneEight, s.swingOneSixteen};
        for (std::size_t i = 0; i < 3 && i < preset.swings.size(); ++i) write(swings[i], preset.swings[i]);
        writeEach(s.steps, preset.stepValues);
        writeEach(s.stepVelocities, preset.stepVelocities);
        break;
    }
    case RandomPresetType::stepDelay:
        // Half of the delay range: fuller delays make a pattern sound broken rather than loose.
        randomise(s.steps, 25);
        break;
    case RandomPresetType::stepVelocity:
        randomise(s.stepVelocities, 100);
        break;
    }
}

void PresetActions::randomise(const std::array<Settings::Parameter, 16>& params, int upper) const {
    for (const auto& param : params) write(param, random_(0, upper));
}

void PresetActions::resetStepPattern() const {
    // The keys held now, not those of the click that led here.
    if (AppKit::NSEvent::modifierFlags().contains(AppKit::ModifierFlags::option())) {
        if (const auto* p = firstOfType(*presets_, RandomPresetType::stepDelay)) applyPreset(*p);
        if (const auto* p = firstOfType(*presets_, RandomPresetType::stepVelocity)) applyPreset(*p);
    } else {
        resetStepsToDefaults();
    }
}

void PresetActions::resetStepsToDefaults() const {
    const Settings& s = *settings_;
    write(s.stepCount, s.stepCount->defaultValue());
    for (const auto& p : s.steps) write(p, p->defaultValue());
    for (const auto& p : s.stepVelocities) write(p, p->defaultValue());
}

}  // namespace Vantrel_Zellow_Extension
