#include "Orrindle/Buttons/StyledButton.hpp"

#include <algorithm>

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void StyledButton::didInit() {
    Runtime::assertMainActor();
    AppKit::NSButton::didInit();
    setup();
}

void StyledButton::setup() {
    Runtime::assertMainActor();
    if (auto c = styledCell()) c->setHighlightsBy(AppKit::NSCellStyleMask::none());
}

bool StyledButton::isSelected() const {
    Runtime::assertMainActor();
    auto c = styledCell();
    return c && c->isSelected();
}

void StyledButton::setSelected(bool selected) {
    Runtime::assertMainActor();
    if (auto c = styledCell()) c->setSelected(selected);
    setNeedsDisplay(true);
}

AppKit::NSEdgeInsets StyledButton::alignmentRectInsets() const {
    Runtime::assertMainActor();
    if (auto c = styledCell()) return c->style()->alignmentRectInsets();
    return AppKit::NSButton::alignmentRectInsets();
}

CGSize StyledButton::intrinsicContentSize() const {
    Runtime::assertMainActor();
    CGSize size = AppKit::NSButton::intrinsicContentSize();
    if (fixedWidth_) size.width = *fixedWidth_;
    if (!isBordered()) return size;
    auto c = styledCell();
    if (!c) return size;
    auto image = c->style()->bezelImage(c->controlState());
    if (!image) return size;
    return CellDrawing::bezelSize(size, fixedWidth_.value_or(image->size().width), image->size().height, alignmentRectInsets());
}

void StyledButton::draw(CGRect dirtyRect) {
    Runtime::assertMainActor();
    AppKit::NSButton::draw(dirtyRect);
    if (auto c = styledCell()) CellDrawing::drawFocusRing(*this, focusRingMaskBounds(), *c->style(), c->controlState());
}

}  // namespace Orrindle
