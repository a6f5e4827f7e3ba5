#pragma once
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AudioToolbox/AUAudioUnitFactory.hpp"

namespace AudioHost {

// A named set of parameter values the host can apply, by parameter identifier. `values` is
// asked once per use, so a preset that draws random values draws them anew each time.
struct HostPreset {
    std::string name;
    std::string description;
    std::function<std::vector<std::pair<std::string, float>>()> values;
};

// How the host obtains the effect it runs: the one place that knows which effect that is.
class UnitSource {
public:
    virtual ~UnitSource() = default;
    // A new factory for each unit, as an extension's principal class (it may own what the unit
    // needs while it lives, such as its settings object).
    virtual std::shared_ptr<AudioToolbox::AUAudioUnitFactory> makeFactory() = 0;
    virtual AudioToolbox::AudioComponentDescription componentDescription() const = 0;
    virtual std::vector<HostPreset> presets() const = 0;
};

}  // namespace AudioHost
