#include "Orrindle/Extensions/EventHelpers.hpp"

#include "AppKit/NSEvent.hpp"

namespace Orrindle {

bool isLeftButtonDown() { return (AppKit::NSEvent::pressedMouseButtons() & 1u) != 0; }
bool isRightButtonDown() { return (AppKit::NSEvent::pressedMouseButtons() & 2u) != 0; }

void verticallyFlip(AppKit::NSGraphicsContext& context, const CoreGraphics::CGRect& frame) {
    auto& cg = context.cgContext();
    cg.translateBy(0, frame.size.height);
    cg.scaleBy(1, -1);
}

}  // namespace Orrindle
