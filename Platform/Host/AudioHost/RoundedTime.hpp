#pragma once
#include <cmath>
#include <cstdint>

namespace AudioHost {

// std::llround (halves away from zero) without the library call, as every event of a song is
// placed with it twice. Below 2^52, adding the double just under one half and truncating rounds
// exactly: a true half reaches the next whole number, anything less does not. Beyond, a double
// is whole already.
inline std::int64_t roundedTime(double value) {
    if (std::fabs(value) < 4503599627370496.0) return std::int64_t(value + std::copysign(0.49999999999999994, value));
    return std::llround(value);
}

}  // namespace AudioHost
