#pragma once
#include <memory>
#include <optional>
#include <string>

#include "Orrindle/Protocols/Validating.hpp"

namespace Orrindle {

class FirstResponderAwareTextField;

// A view with a text field that its owner marks valid or invalid and to which it attaches a
// message, shown beside the field while it has focus. Adopters inherit Validating through
// this protocol only (it is a virtual base), so a cell or view finds it once.
class ValidatingField : public virtual Validating {
public:
    virtual std::shared_ptr<FirstResponderAwareTextField> textField() const = 0;
    virtual void setValid(bool valid) = 0;
    virtual std::optional<std::string> message() const = 0;
    virtual void setMessage(std::optional<std::string> message) = 0;
    // A view's own tool tip answers these.
    virtual std::optional<std::string> toolTip() const = 0;
    virtual void setToolTip(std::optional<std::string> toolTip) = 0;
};

}  // namespace Orrindle
