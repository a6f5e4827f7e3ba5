#include "Orrindle/Utilities/DateUtil.hpp"

#include <cmath>

namespace Orrindle::DateUtil {

bool hasMoreThan(double seconds, const std::optional<Foundation::Date>& date, bool ifDateNil) {
    if (!date) return ifDateNil;
    return std::fabs(date->timeIntervalSinceNow()) > seconds;
}

bool hasLessThan(double seconds, const std::optional<Foundation::Date>& date, bool ifDateNil) {
    if (!date) return ifDateNil;
    return std::fabs(date->timeIntervalSinceNow()) < seconds;
}

}  // namespace Orrindle::DateUtil
