#pragma once
#include <string>

#include "Foundation/Formatter.hpp"

namespace Orrindle {

// Names of constants: shown with a required prefix ("$" unless changed), edited without it,
// and made only of letters, marks and digits of any script and "$", "_", "-", ".".
class ConstantNameFormatter : public Foundation::Formatter {
    VZ_OBJECT(ConstantNameFormatter, Foundation::Formatter)
public:
    static std::shared_ptr<ConstantNameFormatter> make() { return Runtime::make<ConstantNameFormatter>(); }

    const std::string& requiredPrefix() const { return requiredPrefix_; }
    void setRequiredPrefix(std::string prefix) { requiredPrefix_ = std::move(prefix); }

    // The text itself when it already starts with the prefix, else the prefix and the text.
    std::optional<std::string> string(const std::any& object) const override;
    // The text without a leading prefix; the text unchanged when it does not start with one
    // (a prefix further in is part of the name).
    std::optional<std::string> editingString(const std::any& object) const override;
    bool getObjectValue(std::any* object, const std::string& text, std::string* errorDescription) const override;
    bool isPartialStringValid(const std::string& partial, std::string* newEditingString,
                              std::string* errorDescription) const override;

    static bool isValidName(const std::string& text);
    static std::string invalidNameMessage();

protected:
    ConstantNameFormatter() = default;

private:
    std::string requiredPrefix_ = "$";
};

}  // namespace Orrindle
