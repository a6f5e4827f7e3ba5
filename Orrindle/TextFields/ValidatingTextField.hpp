#pragma once
#include <memory>
#include <optional>
#include <string>

#include "Orrindle/Popovers/SimpleTextViewPopover.hpp"
#include "Orrindle/Protocols/ValidatingField.hpp"
#include "Orrindle/TextFields/StyledTextField.hpp"
#include "Orrindle/TextFields/ValidatingTextFieldCell.hpp"

namespace Orrindle {

// A styled text field that its owner marks valid or invalid and gives a message. While invalid
// it draws the style's error look (its cell's invalid state). While it has the focus and carries
// a message, the message shows in the kit's text popover at its top edge, refreshed at every
// keystroke; the popover closes at the first keystroke or focus change that finds the field
// unfocused or without a message. Setting the validity or the message alone shows or closes
// nothing: the next text or focus change does.
class ValidatingTextField : public StyledTextField, public ValidatingField {
    VZ_OBJECT(ValidatingTextField, StyledTextField)
public:
    using Ptr = std::shared_ptr<ValidatingTextField>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<ValidatingTextFieldCell>(); }

    bool isValid() const override { return valid_; }
    // Copied into the cell (when it is a ValidatingTextFieldCell); redraws.
    void setValid(bool valid) override;
    std::optional<std::string> message() const override { return message_; }
    void setMessage(std::optional<std::string> message) override { message_ = std::move(message); }
    std::shared_ptr<FirstResponderAwareTextField> textField() const override;
    std::optional<std::string> toolTip() const override { return AppKit::NSView::toolTip(); }
    void setToolTip(std::optional<std::string> toolTip) override { AppKit::NSView::setToolTip(std::move(toolTip)); }

    const std::shared_ptr<SimpleTextViewPopoverController>& popoverController() const { return popoverController_; }
    // Shows, refreshes or closes the message popover for the field's focus and message now.
    virtual void updateMessagePopover();

    void textDidChange(AppKit::NSText& text) override;
    void handleResponderStatusChanged(bool newStatus) override;

protected:
    using StyledTextField::StyledTextField;

private:
    bool valid_ = true;
    std::optional<std::string> message_;
    std::shared_ptr<SimpleTextViewPopoverController> popoverController_ = Runtime::make<SimpleTextViewPopoverController>();
};

}  // namespace Orrindle
