#include "TessikShaders/ShaderClock.hpp"

#include <cmath>

#include "Dispatch/Clock.hpp"

namespace TessikShaders {

ShaderClock::ShaderClock() : startTime_(now()) {}

double ShaderClock::now() { return Dispatch::Clock::shared().now(); }

void ShaderClock::willResume() {
    if (pauseTime_) pausedTime_ += std::fabs(now() - *pauseTime_);
    pauseTime_.reset();
}

double ShaderClock::elapsed() const {
    const double until = pauseTime_ ? *pauseTime_ : now();
    return std::fabs(until - startTime_) - pausedTime_;
}

}  // namespace TessikShaders
