#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "AudioToolbox/AUParameter.hpp"

namespace AudioHost {

// The parameter values a render starts from: those a preset left (every parameter's value), then
// IDENTIFIER=VALUE settings in the order given, checked against a unit's parameter tree once and
// then written into every unit the same way.
class ParameterSetup {
public:
    using Values = std::vector<std::pair<AudioToolbox::AUParameterAddress, float>>;

    // Throws BadInput for an unknown identifier (naming the valid ones), a value that is not a
    // number or lies outside the parameter's range.
    static ParameterSetup resolve(AudioToolbox::AUAudioUnit& unit, Values presetValues, const std::vector<std::string>& assignments);
    // Every parameter's value, in tree order.
    static Values valuesOf(AudioToolbox::AUAudioUnit& unit);

    // Throws BadInput "WHAT: VALUE is outside the range LOW...HIGH of "IDENTIFIER"" for a value
    // the parameter does not take (NaN included): the host refuses it rather than clamp it.
    static void checkValue(const AudioToolbox::AUParameter& parameter, float value, const std::string& what);

    // Writes every value through the unit's parameter tree, as a host does, and lets the main
    // queue settle.
    void apply(AudioToolbox::AUAudioUnit& unit) const;

    const Values& writes() const { return writes_; }

private:
    Values writes_;
};

}  // namespace AudioHost
