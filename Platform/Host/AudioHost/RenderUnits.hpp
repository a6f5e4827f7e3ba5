#pragma once
#include <optional>

#include "Host/AudioHost/HostedUnit.hpp"
#include "Host/AudioHost/ParameterSetup.hpp"
#include "Host/AudioHost/RenderJob.hpp"

namespace AudioHost {

// The units of one render, all set up alike: the preset is chosen in the first unit's editor,
// the settings are checked against its parameter tree, and every unit gets the values and the
// bypass switch.
class RenderUnits {
public:
    RenderUnits(UnitSource& source, const RenderOptions& options) : source_(source), options_(options) {}

    // Throws BadInput for options the unit does not take, UnitFailure when it cannot be made.
    HostedUnit make();

private:
    UnitSource& source_;
    const RenderOptions& options_;
    std::optional<ParameterSetup> setup_;
};

}  // namespace AudioHost
