#include "Orrindle/Formatters/ConstantNameFormatter.hpp"

#include "Foundation/CharacterSet.hpp"
#include "Foundation/Strings.hpp"

namespace Orrindle {

std::optional<std::string> ConstantNameFormatter::string(const std::any& object) const {
    const auto* text = std::any_cast<std::string>(&object);
    if (!text) return std::nullopt;
    return text->starts_with(requiredPrefix_) ? *text : requiredPrefix_ + *text;
}

std::optional<std::string> ConstantNameFormatter::editingString(const std::any& object) const {
    const auto* text = std::any_cast<std::string>(&object);
    if (!text) return std::nullopt;
    // Case- and diacritic-insensitive, but only at the start: "my$var" keeps its "$".
    auto range = Foundation::localizedStandardRange(*text, requiredPrefix_);
    if (!range || range->location != 0) return *text;
    return text->substr(range->length);
}

bool ConstantNameFormatter::isValidName(const std::string& text) {
    static const Foundation::CharacterSet invalid =
        Foundation::CharacterSet::alphanumerics().unioned(Foundation::CharacterSet::characters("$_-.")).inverted();
    return !Foundation::rangeOfCharacter(text, invalid);
}

std::string ConstantNameFormatter::invalidNameMessage() {
    return "Constant names must only contain A-Z, a-z, 0-9 and the characters _ and $";
}

bool ConstantNameFormatter::getObjectValue(std::any* object, const std::string& text, std::string* errorDescription) const {
    if (!isValidName(text)) {
        if (errorDescription) *errorDescription = invalidNameMessage();
        return false;
    }
    if (object) *object = text;
    return true;
}

bool ConstantNameFormatter::isPartialStringValid(const std::string& partial, std::string* newEditingString,
                                                 std::string* errorDescription) const {
    if (!isValidName(partial)) {
        if (errorDescription) *errorDescription = invalidNameMessage();
        return false;
    }
    if (newEditingString) *newEditingString = partial;
    return true;
}

}  // namespace Orrindle
