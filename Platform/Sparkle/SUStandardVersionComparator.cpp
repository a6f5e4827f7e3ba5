#include "Sparkle/SUStandardVersionComparator.hpp"

#include <cstdint>
#include <limits>

#include "Foundation/NumberText.hpp"
#include "Foundation/Strings.hpp"

namespace Sparkle {

namespace {

constexpr std::int64_t high = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t low = std::numeric_limits<std::int64_t>::min();

std::int64_t saturated(std::int64_t a, std::int64_t b, bool multiply) {
    std::int64_t r = 0;
    const bool overflow = multiply ? __builtin_mul_overflow(a, b, &r) : __builtin_add_overflow(a, b, &r);
    if (!overflow) return r;
    return (multiply ? (a < 0) != (b < 0) : b < 0) ? low : high;
}

std::int64_t weight(std::string_view version) {
    std::int64_t total = 0;
    int index = 0;
    for (const auto& part : Foundation::split(version, '.')) {
        const std::int64_t place = index == 0 ? 10000 : index == 1 ? 100 : 1;
        total = saturated(total, saturated(Foundation::NumberText::parseInt64(part).value_or(0), place, true), false);
        ++index;
    }
    return total;
}

}  // namespace

int SUStandardVersionComparator::compareVersions(std::string_view a, std::string_view b) {
    const std::int64_t wa = weight(a), wb = weight(b);
    return wa < wb ? -1 : wa > wb ? 1 : 0;
}

}  // namespace Sparkle
