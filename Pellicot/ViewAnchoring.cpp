#include "Pellicot/ViewAnchoring.hpp"

#include "AppKit/NSLayoutConstraint.hpp"

namespace Pellicot {

void anchorToAllSidesOf(AppKit::NSView& receiver, const std::shared_ptr<AppKit::NSView>& view, AppKit::NSEdgeInsets insets) {
    if (!view) return;
    receiver.setTranslatesAutoresizingMaskIntoConstraints(false);
    AppKit::NSLayoutConstraint::activate({
        receiver.leadingAnchor().constraint(view->leadingAnchor(), insets.left),
        receiver.trailingAnchor().constraint(view->trailingAnchor(), -insets.right),
        receiver.bottomAnchor().constraint(view->bottomAnchor(), -insets.bottom),
        receiver.topAnchor().constraint(view->topAnchor(), insets.top),
    });
}

}  // namespace Pellicot
