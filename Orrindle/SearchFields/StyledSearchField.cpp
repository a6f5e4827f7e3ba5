#include "Orrindle/SearchFields/StyledSearchField.hpp"

#include <algorithm>

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Extensions/TextDrawing.hpp"
#include "Runtime/MainActor.hpp"
#include "Runtime/FatalError.hpp"

namespace Orrindle {

void StyledSearchField::didInit() {
    Runtime::assertMainActor();
    AppKit::NSSearchField::didInit();
    focusRingClearingWorkaround(*this);
}

void StyledSearchField::setVerticallyCenter(bool flag) {
    Runtime::assertMainActor();
    verticallyCenter_ = flag;
    if (auto c = styledCell()) c->setVerticallyCenter(flag);
    setNeedsDisplay(true);
}

AppKit::NSEdgeInsets StyledSearchField::alignmentRectInsets() const {
    Runtime::assertMainActor();
    if (auto c = styledCell()) return c->style()->alignmentRectInsets();
    return AppKit::NSSearchField::alignmentRectInsets();
}

AppKit::CGSize StyledSearchField::intrinsicContentSize() const {
    Runtime::assertMainActor();
    const AppKit::CGSize size = AppKit::NSSearchField::intrinsicContentSize();
    auto c = styledCell();
    auto image = c ? c->styleBezelImage() : nullptr;
    if (!isBezeled() || !image) return size;
    const auto insets = alignmentRectInsets();
    return {std::max(size.width, image->size().width) - (insets.left + insets.right),
            std::max(size.height, image->size().height) - (insets.top + insets.bottom)};
}

void StyledSearchField::draw(AppKit::CGRect dirtyRect) {
    Runtime::assertMainActor();
    AppKit::NSSearchField::draw(dirtyRect);
    if (auto c = styledCell()) CellDrawing::drawFocusRing(*this, focusRingMaskBounds(), *c->style(), c->controlState());
}

}  // namespace Orrindle
