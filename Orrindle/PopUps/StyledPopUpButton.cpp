#include "Orrindle/PopUps/StyledPopUpButton.hpp"

#include <algorithm>

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void StyledPopUpButton::didInit() {
    Runtime::assertMainActor();
    AppKit::NSPopUpButton::didInit();
    setFont(AppKit::NSFont::menuFont(11));
}

void StyledPopUpButton::setLabel(std::optional<std::string> label) {
    Runtime::assertMainActor();
    label_ = std::move(label);
    if (auto c = styledCell()) c->setLabel(label_);
    // Without a redraw the old label would stay on screen until something else changed.
    setNeedsDisplay(true);
}

AppKit::NSEdgeInsets StyledPopUpButton::alignmentRectInsets() const {
    Runtime::assertMainActor();
    if (styledCell()) return StyledPopUpButtonCell::popUpStyle()->alignmentRectInsets();
    return AppKit::NSPopUpButton::alignmentRectInsets();
}

CGSize StyledPopUpButton::intrinsicContentSize() const {
    Runtime::assertMainActor();
    CGSize size = AppKit::NSPopUpButton::intrinsicContentSize();
    if (fixedWidth_) size.width = *fixedWidth_;
    if (!isBordered()) return size;
    auto c = styledCell();
    if (!c) return size;
    auto image = c->style()->bezelImage(c->controlState());
    if (!image) return size;
    return CellDrawing::bezelSize(size, image->size().width, image->size().height, alignmentRectInsets());
}

void StyledPopUpButton::draw(CGRect dirtyRect) {
    Runtime::assertMainActor();
    AppKit::NSPopUpButton::draw(dirtyRect);
    if (auto c = styledCell()) CellDrawing::drawFocusRing(*this, focusRingMaskBounds(), *c->style(), c->controlState());
}

}  // namespace Orrindle
