#include "Pellicot/DefaultLabelFormatter.hpp"

#include "Foundation/NumberText.hpp"

namespace Pellicot {

DefaultLabelFormatter::DefaultLabelFormatter(const AudioParameter& param, int decimalPlaces)
    : decimalPlaces_(decimalPlaces), saveScaleFactor_(param.saveScaleFactor()) {}

std::string DefaultLabelFormatter::format(float value) const {
    // The count is data: it picks a precision and never becomes part of a format string.
    const int decimals = decimalPlaces_ < 0 ? 0 : decimalPlaces_;
    return Foundation::NumberText::format(static_cast<double>(value * saveScaleFactor_), decimals);
}

std::optional<float> DefaultLabelFormatter::value(const std::string& from) const {
    return Foundation::NumberText::parseFloat(from);
}

}  // namespace Pellicot
