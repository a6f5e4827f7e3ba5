#include "Pellicot/VersionWeight.hpp"

#include "Foundation/NumberText.hpp"
#include "Foundation/Strings.hpp"

namespace Pellicot {

std::int64_t convertVersionToWeight(std::string_view version) {
    std::int64_t weight = 0;
    std::int64_t factor = 10000;
    for (const auto& part : Foundation::split(version, '.')) {
        const std::int64_t number = Foundation::NumberText::parseInt64(part).value_or(0);
        std::int64_t term = 0;
        if (__builtin_mul_overflow(number, factor, &term))
            term = number < 0 ? INT64_MIN : INT64_MAX;
        if (__builtin_add_overflow(weight, term, &weight))
            weight = term < 0 ? INT64_MIN : INT64_MAX;
        factor = factor == 10000 ? 100 : 1;
    }
    return weight;
}

}  // namespace Pellicot
