#pragma once
#include <memory>

#include "Orrindle/Protocols/Validating.hpp"
#include "Orrindle/TextFields/StyledTextFieldCell.hpp"

namespace Orrindle {

// A styled text field cell that can be invalid: then its state carries the invalid bit, so it
// draws the style's error bezel, the invalid text colour and the invalid outline colour. It keeps
// the text field style of its superclass.
class ValidatingTextFieldCell : public StyledTextFieldCell, public virtual Validating {
    VZ_OBJECT(ValidatingTextFieldCell, StyledTextFieldCell)
public:
    using Ptr = std::shared_ptr<ValidatingTextFieldCell>;

    bool isValid() const override { return valid_; }
    void setValid(bool valid) {
        valid_ = valid;
        updateControlView();
    }

protected:
    ValidatingTextFieldCell() = default;

private:
    bool valid_ = true;
};

}  // namespace Orrindle
