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

void NSText::insertText(const std::string& text) {
    if (!editable_) return;
    edit_.insert(text);
    changed();
}

void NSText::deleteBackward() {
    if (!editable_) return;
    const std::string before = edit_.text();
    edit_.deleteBackward();
    if (edit_.text() != before) changed();
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
    case KeyCode::leftArrow: edit_.moveLeft(shift); setNeedsDisplay(true); return;
    case KeyCode::rightArrow: edit_.moveRight(shift); setNeedsDisplay(true); return;
    default: break;
    }
    if (!editable_) return NSView::keyDown(event);
    const std::string before = edit_.text();
    if (!edit_.handleKey(event.characters(), shift, command)) return NSView::keyDown(event);
    if (edit_.text() != before)
        changed();
    else
        setNeedsDisplay(true);
}

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
    auto widthOf = [&](std::size_t bytes) {
        return CoreGraphics::TextLayout::size(CoreGraphics::AttributedText(edit_.text().substr(0, bytes), font_->font(), colour)).width;
    };
    const CoreGraphics::AttributedText text(edit_.text(), font_->font(), colour, {CoreGraphics::TextAlignment::left, CoreGraphics::LineBreakMode::byClipping});
    const CGFloat lineHeight = CoreGraphics::TextLayout::size(CoreGraphics::AttributedText("Xg", font_->font(), colour)).height;
    // The line sits in the vertical middle, whichever way the view runs.
    const CGFloat y = b.midY() - lineHeight / 2;
    if (edit_.hasSelection()) {
        const CGFloat from = widthOf(edit_.selectionStart()), to = widthOf(edit_.selectionEnd());
        if (auto c = selectionColor()) {
            ctx->setFillColor(c->cgColor());
            ctx->fill(CGRect{b.minX() + from, y, to - from, lineHeight});
        }
    }
    ctx->drawText(text, {b.minX(), y, std::max<CGFloat>(b.width(), widthOf(edit_.text().size()) + 1), lineHeight});
    auto w = window();
    if (!edit_.hasSelection() && w && w->isKeyWindow() && w->firstResponder().get() == this) {
        if (auto c = caretColor()) {
            ctx->setFillColor(c->cgColor());
            ctx->fill(CGRect{b.minX() + widthOf(edit_.selectionStart()), y, 1, lineHeight});
        }
    }
}

}  // namespace AppKit
