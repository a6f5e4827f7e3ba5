#include "AppKit/NSButton.hpp"

namespace AppKit {

std::string NSButton::title() const {
    auto c = buttonCell();
    return c ? c->title() : std::string();
}
void NSButton::setTitle(std::string title) {
    if (auto c = buttonCell()) c->setTitle(std::move(title));
}
std::string NSButton::alternateTitle() const {
    auto c = buttonCell();
    return c ? c->alternateTitle() : std::string();
}
void NSButton::setAlternateTitle(std::string title) {
    if (auto c = buttonCell()) c->setAlternateTitle(std::move(title));
}
CoreGraphics::AttributedText NSButton::attributedTitle() const {
    auto c = buttonCell();
    return c ? c->attributedTitle() : CoreGraphics::AttributedText();
}
void NSButton::setAttributedTitle(CoreGraphics::AttributedText title) {
    if (auto c = buttonCell()) c->setAttributedTitle(std::move(title));
}
NSImage::Ptr NSButton::image() const { return cell() ? cell()->image() : nullptr; }
void NSButton::setImage(NSImage::Ptr image) {
    if (auto c = cell()) c->setImage(std::move(image));
}
NSImage::Ptr NSButton::alternateImage() const {
    auto c = buttonCell();
    return c ? c->alternateImage() : nullptr;
}
void NSButton::setAlternateImage(NSImage::Ptr image) {
    if (auto c = buttonCell()) c->setAlternateImage(std::move(image));
}
NSControl::StateValue NSButton::state() const { return cell() ? cell()->state() : StateValue::off; }
void NSButton::setState(StateValue state) {
    if (auto c = cell()) c->setState(state);
}
bool NSButton::allowsMixedState() const {
    auto c = buttonCell();
    return c && c->allowsMixedState();
}
void NSButton::setAllowsMixedState(bool flag) {
    if (auto c = buttonCell()) c->setAllowsMixedState(flag);
}
void NSButton::setButtonType(NSButtonType type) {
    if (auto c = buttonCell()) c->setButtonType(type);
}
NSBezelStyle NSButton::bezelStyle() const {
    auto c = buttonCell();
    return c ? c->bezelStyle() : NSBezelStyle::push;
}
void NSButton::setBezelStyle(NSBezelStyle style) {
    if (auto c = buttonCell()) c->setBezelStyle(style);
}
bool NSButton::isBordered() const { return cell() && cell()->isBordered(); }
void NSButton::setBordered(bool flag) {
    if (auto c = cell()) c->setBordered(flag);
}
NSCellImagePosition NSButton::imagePosition() const {
    auto c = buttonCell();
    return c ? c->imagePosition() : NSCellImagePosition::noImage;
}
void NSButton::setImagePosition(NSCellImagePosition position) {
    if (auto c = buttonCell()) c->setImagePosition(position);
}
NSImageScaling NSButton::imageScaling() const {
    auto c = buttonCell();
    return c ? c->imageScaling() : NSImageScaling::scaleProportionallyDown;
}
void NSButton::setImageScaling(NSImageScaling scaling) {
    if (auto c = buttonCell()) c->setImageScaling(scaling);
}

void NSButton::highlight(bool flag) {
    if (auto c = cell()) c->highlight(flag, bounds(), *this);
}

void NSButton::performClick(Runtime::NSObject*) {
    auto c = cell();
    if (!c || !isEnabled()) return;
    highlight(true);
    c->setNextState();
    sendAction(action(), target().get());
    highlight(false);
}

}  // namespace AppKit
