#include "Orrindle/TextFields/ValidatingPropertiesField.hpp"

#include "AppKit/NSLayoutConstraint.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Extensions/FocusState.hpp"
#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Resources/ODImagesAK.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/TextFields/MessagePopover.hpp"

namespace Orrindle {

namespace {
constexpr AppKit::CGFloat fieldFontSize = 10;
}

ValidatingPropertiesField::ValidatingPropertiesField(AppKit::NSImage::Ptr trackingSliderIcon) : iconImage_(std::move(trackingSliderIcon)) {}

void ValidatingPropertiesField::didInit() {
    AppKit::NSView::didInit();
    if (iconImage_) {
        icon_ = Runtime::make<TrackingSlider>(AppKit::CGRect{});
        icon_->setImage(iconImage_);
        icon_->setContinuous(true);
    }
    textField_ = Runtime::make<FirstResponderAwareTextField>(AppKit::CGRect{});
    if (icon_) {
        layOutWithIcon();
    } else {
        // The field draws its line at its top: one line high in the middle of the view (empty
        // too), the line sits in the middle of the bezel.
        addSubview(textField_);
        textField_->setTranslatesAutoresizingMaskIntoConstraints(false);
        const auto line = CoreGraphics::TextLayout::metrics(AppKit::NSFont::systemFont(fieldFontSize)->font()).lineHeight;
        AppKit::NSLayoutConstraint::activate({
            textField_->leadingAnchor().constraint(leadingAnchor()),
            textField_->trailingAnchor().constraint(trailingAnchor()),
            textField_->centerYAnchor().constraint(centerYAnchor()),
            textField_->heightAnchor().constraint(line),
        });
    }
    setupTextField();
}

void ValidatingPropertiesField::layOutWithIcon() {
    addSubview(icon_);
    addSubview(textField_);
    icon_->setTranslatesAutoresizingMaskIntoConstraints(false);
    textField_->setTranslatesAutoresizingMaskIntoConstraints(false);
    AppKit::NSLayoutConstraint::activate({
        icon_->leadingAnchor().constraint(leadingAnchor(), 3),
        icon_->centerYAnchor().constraint(centerYAnchor()),
        icon_->widthAnchor().constraint(14),
        icon_->heightAnchor().constraint(24),
        textField_->leadingAnchor().constraint(icon_->trailingAnchor(), 8),
        textField_->trailingAnchor().constraint(trailingAnchor(), -3),
        textField_->centerYAnchor().constraint(centerYAnchor()),
    });
    ClickableImageView::makeFirstResponderOnClick({{icon_, textField_}}, cancellables_);
}

void ValidatingPropertiesField::setupTextField() {
    auto& field = *textField_;
    // The view draws the bezel: the plain field's own goes.
    field.setBezeled(false);
    field.setBordered(false);
    field.setDrawsBackground(false);
    field.setFocusRingType(AppKit::NSFocusRingType::none);
    field.setFont(AppKit::NSFont::systemFont(fieldFontSize));
    field.setTextColor(valid_ ? Styles::TextInput::textColor() : Styles::TextInput::errorTextColor());
    std::weak_ptr<ValidatingPropertiesField> weak = sharedAs<ValidatingPropertiesField>();
    field.firstResponderPublisher()
        ->sink([weak](FirstResponderAwareTextField::Change change) {
            auto self = weak.lock();
            if (!self) return;
            self->setSelected(change.second);
            self->updateMessagePopover();
            self->setNeedsDisplay(true);
        })
        .store(cancellables_);
}

void ValidatingPropertiesField::setValid(bool valid) {
    valid_ = valid;
    if (textField_) textField_->setTextColor(valid ? Styles::TextInput::textColor() : Styles::TextInput::errorTextColor());
    // The bezel and the outline show the validity too: they follow at once.
    setNeedsDisplay(true);
}

void ValidatingPropertiesField::setSelected(bool selected) {
    selected_ = selected;
    updateMessagePopover();
    setNeedsDisplay(true);
}

void ValidatingPropertiesField::updateMessagePopover() {
    refreshMessagePopover(*popoverController_, textField_ && isFirstResponderOrEditing(*textField_), message_, sharedAs<AppKit::NSView>());
}

void ValidatingPropertiesField::drawFocusRing(const AppKit::NSColor& color, const AppKit::NSColor::Ptr& background) {
    const auto w = bounds().insetBy(-2, 0);
    std::optional<CoreGraphics::CGColor> fill;
    if (background) fill = background->cgColor();
    CellDrawing::drawRoundedOutline(w.insetBy(2, 2), color.cgColor(), fill);
}

void ValidatingPropertiesField::draw(AppKit::CGRect dirtyRect) {
    const auto w = bounds().insetBy(-2, 0);
    if (selected_) {
        const auto c = valid_ ? AppKit::NSColor::withResource(ColorResources::highlightSystem()) : Styles::Control::errorFocusRingColor();
        CellDrawing::drawImage(*ODImagesAK::kvuTextfield(), w, *this, 1.0, false);
        drawFocusRing(*c, c->withAlphaComponent(0.3));
    } else {
        CellDrawing::drawImage(*(valid_ ? ODImagesAK::kvuTextfield() : ODImagesAK::kvuTextfieldError()), w, *this, 1.0, false);
    }
    AppKit::NSView::draw(dirtyRect);
}

}  // namespace Orrindle
