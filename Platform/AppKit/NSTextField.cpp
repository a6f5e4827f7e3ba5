#include "AppKit/NSTextField.hpp"

namespace AppKit {

bool NSTextField::isEditable() const { auto c = cell(); return c && c->isEditable(); }
void NSTextField::setEditable(bool flag) { if (auto c = cell()) c->setEditable(flag); }
bool NSTextField::isSelectable() const { auto c = textFieldCell(); return c && c->isSelectable(); }
void NSTextField::setSelectable(bool flag) { if (auto c = textFieldCell()) c->setSelectable(flag); }
bool NSTextField::isBordered() const { auto c = cell(); return c && c->isBordered(); }
void NSTextField::setBordered(bool flag) { if (auto c = cell()) c->setBordered(flag); invalidateIntrinsicContentSize(); }
bool NSTextField::isBezeled() const { auto c = cell(); return c && c->isBezeled(); }
void NSTextField::setBezeled(bool flag) { if (auto c = cell()) c->setBezeled(flag); invalidateIntrinsicContentSize(); }
NSTextFieldBezelStyle NSTextField::bezelStyle() const {
    auto c = textFieldCell();
    return c ? c->bezelStyle() : NSTextFieldBezelStyle::squareBezel;
}
void NSTextField::setBezelStyle(NSTextFieldBezelStyle style) { if (auto c = textFieldCell()) c->setBezelStyle(style); }
bool NSTextField::drawsBackground() const { auto c = textFieldCell(); return c && c->drawsBackground(); }
void NSTextField::setDrawsBackground(bool flag) { if (auto c = textFieldCell()) c->setDrawsBackground(flag); }
NSColor::Ptr NSTextField::textColor() const { auto c = textFieldCell(); return c ? c->textColor() : nullptr; }
void NSTextField::setTextColor(NSColor::Ptr color) { if (auto c = textFieldCell()) c->setTextColor(std::move(color)); }
NSColor::Ptr NSTextField::backgroundColor() const { auto c = textFieldCell(); return c ? c->backgroundColor() : nullptr; }
void NSTextField::setBackgroundColor(NSColor::Ptr color) { if (auto c = textFieldCell()) c->setBackgroundColor(std::move(color)); }
std::optional<std::string> NSTextField::placeholderString() const {
    auto c = textFieldCell();
    return c ? c->placeholderString() : std::nullopt;
}
void NSTextField::setPlaceholderString(std::optional<std::string> placeholder) {
    if (auto c = textFieldCell()) c->setPlaceholderString(std::move(placeholder));
}

}  // namespace AppKit
