#include <math.h>

#include "Pellicot/AudioParameter.hpp"

namespace Pellicot {

namespace {
// -ln 2 rounded to single precision, so that x raised to the skew of x is exactly one half.
constexpr float minusLn2 = -0.6931472f;
}  // namespace

std::optional<float> AudioParameter::skew(float midpoint) const {
    const float lower = valueRange_.lowerBound, upper = valueRange_.upperBound;
    if (!(lower > 0 && upper > 0 && lower < midpoint && midpoint < upper)) return std::nullopt;
    const float x = logf(midpoint / lower) / logf(upper / lower);
    if (!(0 < x && x < 1)) return std::nullopt;
    return minusLn2 / logf(x);
}

float AudioParameter::normalise(float value) const {
    const float lower = valueRange_.lowerBound, upper = valueRange_.upperBound;
    if (valueIncrement_.isLogarithmic() && lower > 0 && upper > 0) {
        const float base = logf(value / lower) / logf(upper / lower);
        if (const auto& midpoint = valueIncrement_.midpoint())
            if (auto e = skew(*midpoint)) return powf(base, *e);
        return base;
    }
    return (value - lower) / (upper - lower);
}

float AudioParameter::denormalise(float position) const {
    const float lower = valueRange_.lowerBound, upper = valueRange_.upperBound;
    if (!valueIncrement_.isLogarithmic() || !(lower > 0 && upper > 0)) return lower + position * (upper - lower);
    float x = position;
    if (const auto& midpoint = valueIncrement_.midpoint())
        if (auto e = skew(*midpoint)) x = powf(position, 1.0f / *e);
    return lower * powf(upper / lower, x);
}

}  // namespace Pellicot
