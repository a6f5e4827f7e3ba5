#include "AppKit/NSTextFieldCell.hpp"

#include <algorithm>

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

void NSTextFieldCell::select(CGRect frame, NSView& in, NSText& editor, const std::shared_ptr<Runtime::NSObject>& delegate,
                             long start, long length) {
    setUpFieldEditorAttributes(editor);
    editor.setString(stringValue());
    editor.setFrame(drawingRect(frame));
    editor.setDelegate(delegate);
    editor.setEditedObject(in.sharedAs<Runtime::NSObject>());
    in.addSubview(editor.sharedAs<NSView>());
    editor.setSelectedRange({std::size_t(std::max(0L, start)), std::size_t(std::max(0L, length))});
    setShowsFirstResponder(true);
}

void NSTextFieldCell::edit(CGRect frame, NSView& in, NSText& editor, const std::shared_ptr<Runtime::NSObject>& delegate,
                           const NSEvent*) {
    select(frame, in, editor, delegate, long(stringValue().size()), 0);
}

void NSTextFieldCell::endEditing(NSText& editor) {
    editor.setDelegate(nullptr);
    editor.setEditedObject(nullptr);
    editor.removeFromSuperview();
    setShowsFirstResponder(false);
}

void NSTextFieldCell::copyValues(const NSCell& from) {
    NSCell::copyValues(from);
    if (auto* f = dynamic_cast<const NSTextFieldCell*>(&from)) {
        textColor_ = f->textColor_;
        backgroundColor_ = f->backgroundColor_;
        drawsBackground_ = f->drawsBackground_;
        selectable_ = f->selectable_;
        bezelStyle_ = f->bezelStyle_;
        placeholder_ = f->placeholder_;
        placeholderAttributed_ = f->placeholderAttributed_;
    }
}

NSText& NSTextFieldCell::setUpFieldEditorAttributes(NSText& editor) {
    editor.setFont(font());
    editor.setTextColor(textColor_);
    editor.setBackgroundColor(backgroundColor_);
    editor.setDrawsBackground(drawsBackground_);
    // The window's one editor may come from a cell that placed its line elsewhere.
    editor.setTextContainerInset(std::nullopt);
    return editor;
}

CoreGraphics::AttributedText NSTextFieldCell::attributedTitle() const {
    if (hasAttributedStringValue()) return attributedStringValue();
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
    if (showsFirstResponder_) return;  // the field editor shows the text
    // A text longer than the field stays inside it.
    ctx->saveGState();
    ctx->clip(frame);
    if (!title().empty()) {
        ctx->drawText(attributedTitle(), titleRect(frame));
    } else if (placeholderAttributed_) {
        ctx->drawText(*placeholderAttributed_, titleRect(frame));
    } else if (auto placeholder = placeholderString()) {
        auto text = attributedText(*placeholder);
        for (auto& run : text.runs) run.color = NSColor::secondaryLabelColor()->cgColor();
        ctx->drawText(text, titleRect(frame));
    }
    ctx->restoreGState();
}

}  // namespace AppKit
