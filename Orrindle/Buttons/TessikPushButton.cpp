#include "Orrindle/Buttons/TessikPushButton.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"

namespace Orrindle {

void TessikPushButton::didInit() {
    AppKit::NSButton::didInit();
    if (auto c = pushCell()) c->setHighlightsBy(AppKit::NSCellStyleMask::none());
}

bool TessikPushButton::isSelected() const {
    auto c = pushCell();
    return c && c->isSelected();
}

void TessikPushButton::setSelected(bool selected) {
    if (auto c = pushCell()) c->setSelected(selected);
    setNeedsDisplay(true);
}

CGSize TessikPushButton::intrinsicContentSize() const {
    CGSize size = AppKit::NSButton::intrinsicContentSize();
    if (fixedWidth) size.width = *fixedWidth;
    if (fixedHeight) size.height = *fixedHeight;
    return size;
}

void TessikPushButton::draw(CGRect dirtyRect) {
    AppKit::NSButton::draw(dirtyRect);
    if (auto c = pushCell()) CellDrawing::drawFocusRing(*this, focusRingMaskBounds(), *c->style(), c->controlState());
}

}  // namespace Orrindle
