#include "Orrindle/PopUps/ToolPopUpButton.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

AppKit::NSEdgeInsets ToolPopUpButton::alignmentRectInsets() const {
    Runtime::assertMainActor();
    if (auto c = std::dynamic_pointer_cast<ToolPopUpButtonCell>(cell())) return c->style()->alignmentRectInsets();
    return StyledPopUpButton::alignmentRectInsets();
}

CGSize ToolPopUpButton::intrinsicContentSize() const {
    Runtime::assertMainActor();
    const CGSize size = StyledPopUpButton::intrinsicContentSize();
    if (!isBordered()) return size;
    auto c = std::dynamic_pointer_cast<ToolPopUpButtonCell>(cell());
    if (!c) return size;
    auto image = c->style()->bezelImage(c->controlState());
    if (!image) return size;
    return CellDrawing::bezelSize(size, image->size().width, image->size().height, alignmentRectInsets());
}

}  // namespace Orrindle
