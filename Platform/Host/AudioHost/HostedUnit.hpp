#pragma once
#include <memory>

#include "Host/AudioHost/UnitSource.hpp"

namespace AudioHost {

// One unit as the host holds it: the unit and the factory that made it (which may own the
// unit's settings), kept alive together.
class HostedUnit {
public:
    // Creates the unit through a new factory and lets the main queue settle what its
    // configuration queued. Throws UnitFailure when the factory throws or gives no unit.
    static HostedUnit create(UnitSource& source);

    AudioToolbox::AUAudioUnit& unit() const { return *unit_; }
    // The object that made the unit: an extension's principal class, which is also its editor.
    const std::shared_ptr<AudioToolbox::AUAudioUnitFactory>& factory() const { return factory_; }
    const std::shared_ptr<AudioToolbox::AUAudioUnit>& sharedUnit() const { return unit_; }

private:
    HostedUnit(std::shared_ptr<AudioToolbox::AUAudioUnitFactory> factory, std::shared_ptr<AudioToolbox::AUAudioUnit> unit)
        : factory_(std::move(factory)), unit_(std::move(unit)) {}
    std::shared_ptr<AudioToolbox::AUAudioUnitFactory> factory_;
    std::shared_ptr<AudioToolbox::AUAudioUnit> unit_;
};

}  // namespace AudioHost
