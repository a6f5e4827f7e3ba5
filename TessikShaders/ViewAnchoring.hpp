#pragma once
#include <memory>

#include "AppKit/NSView.hpp"

namespace TessikShaders {

// Pins `receiver` to the four edges of `view`, `insets` inside it (leading, trailing, bottom,
// top, activated together); nothing at all when `view` is absent. The receiver must already
// be in `view`'s hierarchy.
void anchorToAllSidesOf(AppKit::NSView& receiver, const std::shared_ptr<AppKit::NSView>& view, AppKit::NSEdgeInsets insets);

}  // namespace TessikShaders
