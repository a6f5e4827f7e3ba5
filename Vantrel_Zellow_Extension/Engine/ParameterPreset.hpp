#pragma once
#include <string>
#include <vector>

#include "Vantrel_Zellow_Extension/Engine/RandomPresetType.hpp"

namespace Vantrel_Zellow_Extension {

// A factory preset: a full set of values, or (randomType other than none) an action whose
// value fields are empty and must not be applied.
struct ParameterPreset {
    std::string name;
    int steps = 0;
    double delay = 0;   // ms
    double random = 0;  // ms
    int seed = 0;
    std::vector<double> swings;          // 1/4, 1/8, 1/16 swing, %
    std::vector<double> stepValues;      // delays of steps 1 ... 16, ms
    std::vector<double> stepVelocities;  // velocities of steps 1 ... 16, %
    RandomPresetType randomType = RandomPresetType::none;

    // A preset's identity in lists and menus.
    const std::string& id() const { return name; }

    // The eleven presets of the preset menu, in menu order; built once, never changed.
    static const std::vector<ParameterPreset>& factoryPresets();

    friend bool operator==(const ParameterPreset&, const ParameterPreset&) = default;
};

}  // namespace Vantrel_Zellow_Extension
