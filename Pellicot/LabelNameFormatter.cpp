#include "Pellicot/LabelNameFormatter.hpp"

#include <cmath>

#include "Foundation/Locale.hpp"
#include "Foundation/NumberText.hpp"
#include "Foundation/Strings.hpp"

namespace Pellicot {

LabelNameFormatter::LabelNameFormatter(const AudioParameter& param)
    : valueStrings_(param.valueStrings().value_or(std::vector<std::string>{})) {}

std::string LabelNameFormatter::format(float value) const {
    // Checked in floating point, so a huge or non-finite value is simply no index.
    const float index = std::round(value);
    if (index >= 0 && index < static_cast<float>(valueStrings_.size())) return valueStrings_[static_cast<std::size_t>(index)];
    return Foundation::NumberText::format(value, 0);
}

std::optional<float> LabelNameFormatter::value(const std::string& from) const {
    const auto locale = Foundation::Locale::current();
    const auto wanted = Foundation::lowercased(from, locale);
    for (std::size_t i = 0; i < valueStrings_.size(); ++i)
        if (Foundation::lowercased(valueStrings_[i], locale) == wanted) return static_cast<float>(i);
    return std::nullopt;
}

}  // namespace Pellicot
