#pragma once
#include "AudioToolbox/RenderTypes.hpp"

namespace Pellicot {

// How the kit's settings write a value into an effect. Adopted by an AUAudioUnit subclass
// (the adopter derives from AudioToolbox::AUAudioUnit as well).
class PelliAudioUnit {
public:
    virtual ~PelliAudioUnit() = default;
    virtual void setParameter(AudioToolbox::AUParameterAddress address, AudioToolbox::AUValue value) = 0;
};

}  // namespace Pellicot
