#pragma once
#include <memory>

#include "AppKit/NSView.hpp"

namespace AppKit {

// Pins `receiver`'s four edges to `view`'s, `insets` inside it: stops translating its
// autoresizing mask, then activates leading, trailing, bottom and top together. Nothing at
// all when `view` is absent. The receiver must already be in `view`'s hierarchy.
void pinToAllEdges(NSView& receiver, const std::shared_ptr<NSView>& view, NSEdgeInsets insets);

}  // namespace AppKit
