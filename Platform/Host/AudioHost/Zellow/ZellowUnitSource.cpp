#include "Host/AudioHost/Zellow/ZellowUnitSource.hpp"

#include <cstdio>
#include <random>

#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"
#include "Vantrel_Zellow_Extension/Engine/ParameterPreset.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace AudioHost {

using Vantrel_Zellow_Extension::MidiZellowAudioUnit;
using Vantrel_Zellow_Extension::ParameterPreset;
using Vantrel_Zellow_Extension::RandomPresetType;
using Vantrel_Zellow_Extension::Settings;

namespace {

class ZellowFactory : public AudioToolbox::AUAudioUnitFactory {
public:
    std::shared_ptr<AudioToolbox::AUAudioUnit> createAudioUnit(const AudioToolbox::AudioComponentDescription& description) override {
        auto unit = Runtime::make<MidiZellowAudioUnit>(description, 0);
        unit_ = unit;
        settings_->configureAudioUnit(unit);
        settings_->setupParameterTreeListeners();
        return unit;
    }

private:
    std::shared_ptr<Settings> settings_ = [] {
        auto settings = Settings::make();
        settings->setUpdateFeedURL(std::nullopt);
        return settings;
    }();
    std::shared_ptr<MidiZellowAudioUnit> unit_;
};

using Values = std::vector<std::pair<std::string, float>>;

std::string stepIdentifier(int step, bool velocity) {
    return "step" + std::to_string(step) + (velocity ? "Velocity" : "");
}

// Whole numbers lo...hi, each equally likely, from the system's secure random source.
Values randomSteps(bool velocity, int lo, int hi) {
    std::random_device device;
    std::uniform_int_distribution<int> draw(lo, hi);
    Values values;
    for (int k = 1; k <= 16; ++k) values.emplace_back(stepIdentifier(k, velocity), float(draw(device)));
    return values;
}

// In the order the editor writes them.
Values presetValues(const ParameterPreset& p) {
    Values v = {{"stepCount", float(p.steps)}, {"delay", float(p.delay)}, {"random", float(p.random)}, {"seed", float(p.seed)}};
    const char* swings[] = {"swingOneFour", "swingOneEight", "swingOneSixteen"};
    for (std::size_t i = 0; i < 3 && i < p.swings.size(); ++i) v.emplace_back(swings[i], float(p.swings[i]));
    for (std::size_t i = 0; i < 16 && i < p.stepValues.size(); ++i) v.emplace_back(stepIdentifier(int(i) + 1, false), float(p.stepValues[i]));
    for (std::size_t i = 0; i < 16 && i < p.stepVelocities.size(); ++i) v.emplace_back(stepIdentifier(int(i) + 1, true), float(p.stepVelocities[i]));
    return v;
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string describe(const ParameterPreset& p) {
    if (p.randomType == RandomPresetType::stepDelay) return "new random step delays of 0...25 ms each time";
    if (p.randomType == RandomPresetType::stepVelocity) return "new random step velocities of 0...100 % each time";
    std::string d = std::to_string(p.steps) + " steps";
    if (p.delay != 0) d += ", delay " + number(p.delay) + " ms";
    if (p.random != 0) d += ", random " + number(p.random) + " ms";
    if (p.seed != 0) d += ", seed " + std::to_string(p.seed);
    bool swung = false;
    for (double s : p.swings) swung |= s != 50;
    if (swung && p.swings.size() == 3)
        d += ", swing " + number(p.swings[0]) + "/" + number(p.swings[1]) + "/" + number(p.swings[2]) + " %";
    for (std::size_t i = 0; i < p.stepValues.size(); ++i)
        if (p.stepValues[i] != 0) d += ", step " + std::to_string(i + 1) + " +" + number(p.stepValues[i]) + " ms";
    bool accented = false;
    for (std::size_t i = 0; i < p.stepVelocities.size(); ++i) accented |= p.stepVelocities[i] != 100;
    if (accented) {
        d += ", velocities";
        for (std::size_t i = 0; i < p.stepVelocities.size() && int(i) < p.steps; ++i) d += " " + number(p.stepVelocities[i]);
        d += " %";
    }
    return d;
}

}  // namespace

std::shared_ptr<AudioToolbox::AUAudioUnitFactory> ZellowUnitSource::makeFactory() { return std::make_shared<ZellowFactory>(); }

AudioToolbox::AudioComponentDescription ZellowUnitSource::componentDescription() const {
    return {AudioToolbox::kAudioUnitType_MIDIProcessor, AudioToolbox::fourCC("vzlw"), AudioToolbox::fourCC("Qrvn"), 0, 0};
}

std::vector<HostPreset> ZellowUnitSource::presets() const {
    std::vector<HostPreset> presets;
    for (const ParameterPreset& p : ParameterPreset::factoryPresets()) {
        HostPreset preset{p.name, describe(p), nullptr};
        switch (p.randomType) {
            case RandomPresetType::none: preset.values = [values = presetValues(p)] { return values; }; break;
            case RandomPresetType::stepDelay: preset.values = [] { return randomSteps(false, 0, 25); }; break;
            case RandomPresetType::stepVelocity: preset.values = [] { return randomSteps(true, 0, 100); }; break;
        }
        presets.push_back(std::move(preset));
    }
    return presets;
}

}  // namespace AudioHost
