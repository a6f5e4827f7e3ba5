#include "AppKit/NSText.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace AppKit {

void NSText::setString(std::string s) {
    edit_.setText(std::move(s));
    setNeedsDisplay(true);
}

void NSText::setSelectedRange(NSRange range) {
    edit_.select(range.location, range.location + range.length);
    setNeedsDisplay(true);
}

void NSText::changed() {
    setNeedsDisplay(true);
    auto keep = delegate();
    if (auto* d = dynamic_cast<NSTextDelegate*>(keep.get())) d->textDidChange(*this);
}

void NSText::edited(const std::string& before) {
    edit_.scrollToCaret(measure(), lineWidth());
    if (edit_.text() != before)
        changed();
    else
        setNeedsDisplay(true);
}

TextEditing::Measure NSText::measure() const {
    return [this, font = font_->font()](std::size_t bytes) {
        const CoreGraphics::AttributedText text(edit_.text().substr(0, bytes), font, CoreGraphics::CGColor::black());
        const double width = CoreGraphics::TextLayout::size(text).width;
        // Some glyphs (f, K, r) reach to or past their advance: the caret after the last one
        // keeps clear of its ink.
        if (bytes == 0 || bytes < edit_.text().size()) return width;
        return std::max(width, CoreGraphics::TextLayout::inkRect(text, {}).maxX() + TextEditing::caretClearance);
    };
}

CGFloat NSText::lineLeft() const { return bounds().minX() + (inset_ ? inset_->width : 0); }
CGFloat NSText::lineWidth() const { return std::max<CGFloat>(0, bounds().maxX() - lineLeft()); }

CGFloat NSText::scrollOffset() const { return std::max<CGFloat>(0, -edit_.lineStart(measure(), lineWidth())); }

void NSText::insertText(const std::string& text) {
    if (editable_) apply([&] { edit_.insert(text); });
}

void NSText::deleteBackward() {
    if (editable_) apply([&] { edit_.deleteBackward(); });
}

void NSText::cut() {
    if (editable_) apply([&] { edit_.cut(); });
}

void NSText::paste() {
    if (editable_) apply([&] { edit_.paste(); });
}

void NSText::undo() {
    apply([&] { edit_.undo(); });
}

void NSText::redo() {
    apply([&] { edit_.redo(); });
}

void NSText::end(NSTextMovement movement) {
    if (ending_) return;
    ending_ = true;
    auto keep = delegate();
    if (auto* d = dynamic_cast<NSTextDelegate*>(keep.get())) d->textDidEndEditing(*this, movement);
    ending_ = false;
}

bool NSText::resignFirstResponder() {
    end(NSTextMovement::other);
    return true;
}

void NSText::keyDown(const NSEvent& event) {
    const bool shift = event.flags().contains(ModifierFlags::shift());
    const bool command = event.flags().contains(ModifierFlags::command()) || event.flags().contains(ModifierFlags::control());
    switch (event.keyCode()) {
    case KeyCode::returnKey:
    case KeyCode::keypadEnter: end(NSTextMovement::return_); return;
    case KeyCode::tab: end(shift ? NSTextMovement::backtab : NSTextMovement::tab); return;
    case KeyCode::escape: end(NSTextMovement::cancel); return;
    case KeyCode::deleteKey: deleteBackward(); return;
    default: break;
    }
    if (!editable_) return NSView::keyDown(event);
    const std::string before = edit_.text();
    // The arrows by their key codes too, whatever characters the event carries.
    if (event.keyCode() == KeyCode::leftArrow || event.keyCode() == KeyCode::rightArrow) {
        event.keyCode() == KeyCode::leftArrow ? edit_.moveLeft(shift) : edit_.moveRight(shift);
        return edited(before);
    }
    // With Command or Control the key's own character names the command.
    if (!edit_.handleKey(command ? event.charactersIgnoringModifiers() : event.characters(), shift, command))
        return NSView::keyDown(event);
    edited(before);
}

CGFloat NSText::lineX(const NSEvent& event) const { return convert(event.locationInWindow(), nullptr).x - lineLeft(); }

void NSText::mouseDown(const NSEvent& event) {
    apply([&] { edit_.click(lineX(event), event.clickCount(), event.flags().contains(ModifierFlags::shift()), measure(), lineWidth()); });
}

void NSText::mouseDragged(const NSEvent& event) {
    apply([&] { edit_.drag(lineX(event), measure(), lineWidth()); });
}

void NSText::mouseUp(const NSEvent&) {}

std::shared_ptr<NSColor> NSText::selectionColor() const { return NSColor::controlAccentColor(); }
std::shared_ptr<NSColor> NSText::caretColor() const { return textColor_ ? textColor_ : NSColor::textColor(); }

void NSText::draw(CGRect) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const CGRect b = bounds();
    if (drawsBackground_ && backgroundColor_) {
        ctx->setFillColor(backgroundColor_->cgColor());
        ctx->fill(b);
    }
    const auto colour = (textColor_ ? textColor_ : NSColor::textColor())->cgColor();
    const auto widthOf = measure();
    const CoreGraphics::AttributedText text(edit_.text(), font_->font(), colour, {CoreGraphics::TextAlignment::left, CoreGraphics::LineBreakMode::byClipping});
    const CGFloat lineHeight = CoreGraphics::TextLayout::size(CoreGraphics::AttributedText("Xg", font_->font(), colour)).height;
    // The line sits where the inset puts it, else in the vertical middle, scrolled along it.
    CGFloat y = b.midY() - lineHeight / 2;
    if (inset_) y = isFlipped() ? b.minY() + inset_->height : b.maxY() - inset_->height - lineHeight;
    const CGFloat x = lineLeft() + edit_.lineStart(widthOf, lineWidth());
    ctx->saveGState();
    ctx->clip(b);
    if (edit_.hasSelection()) {
        const CGFloat from = widthOf(edit_.selectionStart()), to = widthOf(edit_.selectionEnd());
        if (auto c = selectionColor()) {
            ctx->setFillColor(c->cgColor());
            ctx->fill(CGRect{x + from, y, to - from, lineHeight});
        }
    }
    ctx->drawText(text, {x, y, widthOf(edit_.text().size()) + 1, lineHeight});
    auto w = window();
    if (!edit_.hasSelection() && w && w->isKeyWindow() && w->firstResponder().get() == this) {
        if (auto c = caretColor()) {
            ctx->setFillColor(c->cgColor());
            ctx->fill(CGRect{x + widthOf(edit_.caret()), y, TextEditing::caretWidth, lineHeight});
        }
    }
    ctx->restoreGState();
}

}  // namespace AppKit
