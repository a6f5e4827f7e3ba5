#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSImage.hpp"
#include "AppKit/NSView.hpp"
#include "Combine/AnyCancellable.hpp"
#include "Orrindle/Popovers/SimpleTextViewPopover.hpp"
#include "Orrindle/Protocols/Selectable.hpp"
#include "Orrindle/Protocols/ValidatingField.hpp"
#include "Orrindle/Sliders/TrackingSlider.hpp"
#include "Orrindle/TextFields/FirstResponderAwareTextField.hpp"

namespace Orrindle {

// A compact validating input: a plain text field in 10-point system text, optionally after a
// small tracking-slider icon (14 x 24, 3 points in, the field 8 points after it), drawn on the
// kit's text field bezel by this view. While the field has the focus the view is selected and
// draws a rounded outline in the highlight colour (the error ring colour while invalid) over the
// plain bezel; while invalid and unfocused it draws the error bezel. Its message shows in the
// kit's text popover at its top edge while the field has the focus. Made only in code, with or
// without an icon; a click on the icon focuses the field.
class ValidatingPropertiesField : public AppKit::NSView, public Selectable, public ValidatingField {
    VZ_OBJECT(ValidatingPropertiesField, AppKit::NSView)
public:
    using Ptr = std::shared_ptr<ValidatingPropertiesField>;

    bool isValid() const override { return valid_; }
    // Recolours the field's text (the text-input or the error colour) and redraws the view.
    void setValid(bool valid) override;
    // Follows the field's focus; setting it also brings the popover up to date and redraws.
    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override;
    std::optional<std::string> message() const override { return message_; }
    void setMessage(std::optional<std::string> message) override { message_ = std::move(message); }
    // A value carried for the owner; the view never reads it (the platform's `override`).
    const std::optional<std::string>& overrideValue() const { return override_; }
    void setOverrideValue(std::optional<std::string> value) { override_ = std::move(value); }
    std::shared_ptr<FirstResponderAwareTextField> textField() const override { return textField_; }
    void setTextField(std::shared_ptr<FirstResponderAwareTextField> field) { textField_ = std::move(field); }
    const TrackingSlider::Ptr& icon() const { return icon_; }
    std::optional<std::string> toolTip() const override { return AppKit::NSView::toolTip(); }
    void setToolTip(std::optional<std::string> toolTip) override { AppKit::NSView::setToolTip(std::move(toolTip)); }

    // The outline around the bounds, stroked in `color` and filled with `background` when given.
    virtual void drawFocusRing(const AppKit::NSColor& color, const AppKit::NSColor::Ptr& background);
    virtual void updateMessagePopover();

    bool isFlipped() const override { return false; }
    void draw(AppKit::CGRect dirtyRect) override;
    void didInit() override;

protected:
    ValidatingPropertiesField() = default;
    // The platform's init(trackingSliderIcon:).
    explicit ValidatingPropertiesField(AppKit::NSImage::Ptr trackingSliderIcon);
    virtual void setupTextField();

private:
    void layOutWithIcon();

    bool valid_ = true;
    bool selected_ = false;
    std::optional<std::string> message_, override_;
    std::shared_ptr<FirstResponderAwareTextField> textField_;
    AppKit::NSImage::Ptr iconImage_;
    TrackingSlider::Ptr icon_;
    Combine::Cancellables cancellables_;
    std::shared_ptr<SimpleTextViewPopoverController> popoverController_ = Runtime::make<SimpleTextViewPopoverController>();
};

}  // namespace Orrindle
