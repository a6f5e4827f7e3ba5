#pragma once
#include <optional>

#include "Foundation/Date.hpp"

namespace Orrindle::DateUtil {

// Whether the distance between `date` and now (either way) is strictly more, or strictly
// less, than `seconds`; `ifDateNil` when there is no date.
bool hasMoreThan(double seconds, const std::optional<Foundation::Date>& passedSince, bool ifDateNil);
bool hasLessThan(double seconds, const std::optional<Foundation::Date>& passedSince, bool ifDateNil);

}  // namespace Orrindle::DateUtil
