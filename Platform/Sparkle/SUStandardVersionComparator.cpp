#include "Sparkle/SUStandardVersionComparator.hpp"

#include <cstdint>
#include <limits>

#include "Foundation/NumberText.hpp"
#include "Foundation/Strings.hpp"

namespace Sparkle {

namespace {

constexpr std::int64_t high = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t low = std::numeric_limits<std::int64_t>::min();

std::int64_t saturated(std::int64_t a, std::int64_t b, bool multiply, bool& overflow) {
    std::int64_t r = 0;
    if (!(multiply ? __builtin_mul_overflow(a, b, &r) : __builtin_add_overflow(a, b, &r))) return r;
    overflow = true;
    return (multiply ? (a < 0) != (b < 0) : b < 0) ? low : high;
}

std::int64_t weight(std::string_view version, bool& overflow) {
    std::int64_t total = 0;
    int index = 0;
    for (const auto& part : Foundation::split(version, '.')) {
        const std::int64_t place = index == 0 ? 10000 : index == 1 ? 100 : 1;
        const std::int64_t number = Foundation::NumberText::parseInt64(part).value_or(0);
        total = saturated(total, saturated(number, place, true, overflow), false, overflow);
        ++index;
    }
    return total;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int SUStandardVersionComparator::compareVersions(std::string_view a, std::string_view b) {
    bool ignored = false;
    const std::int64_t wa = weight(a, ignored), wb = weight(b, ignored);
    return wa < wb ? -1 : wa > wb ? 1 : 0;
}

bool SUStandardVersionComparator::canRead(std::string_view version) {
    for (const auto& part : Foundation::split(version, '.', false)) {
        if (part.empty()) return false;
        for (char c : part)
            if (!isDigit(c)) return false;
        if (!Foundation::NumberText::parseInt64(part)) return false;
    }
    bool overflow = false;
    (void)weight(version, overflow);
    return !overflow;
}

}  // namespace Sparkle
