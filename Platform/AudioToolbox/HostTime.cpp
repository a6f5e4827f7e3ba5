#include "AudioToolbox/HostTime.hpp"

#include <time.h>

namespace AudioToolbox {

std::uint64_t AudioGetCurrentHostTime() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u + static_cast<std::uint64_t>(now.tv_nsec);
}

}  // namespace AudioToolbox
