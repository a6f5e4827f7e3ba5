#include "AppKit/NSTextFieldCell.hpp"

#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

void NSTextFieldCell::setTextColor(NSColor::Ptr color) {
    textColor_ = std::move(color);
    updateControlView();
}

void NSTextFieldCell::setBackgroundColor(NSColor::Ptr color) {
    backgroundColor_ = std::move(color);
    updateControlView();
}

void NSTextFieldCell::setDrawsBackground(bool flag) {
    drawsBackground_ = flag;
    updateControlView();
}

void NSTextFieldCell::setBezelStyle(NSTextFieldBezelStyle style) {
    bezelStyle_ = style;
    updateControlView();
}

void NSTextFieldCell::setPlaceholderString(std::optional<std::string> placeholder) {
    placeholder_ = std::move(placeholder);
    updateControlView();
}

void NSTextFieldCell::setPlaceholderAttributedString(std::optional<CoreGraphics::AttributedText> text) {
    placeholderAttributed_ = std::move(text);
    updateControlView();
}

CoreGraphics::AttributedText NSTextFieldCell::attributedTitle() const {
    auto text = attributedText(title());
    if (textColor_)
        for (auto& run : text.runs) run.color = textColor_->cgColor().withAlpha(textColor_->cgColor().alpha() * (isEnabled() ? 1 : 0.5));
    return text;
}

void NSTextFieldCell::drawInterior(CGRect frame, NSView&) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    if (drawsBackground_ && backgroundColor_) {
        ctx->setFillColor(backgroundColor_->cgColor());
        ctx->fill(drawingRect(frame));
    }
    if (!title().empty()) {
        ctx->drawText(attributedTitle(), titleRect(frame));
        return;
    }
    if (placeholderAttributed_) {
        ctx->drawText(*placeholderAttributed_, titleRect(frame));
    } else if (auto placeholder = placeholderString()) {
        auto text = attributedText(*placeholder);
        for (auto& run : text.runs) run.color = NSColor::secondaryLabelColor()->cgColor();
        ctx->drawText(text, titleRect(frame));
    }
}

}  // namespace AppKit
