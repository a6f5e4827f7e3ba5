#pragma once
#include "Foundation/NumberFormatter.hpp"

namespace Orrindle {

// A number formatter that lets any other text through: plain numbers are shown with the
// positive suffix (a unit) and edited without it; anything else, such as an expression, is
// shown and stored as the text itself for the field's owner to evaluate. Lenient.
class ExpressionFormatter : public Foundation::NumberFormatter {
    VZ_OBJECT(ExpressionFormatter, Foundation::NumberFormatter)
public:
    static std::shared_ptr<ExpressionFormatter> make() { return Runtime::make<ExpressionFormatter>(); }

    std::optional<std::string> string(const std::any& object) const override;
    // Cuts a trailing suffix only: a suffix inside an expression stays.
    std::optional<std::string> editingString(const std::any& object) const override;
    bool getObjectValue(std::any* object, const std::string& text, std::string* errorDescription) const override;

    // Text the C library reads whole as a number: non-empty, no leading white space.
    static bool isPlainNumber(const std::string& text);

protected:
    ExpressionFormatter();
};

}  // namespace Orrindle
