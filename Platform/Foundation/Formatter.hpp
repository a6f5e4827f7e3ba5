#pragma once
#include <any>
#include <optional>
#include <string>

#include "Runtime/NSObject.hpp"

namespace Foundation {

// Turns values into text and back for a text field. Values are dynamic (std::any): text is a
// std::string, a number any arithmetic type. The base formats nothing and accepts nothing.
class Formatter : public Runtime::NSObject {
    VZ_OBJECT(Formatter, Runtime::NSObject)
public:
    virtual std::optional<std::string> string(const std::any& object) const;
    // The text to edit; the display text unless a formatter says otherwise.
    virtual std::optional<std::string> editingString(const std::any& object) const { return string(object); }
    // Reads `text` into `object` (when given); false with an error description (when given)
    // for text the formatter refuses.
    virtual bool getObjectValue(std::any* object, const std::string& text, std::string* errorDescription) const;
    // Whether a partly typed text may stand; true by default.
    virtual bool isPartialStringValid(const std::string& partial, std::string* newEditingString, std::string* errorDescription) const;

protected:
    Formatter() = default;
};

// A number as a formatter reads it from a value: absent when the value is not a number.
std::optional<double> numberValue(const std::any& object);

}  // namespace Foundation
