#include "Orrindle/Buttons/TessikPushButton.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void TessikPushButton::didInit() {
    Runtime::assertMainActor();
    AppKit::NSButton::didInit();
    if (auto c = pushCell()) c->setHighlightsBy(AppKit::NSCellStyleMask::none());
}

bool TessikPushButton::isSelected() const {
    Runtime::assertMainActor();
    auto c = pushCell();
    return c && c->isSelected();
}

void TessikPushButton::setSelected(bool selected) {
    Runtime::assertMainActor();
    if (auto c = pushCell()) c->setSelected(selected);
    setNeedsDisplay(true);
}

CGSize TessikPushButton::intrinsicContentSize() const {
    Runtime::assertMainActor();
    CGSize size = AppKit::NSButton::intrinsicContentSize();
    if (fixedWidth) size.width = *fixedWidth;
    if (fixedHeight) size.height = *fixedHeight;
    return size;
}

void TessikPushButton::draw(CGRect dirtyRect) {
    Runtime::assertMainActor();
    AppKit::NSButton::draw(dirtyRect);
    if (auto c = pushCell()) CellDrawing::drawFocusRing(*this, focusRingMaskBounds(), *c->style(), c->controlState());
}

}  // namespace Orrindle
