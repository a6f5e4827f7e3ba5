#pragma once
#include <cstdint>

namespace AudioToolbox {

// The current host time: nanoseconds of the monotonic clock (CLOCK_MONOTONIC), so one host
// tick is one nanosecond. Never goes backwards; unrelated to the virtual time of tests.
std::uint64_t AudioGetCurrentHostTime();

}  // namespace AudioToolbox
