#include "Host/AudioHost/RenderUnits.hpp"

namespace AudioHost {

HostedUnit RenderUnits::make() {
    HostedUnit hosted = HostedUnit::create(source_);
    if (!setup_) setup_ = ParameterSetup::resolve(hosted.unit(), source_.presets(), options_.preset, options_.assignments);
    setup_->apply(hosted.unit());
    hosted.unit().setShouldBypassEffect(options_.bypass);
    return hosted;
}

}  // namespace AudioHost
