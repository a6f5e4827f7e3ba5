#include "Foundation/NumberFormatter.hpp"

#include <cmath>

#include "Foundation/NumberText.hpp"
#include "Foundation/Strings.hpp"

namespace Foundation {

void NumberFormatter::setNumberStyle(Style style) {
    style_ = style;
    // As the platform does: a style brings its own fraction digits.
    minFraction_ = 0;
    maxFraction_ = style == Style::decimal ? 3 : 0;
}

std::optional<std::string> NumberFormatter::string(const std::any& object) const {
    auto number = numberValue(object);  // text is not a number, even text of one
    if (!number) return std::nullopt;
    const double value = *number;
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return std::string(value < 0 ? "-" : "") + "∞";
    std::string digits = NumberText::format(std::fabs(value), maxFraction_);  // half to even on the binary value
    if (auto point = digits.find('.'); point != std::string::npos) {
        // Trailing zeros beyond the minimum go.
        std::size_t keep = digits.size();
        while (keep > point + 1 + std::size_t(minFraction_) && digits[keep - 1] == '0') --keep;
        if (keep == point + 1) keep = point;
        digits.resize(keep);
    }
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string::npos;
    if (negative) return "-" + digits;
    // Prefixes and suffixes came with the 10.4 behaviour; the 10.0 one has none.
    if (behavior_ == Behavior::behavior10_0) return digits;
    return positivePrefix_ + digits + positiveSuffix_;
}

bool NumberFormatter::getObjectValue(std::any* object, const std::string& text, std::string* errorDescription) const {
    std::string body = lenient_ ? trimmingWhitespaceAndNewlines(text) : text;
    if (!positivePrefix_.empty() && body.starts_with(positivePrefix_)) body.erase(0, positivePrefix_.size());
    if (!positiveSuffix_.empty() && body.ends_with(positiveSuffix_)) body.resize(body.size() - positiveSuffix_.size());
    if (lenient_) body = trimmingWhitespaceAndNewlines(body);
    auto value = NumberText::parseDouble(body);
    if (!value || std::isnan(*value)) {
        if (errorDescription) *errorDescription = "Invalid number";
        return false;
    }
    if (object) *object = *value;
    return true;
}

}  // namespace Foundation
