#include "Host/AudioHost/RenderUnits.hpp"

#include "Host/AudioHost/EditorPresets.hpp"

namespace AudioHost {

HostedUnit RenderUnits::make() {
    HostedUnit hosted = HostedUnit::create(source_);
    if (!setup_) {
        // The preset is chosen once, in the first unit's editor; the others get the values it left.
        ParameterSetup::Values presetValues;
        if (options_.preset) {
            EditorPresets(hosted).choose(*options_.preset);
            presetValues = ParameterSetup::valuesOf(hosted.unit());
        }
        setup_ = ParameterSetup::resolve(hosted.unit(), std::move(presetValues), options_.assignments);
    }
    setup_->apply(hosted.unit());
    hosted.unit().setShouldBypassEffect(options_.bypass);
    return hosted;
}

}  // namespace AudioHost
