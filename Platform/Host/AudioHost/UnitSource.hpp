#pragma once
#include <memory>

#include "AudioToolbox/AUAudioUnitFactory.hpp"

namespace AudioHost {

// How the host obtains the effect it runs: the one place that knows which effect that is.
class UnitSource {
public:
    virtual ~UnitSource() = default;
    // A new factory for each unit, as an extension's principal class (it may own what the unit
    // needs while it lives, such as its settings object, and be the unit's editor too).
    virtual std::shared_ptr<AudioToolbox::AUAudioUnitFactory> makeFactory() = 0;
    virtual AudioToolbox::AudioComponentDescription componentDescription() const = 0;
};

}  // namespace AudioHost
