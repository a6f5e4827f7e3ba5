#include "Pellicot/VersionWeight.hpp"

#include "Foundation/NumberText.hpp"
#include "Foundation/Strings.hpp"

namespace Pellicot {

namespace {

std::int64_t weigh(std::string_view version, bool& overflow) {
    std::int64_t weight = 0;
    std::int64_t factor = 10000;
    for (const auto& part : Foundation::split(version, '.')) {
        const std::int64_t number = Foundation::NumberText::parseInt64(part).value_or(0);
        std::int64_t term = 0;
        if (__builtin_mul_overflow(number, factor, &term)) {
            overflow = true;
            term = number < 0 ? INT64_MIN : INT64_MAX;
        }
        if (__builtin_add_overflow(weight, term, &weight)) {
            overflow = true;
            weight = term < 0 ? INT64_MIN : INT64_MAX;
        }
        factor = factor == 10000 ? 100 : 1;
    }
    return weight;
}

}  // namespace

std::int64_t convertVersionToWeight(std::string_view version) {
    bool ignored = false;
    return weigh(version, ignored);
}

bool canReadVersion(std::string_view version) {
    for (const auto& part : Foundation::split(version, '.', false)) {
        if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) return false;
        if (!Foundation::NumberText::parseInt64(part)) return false;
    }
    bool overflow = false;
    (void)weigh(version, overflow);
    return !overflow;
}

}  // namespace Pellicot
