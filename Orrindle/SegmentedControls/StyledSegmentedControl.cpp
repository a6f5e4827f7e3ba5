#include "Orrindle/SegmentedControls/StyledSegmentedControl.hpp"

#include <algorithm>

#include "Runtime/MainActor.hpp"

namespace Orrindle {

bool StyledSegmentedControl::hideSelection() const {
    Runtime::assertMainActor();
    auto c = styledCell();
    return c && c->hideSelection();
}

void StyledSegmentedControl::setHideSelection(bool flag) {
    Runtime::assertMainActor();
    if (auto c = styledCell()) c->setHideSelection(flag);
    setNeedsDisplay(true);
}

AppKit::CGSize StyledSegmentedControl::intrinsicContentSize() const {
    Runtime::assertMainActor();
    AppKit::CGSize size = AppKit::NSSegmentedControl::intrinsicContentSize();
    auto c = styledCell();
    if (!c) return size;
    auto image = c->style()->bezelImage(c->controlState());
    if (!image) return size;
    return {std::max(size.width, image->size().width), std::max(size.height, image->size().height)};
}

}  // namespace Orrindle
