#include "Host/AudioHost/HostedUnit.hpp"

#include "Dispatch/RunLoop.hpp"
#include "Host/AudioHost/BadInput.hpp"

namespace AudioHost {

HostedUnit HostedUnit::create(UnitSource& source) {
    auto factory = source.makeFactory();
    if (!factory) throw UnitFailure("the effect offers no audio unit factory");
    std::shared_ptr<AudioToolbox::AUAudioUnit> unit;
    try {
        unit = factory->createAudioUnit(source.componentDescription());
    } catch (const Foundation::NSError& error) {
        throw UnitFailure("the effect could not create its audio unit: " + error.localizedDescription());
    }
    if (!unit) throw UnitFailure("the effect's factory gave no audio unit");
    Dispatch::RunLoop::main().runUntilIdle();
    return HostedUnit(std::move(factory), std::move(unit));
}

}  // namespace AudioHost
