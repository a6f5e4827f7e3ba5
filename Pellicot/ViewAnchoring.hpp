#pragma once
#include <memory>

#include "AppKit/NSView.hpp"

namespace Pellicot {

// Pins `receiver` to the four edges of `view`, `insets` inside it; nothing at all when `view`
// is absent.
void anchorToAllSidesOf(AppKit::NSView& receiver, const std::shared_ptr<AppKit::NSView>& view, AppKit::NSEdgeInsets insets);

}  // namespace Pellicot
