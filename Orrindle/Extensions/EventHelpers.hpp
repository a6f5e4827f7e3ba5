#pragma once
#include "AppKit/NSGraphicsContext.hpp"
#include "CoreGraphics/Geometry.hpp"

namespace Orrindle {

// Whether the left (bit 0) or right (bit 1) mouse button is held now.
bool isLeftButtonDown();
bool isRightButtonDown();

// Turns the context's y axis over within `frame`'s height: translate by (0, height), then
// scale by (1, -1).
void verticallyFlip(AppKit::NSGraphicsContext& context, const CoreGraphics::CGRect& frame);

}  // namespace Orrindle
