#include "Host/AudioHost/RenderStatistics.hpp"

#include <cmath>
#include <cstdio>

namespace AudioHost {

void RenderStatistics::countNote(double shiftMs, bool moved) {
    ++notes_;
    if (moved) ++notesMoved_;
    if (std::fabs(shiftMs) > std::fabs(largestShiftMs_)) largestShiftMs_ = shiftMs;
    totalShiftMs_ += shiftMs;
}

std::string RenderStatistics::summary() const {
    char text[200];
    std::snprintf(text, sizeof text, "%zu events in, %zu out; %zu of %zu notes moved, largest shift %.1f ms, mean shift %.1f ms",
                  eventsIn_, eventsOut_, notesMoved_, notes_, largestShiftMs_, meanShiftMs());
    return text;
}

}  // namespace AudioHost
