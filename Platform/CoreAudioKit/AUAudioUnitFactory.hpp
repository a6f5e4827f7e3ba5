#pragma once
#include <memory>
#include <optional>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "AudioToolbox/RenderTypes.hpp"
#include "Foundation/NSError.hpp"

namespace CoreAudioKit {

// What an extension's principal class adopts so that a host can ask it for its unit.
class AUAudioUnitFactory {
public:
    virtual ~AUAudioUnitFactory() = default;
    // Throws Foundation::NSError when the unit cannot be made.
    virtual std::shared_ptr<AudioToolbox::AUAudioUnit> createAudioUnit(
        const AudioToolbox::AudioComponentDescription& componentDescription) = 0;

    // The message form (createAudioUnitWithComponentDescription:error:): nil and the error in
    // `error`, when given, instead of a throw.
    std::shared_ptr<AudioToolbox::AUAudioUnit> createAudioUnitWithComponentDescription(
        const AudioToolbox::AudioComponentDescription& componentDescription, std::optional<Foundation::NSError>* error) {
        try {
            return createAudioUnit(componentDescription);
        } catch (const Foundation::NSError& e) {
            if (error) *error = e;
            return nullptr;
        }
    }
};

}  // namespace CoreAudioKit
