#include "Orrindle/Formatters/ExpressionFormatter.hpp"

#include "Foundation/NumberText.hpp"
#include "Foundation/Strings.hpp"

namespace Orrindle {

ExpressionFormatter::ExpressionFormatter() {
    setFormatterBehavior(Behavior::defaultBehavior);
    setLenient(true);
}

bool ExpressionFormatter::isPlainNumber(const std::string& text) { return Foundation::NumberText::parseDouble(text).has_value(); }

std::optional<std::string> ExpressionFormatter::string(const std::any& object) const {
    const auto* text = std::any_cast<std::string>(&object);
    if (text && (text->empty() || !isPlainNumber(*text))) return *text;
    std::optional<std::string> result = NumberFormatter::string(object);
    if (!result) {
        if (!text) return std::nullopt;
        result = *text;
    }
    const std::string& suffix = positiveSuffix();
    if (formatterBehavior() != Behavior::behavior10_0 && !result->empty() && !suffix.empty() && !result->ends_with(suffix))
        *result += suffix;
    return result;
}

std::optional<std::string> ExpressionFormatter::editingString(const std::any& object) const {
    const auto* text = std::any_cast<std::string>(&object);
    if (text && (text->empty() || !isPlainNumber(*text))) return *text;
    std::optional<std::string> result = NumberFormatter::editingString(object);
    if (!result || formatterBehavior() == Behavior::behavior10_0 || positiveSuffix().empty()) return result;
    if (auto range = Foundation::localizedStandardRange(*result, positiveSuffix(), /*atEnd=*/true)) result->resize(range->location);
    return result;
}

bool ExpressionFormatter::getObjectValue(std::any* object, const std::string& text, std::string* errorDescription) const {
    if (isPlainNumber(text)) return NumberFormatter::getObjectValue(object, text, errorDescription);
    if (object) *object = text;
    return true;
}

}  // namespace Orrindle
