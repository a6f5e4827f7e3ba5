#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "AudioToolbox/AUParameter.hpp"
#include "Host/AudioHost/UnitSource.hpp"

namespace AudioHost {

// The parameter values a render starts from: a preset, then IDENTIFIER=VALUE settings in the
// order given, checked against a unit's parameter tree once and then written into every unit
// the same way.
class ParameterSetup {
public:
    // Throws BadInput for an unknown preset or identifier (naming the valid ones), a value that
    // is not a number or lies outside the parameter's range.
    static ParameterSetup resolve(AudioToolbox::AUAudioUnit& unit, const std::vector<HostPreset>& presets,
                                  const std::optional<std::string>& presetName,
                                  const std::vector<std::string>& assignments);

    // Throws BadInput "WHAT: VALUE is outside the range LOW...HIGH of "IDENTIFIER"" for a value
    // the parameter does not take (NaN included): the host refuses it rather than clamp it.
    static void checkValue(const AudioToolbox::AUParameter& parameter, float value, const std::string& what);

    // Writes every value through the unit's parameter tree, as a host does, and lets the main
    // queue settle.
    void apply(AudioToolbox::AUAudioUnit& unit) const;

    const std::vector<std::pair<AudioToolbox::AUParameterAddress, float>>& writes() const { return writes_; }

private:
    std::vector<std::pair<AudioToolbox::AUParameterAddress, float>> writes_;
};

}  // namespace AudioHost
