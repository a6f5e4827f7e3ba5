#include "AppKit/NSText.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace AppKit {

namespace {
bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }
std::size_t startOfCharacter(const std::string& s, std::size_t at) {
    at = std::min(at, s.size());
    while (at > 0 && at < s.size() && continuation(static_cast<unsigned char>(s[at]))) --at;
    return at;
}
std::size_t previousCharacter(const std::string& s, std::size_t at) {
    if (at == 0) return 0;
    --at;
    while (at > 0 && continuation(static_cast<unsigned char>(s[at]))) --at;
    return at;
}
std::size_t nextCharacter(const std::string& s, std::size_t at) {
    if (at >= s.size()) return s.size();
    ++at;
    while (at < s.size() && continuation(static_cast<unsigned char>(s[at]))) ++at;
    return at;
}
}  // namespace

void NSText::setString(std::string s) {
    string_ = std::move(s);
    selection_ = {string_.size(), 0};
    setNeedsDisplay(true);
}

void NSText::setSelectedRange(NSRange range) {
    const std::size_t from = startOfCharacter(string_, range.location);
    const std::size_t to = startOfCharacter(string_, std::max(from, std::min(string_.size(), range.location + range.length)));
    selection_ = {from, to - from};
    setNeedsDisplay(true);
}

void NSText::changed() {
    setNeedsDisplay(true);
    auto keep = delegate();
    if (auto* d = dynamic_cast<NSTextDelegate*>(keep.get())) d->textDidChange(*this);
}

void NSText::insertText(const std::string& text) {
    if (!editable_) return;
    string_.replace(selection_.location, selection_.length, text);
    selection_ = {selection_.location + text.size(), 0};
    changed();
}

void NSText::deleteBackward() {
    if (!editable_) return;
    if (selection_.length == 0) {
        if (selection_.location == 0) return;
        const std::size_t from = previousCharacter(string_, selection_.location);
        selection_ = {from, selection_.location - from};
    }
    string_.erase(selection_.location, selection_.length);
    selection_.length = 0;
    changed();
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
    switch (event.keyCode()) {
    case KeyCode::deleteKey: deleteBackward(); return;
    case KeyCode::returnKey: end(NSTextMovement::return_); return;
    case KeyCode::tab: end(shift ? NSTextMovement::backtab : NSTextMovement::tab); return;
    case KeyCode::escape: end(NSTextMovement::cancel); return;
    case KeyCode::leftArrow:
        setSelectedRange({selection_.length ? selection_.location : previousCharacter(string_, selection_.location), 0});
        return;
    case KeyCode::rightArrow:
        setSelectedRange({selection_.length ? selection_.location + selection_.length : nextCharacter(string_, selection_.location), 0});
        return;
    default: break;
    }
    const std::string& typed = event.characters();
    const bool command = event.flags().contains(ModifierFlags::command()) || event.flags().contains(ModifierFlags::control());
    if (typed.empty() || command || static_cast<unsigned char>(typed[0]) < 0x20 || typed == "\x7f") return NSView::keyDown(event);
    insertText(typed);
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
        return CoreGraphics::TextLayout::size(CoreGraphics::AttributedText(string_.substr(0, bytes), font_->font(), colour)).width;
    };
    const CoreGraphics::AttributedText text(string_, font_->font(), colour, {CoreGraphics::TextAlignment::left, CoreGraphics::LineBreakMode::byClipping});
    const CGFloat lineHeight = CoreGraphics::TextLayout::size(CoreGraphics::AttributedText("Xg", font_->font(), colour)).height;
    // The line sits in the vertical middle, whichever way the view runs.
    const CGFloat y = b.midY() - lineHeight / 2;
    if (selection_.length > 0) {
        const CGFloat from = widthOf(selection_.location), to = widthOf(selection_.location + selection_.length);
        if (auto c = selectionColor()) {
            ctx->setFillColor(c->cgColor());
            ctx->fill(CGRect{b.minX() + from, y, to - from, lineHeight});
        }
    }
    ctx->drawText(text, {b.minX(), y, std::max<CGFloat>(b.width(), widthOf(string_.size()) + 1), lineHeight});
    auto w = window();
    if (selection_.length == 0 && w && w->isKeyWindow() && w->firstResponder().get() == this) {
        if (auto c = caretColor()) {
            ctx->setFillColor(c->cgColor());
            ctx->fill(CGRect{b.minX() + widthOf(selection_.location), y, 1, lineHeight});
        }
    }
}

}  // namespace AppKit
