#include "Pellicot/ViewAnchoring.hpp"

#include "AppKit/EdgePins.hpp"

namespace Pellicot {

void anchorToAllSidesOf(AppKit::NSView& receiver, const std::shared_ptr<AppKit::NSView>& view, AppKit::NSEdgeInsets insets) {
    AppKit::pinToAllEdges(receiver, view, insets);
}

}  // namespace Pellicot
