#include "Vantrel_Zellow_Extension/Engine/ParameterPreset.hpp"

#include <algorithm>

namespace Vantrel_Zellow_Extension {

namespace {

constexpr std::size_t stepTotal = 16;

// Velocities of the first steps; the steps after them play at 100 %.
std::vector<double> velocities(std::initializer_list<double> first) {
    std::vector<double> all(stepTotal, 100.0);
    std::copy(first.begin(), first.end(), all.begin());
    return all;
}

std::vector<double> delays(std::size_t stepNumber = 0, double milliseconds = 0) {
    std::vector<double> all(stepTotal, 0.0);
    if (stepNumber > 0) all[stepNumber - 1] = milliseconds;
    return all;
}

ParameterPreset values(std::string name, int steps, double random, std::vector<double> swings,
                       std::vector<double> stepValues = delays(), std::vector<double> stepVelocities = velocities({})) {
    return ParameterPreset{std::move(name), steps, 0, random, 0, std::move(swings), std::move(stepValues),
                           std::move(stepVelocities), RandomPresetType::none};
}

ParameterPreset action(std::string name, RandomPresetType type) {
    return ParameterPreset{std::move(name), 0, 0, 0, 0, {}, {}, {}, type};
}

}  // namespace

const std::vector<ParameterPreset>& ParameterPreset::factoryPresets() {
    static const std::vector<ParameterPreset> presets{
        values("Default", 16, 0, {50, 50, 50}),
        action("Randomize Step Delay", RandomPresetType::stepDelay),
        action("Randomize Step Velocity", RandomPresetType::stepVelocity),
        values("Velocity Bounce", 4, 0, {50, 50, 50}, delays(), velocities({100, 65, 85, 65})),
        values("Late Snare", 8, 4, {50, 50, 50}, delays(5, 40)),
        values("A Bit Random", 16, 5, {50, 50, 50}),
        values("Very Random", 5, 20, {50, 50, 50}, delays(), velocities({100, 95, 100, 80, 90})),
        values("I Like Twins", 11, 20, {60, 55, 52}, delays(),
               velocities({100, 90, 100, 80, 100, 90, 80, 100, 90, 100, 90})),
        values("1/4 Swinger", 16, 5, {54, 50, 50}),
        values("1/8 Swinger", 16, 5, {50, 54, 50}),
        values("1/16 Swinger", 4, 4, {50, 50, 54}, delays(), velocities({100, 90, 100, 90})),
    };
    return presets;
}

}  // namespace Vantrel_Zellow_Extension
