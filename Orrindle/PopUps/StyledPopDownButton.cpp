#include "Orrindle/PopUps/StyledPopDownButton.hpp"

#include <algorithm>

#include "AppKit/NSApplication.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void StyledPopDownButton::didInit() {
    Runtime::assertMainActor();
    AppKit::NSPopUpButton::didInit();
    setFont(AppKit::NSFont::menuFont(11));
}

std::string StyledPopDownButton::title() const {
    Runtime::assertMainActor();
    auto c = styledCell();
    auto item = c ? c->menuItem() : nullptr;
    return item ? item->title() : std::string();
}

void StyledPopDownButton::setTitle(std::string title) {
    Runtime::assertMainActor();
    auto c = styledCell();
    if (!c) return;
    c->setUsesItemFromMenu(false);
    c->setMenuItem(AppKit::NSMenuItem::make(std::move(title)));
}

void StyledPopDownButton::setLabel(std::optional<std::string> label) {
    Runtime::assertMainActor();
    label_ = std::move(label);
    if (auto c = styledCell()) c->setLabel(label_);
    setNeedsDisplay(true);
}

AppKit::NSEdgeInsets StyledPopDownButton::alignmentRectInsets() const {
    Runtime::assertMainActor();
    if (styledCell()) return StyledPopDownButtonCell::popDownStyle()->alignmentRectInsets();
    return AppKit::NSPopUpButton::alignmentRectInsets();
}

CGSize StyledPopDownButton::intrinsicContentSize() const {
    Runtime::assertMainActor();
    const CGSize size = AppKit::NSPopUpButton::intrinsicContentSize();
    if (!isBordered()) return size;
    auto c = styledCell();
    if (!c) return size;
    auto image = StyledPopDownButtonCell::popDownStyle()->bezelImage(c->controlState());
    if (!image) return size;
    return CellDrawing::bezelSize(size, image->size().width, image->size().height, alignmentRectInsets());
}

void StyledPopDownButton::draw(CGRect dirtyRect) {
    Runtime::assertMainActor();
    AppKit::NSPopUpButton::draw(dirtyRect);
    if (auto c = styledCell())
        CellDrawing::drawFocusRing(*this, focusRingMaskBounds(), *StyledPopDownButtonCell::popDownStyle(), c->controlState());
}

void StyledPopDownButton::mouseDown(const AppKit::NSEvent&) {
    Runtime::assertMainActor();
    // A disabled button would otherwise still light up and act.
    if (!isEnabled()) return;
    highlight(true);
}

void StyledPopDownButton::mouseUp(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    highlight(false);
    if (!isEnabled()) return;
    const CGPoint p = convert(event.locationInWindow(), nullptr);
    if (bounds().contains(p) && !action().isNull()) AppKit::NSApplication::shared().sendAction(action(), target().get(), this);
}

}  // namespace Orrindle
