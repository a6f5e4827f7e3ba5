#include "Orrindle/TextFields/ValidatingTextField.hpp"

#include "Orrindle/Extensions/FocusState.hpp"
#include "Orrindle/TextFields/MessagePopover.hpp"

namespace Orrindle {

void ValidatingTextField::setValid(bool valid) {
    valid_ = valid;
    if (auto c = std::dynamic_pointer_cast<ValidatingTextFieldCell>(cell())) c->setValid(valid);
    setNeedsDisplay(true);
}

std::shared_ptr<FirstResponderAwareTextField> ValidatingTextField::textField() const {
    return const_cast<ValidatingTextField*>(this)->sharedAs<FirstResponderAwareTextField>();
}

void ValidatingTextField::updateMessagePopover() {
    refreshMessagePopover(*popoverController_, isFirstResponderOrEditing(*this), message_, sharedAs<AppKit::NSView>());
}

void ValidatingTextField::textDidChange(AppKit::NSText& text) {
    StyledTextField::textDidChange(text);
    updateMessagePopover();
}

void ValidatingTextField::handleResponderStatusChanged(bool) { updateMessagePopover(); }

}  // namespace Orrindle
