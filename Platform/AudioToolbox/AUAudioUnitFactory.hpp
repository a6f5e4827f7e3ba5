#pragma once
#include <memory>

#include "AudioToolbox/AUAudioUnit.hpp"

namespace AudioToolbox {

// What an extension's principal class offers the host: the unit for a component description.
// Throws the unit's creation error unchanged.
class AUAudioUnitFactory {
public:
    virtual ~AUAudioUnitFactory() = default;
    virtual std::shared_ptr<AUAudioUnit> createAudioUnit(const AudioComponentDescription& componentDescription) = 0;
};

}  // namespace AudioToolbox
